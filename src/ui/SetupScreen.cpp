#include "ui/SetupScreen.h"

#include <QCloseEvent>
#include <QHBoxLayout>

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
