// The CSV track reader: each data row read column by column as the GPS run reads a track point;
// every value is a number of its column's type or a TrackError naming the row and column.
#include <cmath>

#include "FuzzFile.h"
#include "migrate/TrackReader.h"

using ornivo::migrate::TrackError;
using ornivo::migrate::TrackFile;

namespace {
template <class F>
void tryRead(F f) {
    try {
        f();
    } catch (const TrackError& e) {
        if (!*e.what()) ornivo::fuzz::Finding("track error without a message");
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ornivo::fuzz::ScratchFile(data, size, ".csv");
    try {
        TrackFile t(path);
        const int last = t.firstDataRow() + 200;
        for (int row = t.firstDataRow(); row <= last && t.hasRow(row); ++row) {
            t.forget(row);
            if (t.isStopRow(row)) continue;
            tryRead([&] { if (!std::isfinite(t.date(row, 1))) ornivo::fuzz::Finding("date not finite"); });
            tryRead([&] { if (!std::isfinite(t.time(row, 2))) ornivo::fuzz::Finding("time not finite"); });
            for (int c : {3, 4, 8, 9, 11, 12, 17, 19, 20, 21, 22})
                tryRead([&] { if (!std::isfinite(t.number(row, c))) ornivo::fuzz::Finding("number not finite"); });
            for (int c : {13, 16, 18})
                tryRead([&] { if (!std::isfinite(t.number(row, c, true))) ornivo::fuzz::Finding("number not finite"); });
            for (int c : {5, 6, 7, 15}) tryRead([&] { t.whole16(row, c); });
            tryRead([&] { t.whole32(row, 14); });
            tryRead([&] { t.date(row, 10); });
        }
    } catch (const TrackError& e) {
        if (!*e.what()) ornivo::fuzz::Finding("track error without a message");
    }
    return 0;
}
