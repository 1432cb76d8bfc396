#include "platform/FileLayer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace ornivo::platform {
namespace {
FileLayer& systemLayer() {
    static FileLayer layer;
    return layer;
}
FileLayer*& current() {
    static FileLayer* layer = &systemLayer();
    return layer;
}
}  // namespace

int FileLayer::open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileLayer::write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int FileLayer::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileLayer::fsync(int fd) { return ::fsync(fd); }
int FileLayer::close(int fd) { return ::close(fd); }
int FileLayer::rename(const char* from, const char* to) { return std::rename(from, to); }
int FileLayer::unlink(const char* path) { return ::unlink(path); }

FileLayer& Files() { return *current(); }

ScopedFileLayer::ScopedFileLayer(FileLayer& layer) : previous_(current()) { current() = &layer; }
ScopedFileLayer::~ScopedFileLayer() { current() = previous_; }

}  // namespace ornivo::platform
