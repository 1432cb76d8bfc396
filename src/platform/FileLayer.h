#pragma once
// The system calls a save makes (open, write, sync, close, rename, unlink), behind a small
// interface so that tests can make the n-th of them fail and check that nothing saved before is
// lost. The program uses the system's own calls; a test installs its layer for one scope.
#include <sys/types.h>

#include <cstddef>

namespace ornivo::platform {

class FileLayer {
public:
    virtual ~FileLayer() = default;
    // Each returns what the system call returns, with errno set on failure.
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t write(int fd, const void* data, std::size_t size);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
};

// The layer saves go through now.
FileLayer& Files();

// Installs a layer until the end of the scope (tests).
class ScopedFileLayer {
public:
    explicit ScopedFileLayer(FileLayer& layer);
    ~ScopedFileLayer();
    ScopedFileLayer(const ScopedFileLayer&) = delete;
    ScopedFileLayer& operator=(const ScopedFileLayer&) = delete;

private:
    FileLayer* previous_;
};

}  // namespace ornivo::platform
