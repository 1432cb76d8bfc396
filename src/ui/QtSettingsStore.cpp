#include "ui/QtSettingsStore.h"

#include <QSettings>

namespace ornivo::ui {
namespace {
QString q(const std::string& t) { return QString::fromStdString(t); }
}  // namespace

std::string QtSettingsStore::get(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    QSettings settings(q(app), q(app));
    settings.beginGroup(q(section));
    return settings.value(q(key), q(defaultValue)).toString().toStdString();
}

void QtSettingsStore::set(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) {
    QSettings settings(q(app), q(app));
    settings.beginGroup(q(section));
    settings.setValue(q(key), q(value));
    settings.sync();
}

}  // namespace ornivo::ui
