#pragma once
// Writing a file so that an earlier file of that name stays as it was unless the whole new one was written.
#include <QSaveFile>
#include <functional>
#include <string>

namespace ornivo::render {

// Opens `path` through a save file, lets `write` fill it and replaces the old file only when both
// succeed. On failure `error` says why: `failed` followed by the path when `write` failed.
bool SaveThrough(const std::string& path, std::string& error, const std::function<bool(QSaveFile&)>& write,
                 const std::string& failed);

}  // namespace ornivo::render
