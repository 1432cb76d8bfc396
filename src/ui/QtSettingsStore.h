#pragma once
// The per-user settings store on QSettings: application = organisation and application name,
// section = group.
#include "platform/SettingsStore.h"

namespace ornivo::ui {

class QtSettingsStore : public platform::SettingsStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& defaultValue) const override;
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
};

}  // namespace ornivo::ui
