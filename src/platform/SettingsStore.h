#pragma once
// The per-user settings store: application, section, key; a default when absent.
#include <map>
#include <string>

namespace ornivo::platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& defaultValue) const = 0;
    virtual void set(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

// A store in memory, for tests and the CLI.
class MemorySettingsStore : public SettingsStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& defaultValue) const override {
        auto it = values_.find(app + "/" + section + "/" + key);
        return it == values_.end() ? defaultValue : it->second;
    }
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
        values_[app + "/" + section + "/" + key] = value;
    }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace ornivo::platform
