#include "render/SaveThrough.h"

#include "render/Export.h"

namespace ornivo::render {

bool SaveThrough(const std::string& path, std::string& error, const std::function<bool(QSaveFile&)>& write,
                 const std::string& failed) {
    EnsureGuiApplication();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    if (!write(file)) {
        file.cancelWriting();
        error = failed + path;
        return false;
    }
    if (!file.commit()) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace ornivo::render
