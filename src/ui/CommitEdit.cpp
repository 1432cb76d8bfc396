#include "ui/CommitEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ornivo::ui {

CommitEdit::CommitEdit(const QString& objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CommitEdit::setDerived(bool derived) {
    setReadOnly(derived);
    setFocusPolicy(derived ? Qt::ClickFocus : Qt::StrongFocus);
    setStyleSheet(derived ? QStringLiteral("QLineEdit { background: palette(window); }") : QString());
}

void CommitEdit::setFreeText() {
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setProperty("freeText", true);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { setToolTip(t); });
}

void CommitEdit::commit() {
    if (committing_ || isReadOnly() || !isModified()) return;
    committing_ = true;
    setModified(false);
    emit committed(text());
    committing_ = false;
}

void CommitEdit::focusOutEvent(QFocusEvent* e) {
    // A message box or another window taking over is not the user leaving the field.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason) commit();
    QLineEdit::focusOutEvent(e);
}

void CommitEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        commit();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void CommitEdit::mousePressEvent(QMouseEvent* e) {
    QLineEdit::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) emit clickedInto();
}

void CommitEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    QLineEdit::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace ornivo::ui
