#include "ui/frmSaveUserBird.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "birddb/UserBirds.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmSaveUserBird::frmSaveUserBird(UiContext& ctx, QWidget* opener)
    : Screen(ctx, ctl::frmSaveUserBird, "How to save a User Bird", scaling::ResizePattern::None, opener) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    txtInstructions = new QTextEdit(this);
    txtInstructions->setObjectName(ctl::txtInstructions);
    txtInstructions->setReadOnly(true);
    txtInstructions->setMinimumSize(520, 300);
    top->addWidget(txtInstructions, 1);
    cmdExit = button(ctl::cmdExit, "&Return to Enter Bird Screen");
    top->addLayout(line({Stretch, cmdExit}));
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    Form_Load();
    placeWindow();
}

void frmSaveUserBird::Form_Load() {
    const std::vector<std::string> lines = birddb::SaveUserBirdInstructions();
    QString html;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromStdString(lines[i]).toHtmlEscaped().replace(" ", "&nbsp;");
        html += i == 0 ? "<p><b>" + line + "</b></p>" : (lines[i].empty() ? "<br>" : line + "<br>");
    }
    txtInstructions->setHtml(html);
}

void frmSaveUserBird::cmdExit_Click() { close(); }

}  // namespace ornivo::ui
