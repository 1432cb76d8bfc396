// The desktop program: the start screen, and the event loop until a screen ends the program.
#include <QApplication>
#include <QFont>
#include <cstring>
#include <iostream>

#include "output/OutputTree.h"
#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "ui/QtDialogs.h"
#include "ui/QtSettingsStore.h"
#include "ui/frmStart.h"

int main(int argc, char** argv) {
    // Answered before any window system is opened, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "ornivo " << ornivo::VersionText() << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ornivo");
    QApplication::setOrganizationName("Ornivo");
    QFont font("Liberation Sans");
    font.setPointSizeF(9.5);
    QApplication::setFont(font);
    // Screens close themselves as the user moves on; the program ends only when a screen says so.
    app.setQuitOnLastWindowClosed(false);

    ornivo::ProgramState state;
    ornivo::ui::QtDialogs dialogs;
    ornivo::ui::QtSettingsStore settings;
    ornivo::ui::UiContext ctx{state, dialogs, settings, [] { QApplication::quit(); }};
    auto* start = new ornivo::ui::frmStart(ctx);
    start->show();
    return app.exec();
}
