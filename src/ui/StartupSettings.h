#pragma once
// The start screen's per-user settings: the output root ("OutDrive") and the output type ("FileType").
#include <functional>
#include <string>

#include "platform/SettingsStore.h"
#include "state/ProgramState.h"

namespace ornivo::ui {

inline constexpr const char* SettingsApp = "Ornivo";
inline constexpr const char* SettingsSection = "Startup";

// OutDrive from "OutDrive" (the home folder when absent, or when the remembered folder no longer
// exists) and UseTextFiles from "FileType" ("True" or "False", false when absent).
void ReadStartupSettings(ProgramState& s, const platform::SettingsStore& store, const std::string& home,
                         const std::function<bool(const std::string&)>& folderExists);
// Writes both settings, as the start screen does when it closes.
void WriteStartupSettings(const ProgramState& s, platform::SettingsStore& store);

}  // namespace ornivo::ui
