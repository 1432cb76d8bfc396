#pragma once
// The manual: the contents screen, one screen class for every manual page and one for every
// definitions page, each driven by its row of the page table (title, file, buttons, rules).
#include <QTextBrowser>
#include <vector>

#include "manual/ManualPages.h"
#include "ui/Screen.h"

class QUrl;

namespace ornivo::ui {

// "Help contents": one button per topic; a topic's page opens above it and the contents stay open.
class frmHelpContents : public Screen {
    Q_OBJECT
public:
    explicit frmHelpContents(UiContext& ctx);

    QLabel* lblHeading;
    std::vector<QPushButton*> topics;  // in the order of the contents
    QPushButton* cmdExit;              // "Exit Manual"

    void cmdExit_Click();
};

// The parts of a page that both kinds share: the text box and the links inside the text.
class PageScreen : public Screen {
    Q_OBJECT
public:
    PageScreen(UiContext& ctx, const manual::Page& page, const QString& boxName);

    const manual::Page& page() const { return page_; }
    QTextBrowser* textBox() const { return box_; }
    // True when the page's file was read; otherwise the box shows which file is missing and where.
    bool loaded() const { return loaded_; }
    QPushButton* cmdReturn = nullptr;

protected:
    // A link inside the text: another page, the "About the data" page, or an address on the web.
    virtual void followLink(const QUrl& url);
    QVBoxLayout* top_;

private:
    const manual::Page& page_;
    QTextBrowser* box_;
    bool loaded_ = false;
};

// A manual page (frmHelp...): its text, the return button and the cross-reference buttons.
class ManualPage : public PageScreen {
    Q_OBJECT
public:
    ManualPage(UiContext& ctx, const manual::Page& page);

    QTextBrowser* rtfText;
    std::vector<QPushButton*> links;  // the cross-reference buttons, in the table's order

    void cmdReturn_Click();
    void cmdLink_Click(const manual::PageLink& link);

protected:
    void followLink(const QUrl& url) override;
};

// A definitions page (frmDefs...): its text and the one return button.
class DefinitionsPage : public PageScreen {
    Q_OBJECT
public:
    DefinitionsPage(UiContext& ctx, const manual::Page& page);

    QTextBrowser* rtfDefs;
};

// Shows the contents screen (raising it when it is already open).
frmHelpContents* ShowHelpContents(UiContext& ctx);
// Shows the page of this screen name (raising it when it is already open); null for an unknown name.
PageScreen* ShowManualPage(UiContext& ctx, const std::string& screen);
// Shows the definitions page of the screen with this object name; null when it has none.
PageScreen* ShowDefinitions(UiContext& ctx, const std::string& screen);

// The buttons of the working screens: "Show Definitions" opens the definitions page of its screen,
// "Read Manual" the contents. Neither disables the screen it is on.
void WireShowDefinitions(Screen* screen, QPushButton* button);
void WireReadManual(Screen* screen, QPushButton* button);

}  // namespace ornivo::ui
