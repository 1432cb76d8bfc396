#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ornivo::test {

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "ornivo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::copyTrack(const std::string& name) const { return copyIn(TracksDir() / name); }

std::string TempDir::copyReference(const std::string& relative) const { return copyIn(ReferenceDir() / relative); }

std::string TempDir::copyIn(const fs::path& source) const {
    fs::path dst = path_ / source.filename();
    fs::copy_file(source, dst, fs::copy_options::overwrite_existing);
    fs::permissions(dst, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    return dst.string();
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
    fs::path p = path_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

// The folders' paths are given to this library only, so that the tests compile alike in every clone
// (ccache finds them again).
fs::path TracksDir() { return ORNIVO_TRACKS_DIR; }
fs::path ReferenceDir() { return ORNIVO_REFERENCE_DIR; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& parts) {
    int err = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, text] : parts) {
        zip_source_t* src = zip_source_buffer(z, text.data(), text.size(), 0);
        ASSERT_GE(zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

}  // namespace ornivo::test
