#pragma once
// The manual and the definitions pages: which pages there are, their titles, files and buttons, and
// the rules of moving between them. The desktop screens and ornivo-cli both read this one table.
#include <string>
#include <string_view>
#include <vector>

namespace ornivo::manual {

enum class PageKind { Manual, Definitions };

// What a page's button does besides closing or keeping the page.
enum class LinkAction {
    ShowPage,    // shows the page named by target
    GetBird,     // shows the Enter Bird screen (tutorial)
    EndProgram,  // ends the program (tutorial)
};

struct PageLink {
    std::string caption;  // the button's caption, as the page shows it
    std::string target;   // screen name of the page shown (ShowPage only)
    LinkAction action = LinkAction::ShowPage;
};

struct Page {
    std::string screen;         // frmHelpGeneral, frmDefsEnterBird, ...
    std::string title;          // window caption
    std::string file;           // file name in the Manual folder, e.g. "Introduction.md"
    PageKind kind = PageKind::Manual;
    std::string returnCaption;  // the button that closes the page
    bool contentsFirst = false; // the return button shows the contents screen before closing
    bool staysOpen = false;     // cross-references leave this page open
    std::vector<PageLink> links;
    std::string openedFrom;     // definitions pages: the screen whose "Show Definitions" opens it
};

// A topic button of the contents screen.
struct ContentsEntry {
    std::string caption;
    std::string screen;
};

// Every page, manual pages first in the order of the contents, then the definitions pages.
const std::vector<Page>& Pages();
// The topic buttons of the contents screen, in their order.
const std::vector<ContentsEntry>& ContentsButtons();

// The page of this screen name, or null.
const Page* FindPage(std::string_view screen);
// The definitions page that the "Show Definitions" button of this screen opens, or null.
const Page* DefinitionsFor(std::string_view screen);
// A page named the way a user would: its base file name ("EnterBird", "Energy height"), its contents
// caption ("Enter Bird"), its title or its screen name, without regard to case. Null when none fits.
const Page* FindPageByName(std::string_view name);
// The page a link inside a page's text points at ("BodyMass.md", "Energy%20height.md"), or null.
const Page* PageForLink(std::string_view href);
// The link inside a page's text that shows the "About the data" page.
constexpr std::string_view AboutDataLink = "about:data";

// The file name without its ending: the name the page is known by on the command line.
std::string BaseName(const Page& p);
// The folder that holds the page files: the program folder + "/Manual" (the shipped files' folder
// when no program folder is given).
std::string ManualFolder(const std::string& programFolder);

// The contents of a page, or the line that says which file is missing and where it was looked for.
struct PageText {
    bool found = false;
    std::string path;  // where the file was looked for
    std::string text;  // the Markdown text when found, else the message
};
PageText ReadPage(const std::string& programFolder, const Page& p);
std::string MissingPageMessage(const Page& p, const std::string& path);

}  // namespace ornivo::manual
