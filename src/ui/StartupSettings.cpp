#include "ui/StartupSettings.h"

#include <algorithm>
#include <cctype>

namespace ornivo::ui {

void ReadStartupSettings(ProgramState& s, const platform::SettingsStore& store, const std::string& home,
                         const std::function<bool(const std::string&)>& folderExists) {
    s.OutDrive = store.get(SettingsApp, SettingsSection, "OutDrive", home);
    if (s.OutDrive.empty() || !folderExists(s.OutDrive)) s.OutDrive = home;
    std::string type = store.get(SettingsApp, SettingsSection, "FileType", "False");
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
    s.UseTextFiles = type == "true";
}

void WriteStartupSettings(const ProgramState& s, platform::SettingsStore& store) {
    store.set(SettingsApp, SettingsSection, "OutDrive", s.OutDrive);
    store.set(SettingsApp, SettingsSection, "FileType", s.UseTextFiles ? "True" : "False");
}

}  // namespace ornivo::ui
