#include "ui/ManualScreens.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "state/ControlNames.h"
#include "ui/frmAboutData.h"
#include "ui/frmEnterBird.h"
#include "ui/frmStart.h"

namespace ornivo::ui {
namespace {

// The open, not yet closing screen with this object name.
QWidget* openScreen(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
}

// A button name from its caption: "Migration - Programmed" gives cmdMigrationProgrammed.
QString buttonName(const std::string& caption) {
    QString n = "cmd";
    for (QChar c : QString::fromStdString(caption))
        if (c.isLetterOrNumber()) n += c;
    return n;
}

// Shows a screen; one already open is brought to the front instead of opened twice.
void bringUp(QWidget* w) {
    if (!w->isVisible()) return w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

frmHelpContents::frmHelpContents(UiContext& ctx)
    : Screen(ctx, ctl::frmHelpContents, "Help contents", scaling::ResizePattern::ControlsOnly) {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 12, 16, 12);
    lblHeading = label(ctl::lblHeading, "Manual Contents - Click on topic required");
    QFont hf = lblHeading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.3);
    lblHeading->setFont(hf);
    top->addWidget(lblHeading, 0, Qt::AlignHCenter);
    auto* grid = new QGridLayout;
    const auto& entries = manual::ContentsButtons();
    const int rows = static_cast<int>((entries.size() + 2) / 3);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const manual::ContentsEntry& e = entries[i];
        QPushButton* b = button("cmd" + QString::fromStdString(e.screen).mid(7), QString::fromStdString(e.caption));
        b->setMinimumWidth(180);
        grid->addWidget(b, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
        const std::string target = e.screen;
        connect(b, &QPushButton::clicked, this, [this, target] { guarded([&] { ShowManualPage(ctx_, target); }); });
        topics.push_back(b);
    }
    top->addLayout(grid);
    cmdExit = button(ctl::cmdExit, "E&xit Manual");
    top->addLayout(line({Stretch, cmdExit}));
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    placeWindow();
}

void frmHelpContents::cmdExit_Click() { close(); }

PageScreen::PageScreen(UiContext& ctx, const manual::Page& page, const QString& boxName)
    : Screen(ctx, QString::fromStdString(page.screen), QString::fromStdString(page.title),
             scaling::ResizePattern::ControlsOnly),
      page_(page) {
    top_ = new QVBoxLayout(this);
    top_->setContentsMargins(12, 10, 12, 10);
    box_ = new QTextBrowser(this);
    box_->setObjectName(boxName);
    box_->setOpenLinks(false);
    box_->setMinimumSize(680, 480);
    const manual::PageText text = manual::ReadPage(ctx.s.ProgramFolder, page);
    loaded_ = text.found;
    if (loaded_) box_->setMarkdown(QString::fromStdString(text.text));
    else box_->setPlainText(QString::fromStdString(text.text));
    top_->addWidget(box_, 1);
    connect(box_, &QTextBrowser::anchorClicked, this, [this](const QUrl& u) { guarded([&] { followLink(u); }); });
}

void PageScreen::followLink(const QUrl& url) {
    const std::string href = url.toString().toStdString();
    if (href == manual::AboutDataLink) {
        (new frmAboutData(ctx_, this))->show();
    } else if (const manual::Page* p = manual::PageForLink(href)) {
        ShowManualPage(ctx_, p->screen);
    } else if (url.scheme() == "http" || url.scheme() == "https") {
        QDesktopServices::openUrl(url);
    } else if (url.hasFragment() && url.path().isEmpty()) {
        box_->scrollToAnchor(url.fragment());
    }
}

ManualPage::ManualPage(UiContext& ctx, const manual::Page& page) : PageScreen(ctx, page, "rtfText") {
    rtfText = textBox();
    auto* b = new QHBoxLayout;
    for (const manual::PageLink& l : page.links) {
        QPushButton* lb = button(buttonName(l.caption), QString::fromStdString(l.caption));
        b->addWidget(lb);
        connect(lb, &QPushButton::clicked, this, [this, &l] { guarded([&] { cmdLink_Click(l); }); });
        links.push_back(lb);
    }
    b->addStretch();
    cmdReturn = button(ctl::cmdReturn, QString::fromStdString(page.returnCaption));
    cmdReturn->setDefault(true);
    b->addWidget(cmdReturn);
    top_->addLayout(b);
    connect(cmdReturn, &QPushButton::clicked, this, [this] { guarded([this] { cmdReturn_Click(); }); });
    placeWindow();
}

void ManualPage::cmdReturn_Click() {
    if (page().contentsFirst) ShowHelpContents(ctx_);
    close();
}

void ManualPage::cmdLink_Click(const manual::PageLink& link) {
    switch (link.action) {
    case manual::LinkAction::ShowPage:
        ShowManualPage(ctx_, link.target);
        if (!page().staysOpen) close();
        break;
    case manual::LinkAction::GetBird:
        // From the start screen this is its own "Get Bird"; otherwise Enter Bird is shown.
        if (auto* start = qobject_cast<frmStart*>(openScreen(ctl::frmStart))) start->cmdEnterNewBird->click();
        else if (QWidget* enter = openScreen(ctl::frmEnterBird)) bringUp(enter);
        else (new frmEnterBird(ctx_))->show();
        close();
        break;
    case manual::LinkAction::EndProgram: ctx_.endProgram(); break;
    }
}

void ManualPage::followLink(const QUrl& url) {
    // A link to another page inside the text works as a cross-reference button does.
    const manual::Page* p = manual::PageForLink(url.toString().toStdString());
    if (!p || p->screen == page().screen) return PageScreen::followLink(url);
    ShowManualPage(ctx_, p->screen);
    if (!page().staysOpen && p->kind == manual::PageKind::Manual) close();
}

DefinitionsPage::DefinitionsPage(UiContext& ctx, const manual::Page& page) : PageScreen(ctx, page, "rtfDefs") {
    rtfDefs = textBox();
    cmdReturn = button(ctl::cmdReturn, QString::fromStdString(page.returnCaption));
    cmdReturn->setDefault(true);
    top_->addLayout(line({Stretch, cmdReturn}));
    connect(cmdReturn, &QPushButton::clicked, this, [this] { close(); });
    placeWindow();
}

frmHelpContents* ShowHelpContents(UiContext& ctx) {
    auto* c = qobject_cast<frmHelpContents*>(openScreen(ctl::frmHelpContents));
    if (!c) c = new frmHelpContents(ctx);
    bringUp(c);
    return c;
}

PageScreen* ShowManualPage(UiContext& ctx, const std::string& screen) {
    const manual::Page* p = manual::FindPage(screen);
    if (!p) return nullptr;
    auto* w = qobject_cast<PageScreen*>(openScreen(QString::fromStdString(p->screen)));
    if (!w) {
        if (p->kind == manual::PageKind::Manual) w = new ManualPage(ctx, *p);
        else w = new DefinitionsPage(ctx, *p);
    }
    bringUp(w);
    return w;
}

PageScreen* ShowDefinitions(UiContext& ctx, const std::string& screen) {
    const manual::Page* p = manual::DefinitionsFor(screen);
    return p ? ShowManualPage(ctx, p->screen) : nullptr;
}

void WireShowDefinitions(Screen* screen, QPushButton* button) {
    QObject::connect(button, &QPushButton::clicked, screen, [screen] {
        screen->guarded([screen] { ShowDefinitions(screen->context(), screen->objectName().toStdString()); });
    });
}

void WireReadManual(Screen* screen, QPushButton* button) {
    QObject::connect(button, &QPushButton::clicked, screen,
                     [screen] { screen->guarded([screen] { ShowHelpContents(screen->context()); }); });
}

}  // namespace ornivo::ui
