#pragma once
// Screen test support: a fixture with the program state, scripted dialogs and an in-memory settings
// store, and helpers that type into fields and leave them as a person would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <string>
#include <vector>

#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "state/ProgramState.h"
#include "ui/Screen.h"
#include "ui/UiContext.h"

namespace ornivo::test {

class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();
    ~ScreenTest() override;

    // The open screen with this object name, or null.
    template <class T>
    T* screen(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) return qobject_cast<T*>(w);
        for (QWidget* w : QApplication::allWidgets())
            if (w->isWindow() && w->objectName() == name && w->isVisible()) return qobject_cast<T*>(w);
        return nullptr;
    }

    ProgramState s;
    platform::ScriptedDialogs d;
    platform::MemorySettingsStore settings;
    bool ended = false;
    ui::UiContext ctx{s, d, settings, [this] { ended = true; }};
};

// Clicks into the field, replaces its text by typing, and presses TAB.
void TypeInto(QWidget* screen, const char* field, const QString& text);
// The text of a field or label.
QString TextOf(QWidget* screen, const char* control);
// Lets deferred deletions and events run.
void Settle();
// The Alt+letter keys of a screen that two of its controls claim (empty when every key is unique),
// as "p: Wing S&pan, &Power curve".
std::vector<std::string> ClashingAccessKeys(QWidget* screen);
// The visible text fields of a screen whose text is wider than the field shows.
std::vector<std::string> ClippedFields(QWidget* screen);
// The visible controls of a screen that are cut off: lying partly outside the window or their parent,
// or squeezed below the size their text needs (controls inside a scrolled area are left alone), and
// the clipped text fields.
std::vector<std::string> ClippedControls(QWidget* screen);
// Shows a screen, writes its picture as <name>.png into the build's screens/ folder and fails the test
// when the screen's frame does not lie inside the display's available area or a control is cut off.
void ExpectFitsDisplay(QWidget* screen, const std::string& name);
// Shows a screen and writes its picture as <name>.png into the build's screens/ folder, failing the
// test when it does not fit an 800 by 600 display, two controls claim one Alt key or a field clips.
void Picture(QWidget* screen, const char* name);

}  // namespace ornivo::test
