#pragma once
// A temporary folder for a test, removed when the test ends; and copying the repository's test data into
// it, so that no test writes beside the data it reads.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ornivo::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Copies a file of the stork leg (data/tracks/NAME) into this folder; returns the copy's path.
    std::string copyTrack(const std::string& name) const;
    // Copies a file of the reference sample (tests/data/reference/RELATIVE) into this folder.
    std::string copyReference(const std::string& relative) const;
    std::string copyIn(const std::filesystem::path& source) const;
    std::string write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);

// A zip of the given parts (name, text), for hand-made workbooks.
void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& parts);

// The folders of the test data, in the source tree: the stork leg and the reference sample.
std::filesystem::path TracksDir();
std::filesystem::path ReferenceDir();

}  // namespace ornivo::test
