#pragma once
// Raw GPS fixes as tags record them, read from a Movebank CSV export or a GPX log. Readers keep every
// data row (with why it cannot be used, if so) so that the importer can count what it skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "track/UtcMoment.h"

namespace ornivo::track {

enum class FixStatus { Ok, Invisible, NoTime, NoPosition };

struct RawFix {
    FixStatus status = FixStatus::Ok;
    int32_t animal = 0;       // index into FixFile::animals
    int64_t row = 0;          // 0-based data row of this animal in the file (skipped rows count too)
    Moment moment = 0;
    double lat = 0, lon = 0;  // degrees north and east
    double height = 0;        // m; see FixFile::heightKind
    bool hasHeight = false;
    double tagSpeed = 0;      // m/s, the tag's instantaneous ground speed
    double tagHeading = 0;    // degrees
    bool hasTagSpeed = false, hasTagHeading = false;
    int16_t fixType = 3;      // 3 = 3-D fix, 2 = 2-D
    int64_t eventId = 0;
    bool hasEventId = false;
};

enum class FixFormat { MovebankCsv, Gpx };

struct FixFile {
    FixFormat format = FixFormat::MovebankCsv;
    std::vector<RawFix> fixes;         // in file order
    std::vector<std::string> animals;  // identifiers in order of first appearance; one "" when the file names none
    std::vector<int64_t> rowsPerAnimal;
    std::string heightKind = "ellipsoid";  // "ellipsoid", "sea level" (height-above-msl) or "GPX elevation"
};

// Reads a Movebank CSV export; columns are found by their header names (event-id, visible, timestamp,
// location-long, location-lat, eobs:type-of-fix, ground-speed, heading, height-above-ellipsoid or
// height-above-msl, individual-local-identifier), others are ignored. Returns false with a one-line
// reason when the text is not such an export.
bool ReadMovebankCsv(std::string_view text, FixFile& out, std::string& error);

// Reads the trkpt elements of a GPX file (any track and segment, in document order): lat, lon, ele,
// time, GPX 1.0 speed and course or those of a track point extension, fix (2d gives fix type 2).
bool ReadGpx(std::string_view text, FixFile& out, std::string& error);

// By the file's extension (.gpx, else Movebank CSV); a file that starts with '<' is read as GPX.
bool ReadFixFile(const std::string& path, FixFile& out, std::string& error);

}  // namespace ornivo::track
