#include "output/TextRunOutput.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/FlapTextBlock.h"
#include "output/GlideTextBlock.h"
#include "output/MigrationTextBlock.h"
#include "output/OutputTree.h"
#include "platform/FileLayer.h"

namespace fs = std::filesystem;

namespace ornivo::output {
namespace {

std::string reason(int err) { return std::strerror(err); }

// Reads the whole file; false with the reason when it exists but cannot be read.
bool readExisting(const std::string& path, std::string& content, bool& exists, mode_t& mode, std::string& why) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        exists = false;
        if (errno == ENOENT) return true;
        why = reason(errno);
        return false;
    }
    exists = true;
    mode = st.st_mode & 07777;
    if (!S_ISREG(st.st_mode)) {
        why = "it is not a regular file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = reason(errno);
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) {
        why = "it cannot be read";
        return false;
    }
    content = buf.str();
    return true;
}

// Opens a new temporary file beside `path`; -1 with errno on failure.
int openTemporary(const std::string& path, std::string& tmp) {
    static std::atomic<unsigned> counter{0};
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = (dir / ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                      std::to_string(counter++)))
                  .string();
        int fd = platform::Files().open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = platform::Files().write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string WriteTextFile(const std::string& path, const std::string& content, bool append) {
    if (path.empty()) return "no file name was given";
    std::string old, why;
    bool exists = false;
    mode_t mode = 0;
    if (append && !readExisting(path, old, exists, mode, why)) return "the file cannot be read: " + why;

    platform::FileLayer& files = platform::Files();
    std::string tmp;
    int fd = openTemporary(path, tmp);
    if (fd < 0) return reason(errno);
    bool ok = writeAll(fd, old) && writeAll(fd, content);
    if (ok && exists) ok = files.fchmod(fd, mode) == 0;  // an appended file keeps its permissions
    if (ok) ok = files.fsync(fd) == 0;
    int err = errno;
    if (files.close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && files.rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        files.unlink(tmp.c_str());
        return reason(err);
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const fs::path parent = fs::path(path).has_parent_path() ? fs::path(path).parent_path() : fs::path(".");
    int dirFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

bool SaveTextRun(ProgramState& s, platform::Dialogs& d, const std::string& calcFolder, TextBlockFn block) {
    const int16_t countBefore = s.OutputCount;
    const std::string pathBefore = s.OutPath;
    s.OutputCount = static_cast<int16_t>(countBefore + 1);
    s.Comment = d.inputBox("Please supply comment for insertion in output file");
    const bool create = s.OutputCount == 1;
    if (create) {
        std::string candidate;
        try {
            EnsureOutputFolder(s, "TextFiles", calcFolder);
            candidate = NextFreeOutputName(s, ".txt");
        } catch (const OutputError& e) {
            s.OutputCount = countBefore;
            d.error({e.what(), "This run was not saved."});
            return false;
        }
        auto chosen = d.saveFile({"Save output as text file", s.LastOutputFolder, "*.txt", candidate});
        if (!chosen || chosen->empty()) {
            s.OutputCount = countBefore;
            return false;
        }
        s.OutPath = *chosen;
    }
    const std::string err = WriteTextFile(s.OutPath, block(s), !create);
    if (!err.empty()) {
        d.error({"This run could not be saved in the text file " + s.OutPath, "Reason: " + err,
                 create ? "No file was written." : "The file still holds the runs saved in it before."});
        s.OutputCount = countBefore;
        s.OutPath = pathBefore;
        return false;
    }
    return true;
}

bool WriteRunText(ProgramState& s, platform::Dialogs& d) {
    return SaveTextRun(s, d, "PowerCurves", FlapTextBlock);
}
bool WriteGlideText(ProgramState& s, platform::Dialogs& d) {
    return SaveTextRun(s, d, "GlidePolars", GlideTextBlock);
}
bool WriteMigrationText(ProgramState& s, platform::Dialogs& d) {
    return SaveTextRun(s, d, "Migration", MigrationTextBlock);
}

}  // namespace ornivo::output
