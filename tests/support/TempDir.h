#pragma once
// A temporary folder for a test, removed when the test ends; and copying shared data into it.
#include <filesystem>
#include <string>

namespace ornivo::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Copies a file of the shared data folder (relative to it) into this folder; returns the copy's path.
    std::string copyShared(const std::string& relative) const;
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);

}  // namespace ornivo::test
