#pragma once
// What every screen of the desktop program shares: the program state, the dialogs, the settings store
// and the way the program ends.
#include <functional>

#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "state/ProgramState.h"

namespace ornivo::ui {

struct UiContext {
    ProgramState& s;
    platform::Dialogs& d;
    platform::SettingsStore& settings;
    // Called once when the program ends (the desktop quits its event loop; tests record it).
    std::function<void()> onEnd;
    bool ending = false;

    // Ends the program: closes every screen without the questions their close buttons ask.
    void endProgram();
};

}  // namespace ornivo::ui
