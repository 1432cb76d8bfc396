#pragma once
// The readers under fuzzing take a path: each input is written to one scratch file per process
// (under TMPDIR, named by the process id) with the extension the reader expects.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace ornivo::fuzz {

inline std::string ScratchFile(const uint8_t* data, size_t size, const std::string& extension) {
    const char* tmp = std::getenv("TMPDIR");
    static const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/ornivo-fuzz-" +
                                    std::to_string(getpid()) + extension;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// A reader's answer must be true/false with a reason; this stops the run (a finding) otherwise.
[[noreturn]] inline void Finding(const char* what) {
    fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace ornivo::fuzz
