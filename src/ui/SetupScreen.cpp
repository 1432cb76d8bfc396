#include "ui/SetupScreen.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/frmEnterBird.h"
#include "ui/frmOutputFile.h"

namespace ornivo::ui {

QHBoxLayout* SetupScreen::headingWithNames(const QString& text) {
    auto* head = new QHBoxLayout;
    QLabel* heading = label("lblHeading", text);
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    head->addWidget(heading);
    head->addStretch();
    auto nameField = [&](CommitEdit*& f, const QString& name, const QString& caption, int width, bool derivedValue,
                         const QString& tip = {}) {
        f = derivedValue ? derived(name, tip) : field(name, tip);
        f->setFixedWidth(width);
        f->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        QLabel* l = label("lbl" + name.mid(3), caption);
        l->setBuddy(f);
        head->addWidget(l);
        head->addWidget(f);
    };
    nameField(txtSpName, "txtSpName", "Species", 130, true);
    nameField(txtShortName, "txtShortName", "Short name", 80, false);
    nameField(txtTaxon, "txtTaxon", "Group", 100, true, "Double-click to change");
    return head;
}

QGridLayout* SetupScreen::frameGrid(const QString& name, const QString& title, QVBoxLayout* column, int rowSpacing,
                                    int margin) {
    QGroupBox* f = frame(name, title);
    auto* g = new QGridLayout(f);
    g->setVerticalSpacing(rowSpacing);
    g->setHorizontalSpacing(6);
    g->setContentsMargins(8, margin, 8, margin);
    g->setColumnStretch(0, 1);
    column->addWidget(f);
    return g;
}

CommitEdit* SetupScreen::fieldRow(QGridLayout* g, const QString& name, const QString& caption, int captionWidth,
                                  const QString& tip, bool derivedValue, QLabel** captionOut) {
    QWidget* box = g->parentWidget();
    CommitEdit* f = derivedValue ? derived(name, tip, box) : field(name, tip, box);
    f->setFixedWidth(60);
    QLabel* l = label("lbl" + name.mid(3), caption, box);
    l->setWordWrap(true);
    l->setMaximumWidth(captionWidth);
    row(g, g->rowCount(), l, f);
    if (captionOut) *captionOut = l;
    return f;
}

void SetupScreen::cmdNewBird_Click() {
    commitPending();
    if (!saveOpenWorkbook()) return;
    auto* next = new frmEnterBird(ctx_);
    next->show();
    leaving_ = true;
    close();
}

void SetupScreen::cmdExit_Click() { close(); }

void SetupScreen::closeEvent(QCloseEvent* e) {
    if (leaving_ || ctx_.ending) {
        e->accept();
        return;
    }
    commitPending();
    bool mayLeave = true;
    guarded([&] { mayLeave = saveOpenWorkbook(); });
    if (!mayLeave) {
        e->ignore();
        return;
    }
    if (ctx_.s.OutPath.empty()) {
        e->accept();
        ctx_.endProgram();
        return;
    }
    e->ignore();
    auto* out = new frmOutputFile(ctx_, this);
    out->show();
}

}  // namespace ornivo::ui
