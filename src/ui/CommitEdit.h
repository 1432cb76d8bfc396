#pragma once
// A text field that commits what was typed when it loses the focus or on Enter, as the screens'
// field rules expect ("press TAB"). Leaving a field without typing commits nothing.
#include <QLineEdit>

namespace ornivo::ui {

class CommitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CommitEdit(const QString& objectName, QWidget* parent = nullptr);
    // Commits the typed text if the user changed it since it was last shown or committed.
    void commit();
    // Makes the field a derived value: read-only, right-aligned, greyed background.
    void setDerived(bool derived);
    // Makes the field a free text (a comment, a folder): left-aligned, and as it may be longer than
    // any field the screen has room for, its tip shows the whole text.
    void setFreeText();

signals:
    void committed(const QString& text);
    void clickedInto();
    void doubleClicked();

protected:
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool committing_ = false;
};

}  // namespace ornivo::ui
