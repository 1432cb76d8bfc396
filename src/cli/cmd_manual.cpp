// ornivo-cli manual [PAGE]: the program's manual and definitions pages as plain text for a terminal,
// or the list of pages. PAGE is a page's file name or its caption in the manual contents, in any case.
#include <iostream>

#include "birddb/BirdFiles.h"
#include "cli/Command.h"
#include "manual/ManualPages.h"
#include "manual/PlainText.h"
#include "platform/Folders.h"
#include "state/ProgramState.h"

namespace ornivo::cli {
namespace {

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

void listPages() {
    std::cout << "Manual contents (ornivo-cli manual PAGE, PAGE as the name on the left or the topic):\n";
    for (const manual::ContentsEntry& e : manual::ContentsButtons()) {
        const manual::Page* p = manual::FindPage(e.screen);
        std::cout << "  " << manual::BaseName(*p) << std::string(26 - std::min<std::size_t>(25, manual::BaseName(*p).size()), ' ')
                  << e.caption << "\n";
    }
    std::cout << "  " << "About" << std::string(21, ' ') << "About the data\n";
    std::cout << "\nDefinitions of the screens' fields:\n";
    for (const manual::Page& p : manual::Pages()) {
        if (p.kind != manual::PageKind::Definitions) continue;
        const std::string base = manual::BaseName(p);
        std::cout << "  " << base << std::string(26 - std::min<std::size_t>(25, base.size()), ' ') << p.title << "\n";
    }
}

int runManual(const std::vector<std::string>& a) {
    Args args(a);
    const std::vector<std::string> pos = args.positional({});
    if (pos.size() > 1) throw UsageError("give one page name (in quotes when it has spaces)");
    if (pos.empty()) {
        listPages();
        return ExitOk;
    }
    ProgramState s;
    s.ProgramFolder = platform::ShippedFolder();
    const std::string want = lower(pos[0]);
    if (want == "about" || want == "about the data") {
        std::cout << manual::MarkdownToPlain(birddb::AboutTheDataText(s)) << "\n";
        return ExitOk;
    }
    const manual::Page* p = manual::FindPageByName(pos[0]);
    if (!p) throw UsageError("no manual page named \"" + pos[0] + "\"; ornivo-cli manual lists the pages");
    const manual::PageText page = manual::ReadPage(s.ProgramFolder, *p);
    if (!page.found) {
        std::cerr << page.text << "\n";
        return ExitFailure;
    }
    std::cout << manual::MarkdownToPlain(page.text) << "\n";
    std::string related;
    for (const manual::PageLink& l : p->links) {
        const manual::Page* to = l.action == manual::LinkAction::ShowPage ? manual::FindPage(l.target) : nullptr;
        if (to) related += (related.empty() ? "" : ", ") + manual::BaseName(*to);
    }
    if (!related.empty()) std::cout << "\nRelated pages (ornivo-cli manual PAGE): " << related << "\n";
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(manual, "manual", "manual [PAGE]   (a page of the manual as plain text; no PAGE lists them)",
                   runManual);

}  // namespace ornivo::cli
