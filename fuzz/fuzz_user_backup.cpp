// The user-bird backup file: records parsed or a BackupFormatError naming the line. A parsed record
// written back as lines reads back as the same record.
#include <cstring>

#include "FuzzFile.h"
#include "birddb/UserBackup.h"

using namespace ornivo::birddb;

namespace {
bool same(float a, float b) { return a == b || (a != a && b != b); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<BackupRecord> records;
    try {
        records = ParseBackup(text);
    } catch (const BackupFormatError& e) {
        if (e.line < 1 || std::strlen(e.what()) == 0) ornivo::fuzz::Finding("format error without line or reason");
        return 0;
    }
    for (const BackupRecord& r : records) {
        std::string again;
        for (const std::string& line : BackupLines(r)) again += line + "\n";
        std::vector<BackupRecord> back;
        try {
            back = ParseBackup(again);
        } catch (const BackupFormatError&) {
            ornivo::fuzz::Finding("a record's own lines do not read back");
        }
        if (back.size() != 1) ornivo::fuzz::Finding("a record's lines read back as another number of records");
        for (size_t i = 0; i < r.numbers.size(); ++i)
            if (!same(back[0].numbers[i], r.numbers[i])) ornivo::fuzz::Finding("a number changed on the way back");
        if (back[0].codes != r.codes) ornivo::fuzz::Finding("a code changed on the way back");
    }
    return 0;
}
