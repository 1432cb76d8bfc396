#pragma once
// From raw GPS fixes to the "Processed to Air Speed" track that a GPS run follows: subsampling on a
// grid of UTC marks, implausible speeds, on-ground fixes, stops with their empty rows, and the 22
// columns of each row. The screens and the CLI set ImportOptions, call ImportTrack, show the
// summary and save the rows with the writers of TrackWriters.h.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "track/FixFiles.h"
#include "track/UtcMoment.h"

namespace ornivo::track {

struct ImportOptions {
    double gridMinutes = 20;            // marks every so many minutes, counted from UTC midnight
    std::optional<Moment> start, end;   // first and last marks used (a time between marks: the marks inside)
    std::optional<double> windFrom;     // degrees, the direction a constant wind blows from
    std::optional<double> windSpeed;    // m/s
    double maxSpeed = 40;               // m/s: a kept fix ending a faster segment is dropped
    double groundSpeed = 2;             // m/s: a tag speed below it is on the ground
    double groundSegSpeed = 0.5;        // m/s: a segment slower than this ...
    double groundTagMax = 10;           // m/s: ... with a tag speed below this is on the ground
    int stopFixes = 3;                  // this many on-ground fixes in a row make a stop
    double stopGapHours = 2;            // a run of on-ground fixes holding a longer gap is a stop
    std::array<double, 2> emptyRowHours = {3, 8};  // stops from these lengths get 2 and 3 empty rows
    std::string animal;                 // individual-local-identifier; needed when the file holds several
};

// "" when the options can be used, otherwise why not (one line, naming the option).
std::string CheckOptions(const ImportOptions& o);

// A mark option as typed: "YYYY-MM-DD HH:MM" (seconds allowed), UTC.
std::optional<Moment> ParseMarkText(const std::string& text);

// One row of the track, values already rounded to the decimals they are written with.
struct TrackRow {
    bool empty = false;        // a row standing for fixes blanked inside a stop (all 22 columns empty)
    Moment moment = 0;         // the fix's exact moment
    double lat = 0, lon = 0;   // 3, 4: degrees, 6 decimals
    int32_t point = 0;         // 5: track point number from 1
    int16_t fixType = 3;       // 6
    int16_t altitude = 0;      // 7: m, whole
    double tagSpeed = 0;       // 8: m/s
    double tagHeading = 0;     // 9: degrees
    double height = 0;         // 11: m
    double densityRatio = 0;   // 12
    std::optional<double> distanceKm;  // 13: none on the first row (written ".")
    int32_t seconds = 0;       // 14: whole seconds from the previous kept fix
    int32_t sourceRows = 0;    // 15
    double climb = 0;          // 16: m/s
    double track = 0;          // 17: degrees
    double groundSpeed = 0;    // 18: m/s
    double windFrom = 0;       // 19: degrees
    double windSpeed = 0;      // 20: m/s
    double airHeading = 0;     // 21: degrees
    double airSpeed = 0;       // 22: m/s
};

struct ImportSummary {
    std::string fileName;
    FixFormat format = FixFormat::MovebankCsv;
    std::string animal;
    int64_t fixesRead = 0;          // data rows of the animal
    int64_t otherAnimals = 0;       // data rows of other animals, passed over
    int64_t skippedInvisible = 0;   // visible = false
    int64_t skippedNoTime = 0;
    int64_t skippedNoPosition = 0;
    int64_t outsideMarks = 0;       // before the first or after the last mark
    int64_t laterInMark = 0;        // not the first fix of their mark
    int64_t droppedSpeed = 0;       // ended a segment faster than the maximum speed
    int64_t kept = 0;               // the fixes of the track, the first (start of the first segment) included
    int64_t trackPoints = 0;
    int64_t stops = 0;
    int64_t emptyRows = 0;
    int64_t heightsFilled = 0;      // fixes without a usable height, given their neighbour's
    int64_t tagSpeedsDerived = 0;   // fixes without the tag's speed or heading, given those from the raw fixes
    std::optional<Moment> first, last;  // the first and last kept fix
    std::vector<std::string> warnings;
    int64_t skipped() const { return skippedInvisible + skippedNoTime + skippedNoPosition; }
};

struct ImportResult {
    enum class Outcome { Ok, FileError, Refused };
    Outcome outcome = Outcome::Ok;
    std::vector<std::string> message;  // why not, line by line, unless Ok
    std::vector<TrackRow> rows;
    ImportSummary summary;
    std::string title;                 // row 1 of the sheet
    std::string heightUnit;            // row 3 under "Altitude ASL"
    bool ok() const { return outcome == Outcome::Ok; }
};

// Reads the file (Movebank CSV or GPX) and makes the track.
ImportResult ImportTrack(const std::string& path, const ImportOptions& options);
// The same on fixes already read; fileName only names the source in the title and the summary.
ImportResult ImportTrack(const FixFile& file, const std::string& fileName, const ImportOptions& options);

// The summary as the CLI prints it and the import screen shows it, line by line.
std::vector<std::string> SummaryLines(const ImportSummary& s);

}  // namespace ornivo::track
