#include "track/TrackImport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "nav/DegreeTrig.h"
#include "state/numtext.h"
#include "track/TrackGeometry.h"

namespace ornivo::track {
namespace {

constexpr double kHour = 3600.0 * kMicrosPerSecond;

// The value as it is written with that many decimals. Computed values are rounded on their exact
// binary value (halves to even), not on their shortest text as typed numbers are: -0.39875 computed
// as -0.3987499999... is -0.3987 at four decimals.
double rounded(double x, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    const double r = std::strtod(buf, nullptr);
    return r == 0 ? 0.0 : r;  // no -0
}

std::string number(double x) {
    std::string t = FormatFixed(x, 6);
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t;
}

// Hours rounded up to two decimals: the smallest such threshold that is not below the value.
std::string hoursAtLeast(double hours) { return number(std::ceil(hours * 100 - 1e-9) / 100); }

std::string fixName(const RawFix& f) {
    std::string t = MomentText(f.moment);
    if (f.hasEventId) return t + " (event " + std::to_string(f.eventId) + ")";
    return t + " (fix " + std::to_string(f.row + 1) + " of the file)";
}

bool plausibleHeight(const RawFix& f) { return f.hasHeight && f.height >= -32768 && f.height <= 32767; }

ImportResult failure(ImportResult r, ImportResult::Outcome outcome, std::vector<std::string> lines) {
    r.outcome = outcome;
    r.message = std::move(lines);
    r.rows.clear();
    return r;
}

// The mark a moment belongs to: the last mark at or before it, marks counted from its UTC midnight.
Moment markOf(Moment m, Moment grid) {
    const Moment midnight = DayOf(m) * kMicrosPerDay;
    return midnight + (m - midnight) / grid * grid;
}

// Gives fixes without a usable height the height of the fix before (the first ones that of the
// first fix with one); returns how many were filled.
int64_t fillHeights(std::vector<RawFix>& fx) {
    auto firstGood = std::find_if(fx.begin(), fx.end(), plausibleHeight);
    double last = firstGood == fx.end() ? 0 : firstGood->height;
    int64_t filled = 0;
    for (auto& f : fx) {
        if (plausibleHeight(f)) {
            last = f.height;
        } else {
            f.height = last;
            f.hasHeight = true;
            ++filled;
        }
    }
    return filled;
}

// A fix without the tag's speed or heading takes them from the segment from the raw fix before it
// (the first fix from the segment to the one after it), at two decimals.
int64_t deriveTagSpeeds(std::vector<RawFix>& fx) {
    int64_t derived = 0;
    double lastHeading = 0;
    for (std::size_t i = 0; i < fx.size(); ++i) {
        auto& f = fx[i];
        if (!(f.hasTagSpeed && f.hasTagHeading) && fx.size() > 1) {
            const RawFix& a = i > 0 ? fx[i - 1] : fx[0];
            const RawFix& b = i > 0 ? fx[i] : fx[1];
            const double km = SegmentKm(a.lat, a.lon, b.lat, b.lon);
            const double sec = double(b.moment - a.moment) / kMicrosPerSecond;
            if (!f.hasTagSpeed) f.tagSpeed = rounded(sec > 0 ? km * 1000 / sec : 0, 2);
            if (!f.hasTagHeading) f.tagHeading = rounded(km > 0 ? InitialBearing(a.lat, a.lon, b.lat, b.lon) : lastHeading, 2);
            ++derived;
        } else if (!(f.hasTagSpeed && f.hasTagHeading)) {
            if (!f.hasTagSpeed) f.tagSpeed = 0;
            if (!f.hasTagHeading) f.tagHeading = 0;
            ++derived;
        }
        f.hasTagSpeed = f.hasTagHeading = true;
        lastHeading = f.tagHeading;
    }
    return derived;
}

struct Segment {
    double km = 0, bearing = 0;
    double exactSeconds = 0;
};

Segment segment(const RawFix& a, const RawFix& b) {
    Segment s;
    s.km = SegmentKm(a.lat, a.lon, b.lat, b.lon);
    s.exactSeconds = double(b.moment - a.moment) / kMicrosPerSecond;
    return s;
}

std::vector<std::string> animalList(const FixFile& file) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < file.animals.size(); ++i)
        lines.push_back("  " + (file.animals[i].empty() ? std::string("(no identifier)") : file.animals[i]) + " (" +
                        std::to_string(file.rowsPerAnimal[i]) + " rows)");
    return lines;
}

// Stops: first and last kept index of each run of on-ground fixes that is a stop.
struct Stop {
    std::size_t first, last;
};

}  // namespace

std::string CheckOptions(const ImportOptions& o) {
    auto bad = [](double v) { return !std::isfinite(v); };
    if (bad(o.gridMinutes) || o.gridMinutes < 1.0 / 60 || o.gridMinutes > 1440)
        return "--grid must be a number of minutes from 1/60 (one second) to 1440";
    if (bad(o.maxSpeed) || o.maxSpeed <= 0) return "--max-speed must be a speed above 0 m/s";
    if (bad(o.groundSpeed) || o.groundSpeed < 0) return "--ground-speed must be a speed of 0 m/s or more";
    if (bad(o.groundSegSpeed) || o.groundSegSpeed < 0) return "--ground-seg-speed must be a speed of 0 m/s or more";
    if (bad(o.groundTagMax) || o.groundTagMax < 0) return "--ground-tag-max must be a speed of 0 m/s or more";
    if (o.stopFixes < 2) return "--stop-fixes must be a whole number of 2 or more";
    if (bad(o.stopGapHours) || o.stopGapHours <= 0) return "--stop-gap-hours must be a number of hours above 0";
    const auto& e = o.emptyRowHours;
    if (bad(e[0]) || bad(e[1]) || e[0] <= 0 || e[1] < e[0])
        return "--empty-row-hours must be two numbers of hours A,B with 0 < A <= B";
    if (o.windFrom.has_value() != o.windSpeed.has_value()) return "--wind-from and --wind-speed go together";
    if (o.windFrom && (bad(*o.windFrom) || bad(*o.windSpeed) || *o.windSpeed < 0))
        return "--wind-from must be a direction in degrees and --wind-speed a speed of 0 m/s or more";
    if (o.start && o.end && *o.end < *o.start) return "--end must not be before --start";
    return "";
}

std::optional<Moment> ParseMarkText(const std::string& text) {
    auto m = ParseUtcMoment(text);
    if (!m) m = ParseUtcMoment(text + ":00");  // a date alone is its midnight
    if (!m) m = ParseUtcMoment(text + " 00:00");
    return m;
}

ImportResult ImportTrack(const std::string& path, const ImportOptions& options) {
    FixFile file;
    std::string error;
    ImportResult r;
    const auto slash = path.find_last_of("/\\");
    r.summary.fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!ReadFixFile(path, file, error)) return failure(std::move(r), ImportResult::Outcome::FileError, {error});
    return ImportTrack(file, r.summary.fileName, options);
}

ImportResult ImportTrack(const FixFile& file, const std::string& fileName, const ImportOptions& o) {
    using Outcome = ImportResult::Outcome;
    ImportResult r;
    auto& s = r.summary;
    s.fileName = fileName;
    s.format = file.format;
    if (auto e = CheckOptions(o); !e.empty()) return failure(std::move(r), Outcome::Refused, {e});

    // The animal.
    int32_t animal = 0;
    if (!o.animal.empty()) {
        auto it = std::find(file.animals.begin(), file.animals.end(), o.animal);
        if (it == file.animals.end()) {
            auto lines = animalList(file);
            lines.insert(lines.begin(), "The file holds no animal \"" + o.animal + "\"; its animals are:");
            return failure(std::move(r), Outcome::Refused, lines);
        }
        animal = int32_t(it - file.animals.begin());
    } else if (file.animals.size() > 1) {
        auto lines = animalList(file);
        lines.insert(lines.begin(), "The file holds the fixes of " + std::to_string(file.animals.size()) +
                                        " animals; choose one with --animal:");
        return failure(std::move(r), Outcome::Refused, lines);
    }
    s.animal = file.animals[std::size_t(animal)];

    std::vector<RawFix> fx;
    fx.reserve(file.fixes.size());
    for (const auto& f : file.fixes) {
        if (f.animal != animal) {
            ++s.otherAnimals;
            continue;
        }
        ++s.fixesRead;
        switch (f.status) {
            case FixStatus::Invisible: ++s.skippedInvisible; break;
            case FixStatus::NoTime: ++s.skippedNoTime; break;
            case FixStatus::NoPosition: ++s.skippedNoPosition; break;
            case FixStatus::Ok: fx.push_back(f); break;
        }
    }
    std::stable_sort(fx.begin(), fx.end(), [](const RawFix& a, const RawFix& b) { return a.moment < b.moment; });
    s.heightsFilled = fillHeights(fx);
    s.tagSpeedsDerived = deriveTagSpeeds(fx);

    // Subsampling: the first fix of every mark from the first mark to the last.
    const Moment grid = std::max<Moment>(1, std::llround(o.gridMinutes * 60 * kMicrosPerSecond));
    std::vector<RawFix> kept;
    Moment lastMark = 0;
    for (const auto& f : fx) {
        const Moment mark = markOf(f.moment, grid);
        if ((o.start && mark < *o.start) || (o.end && mark > *o.end)) {
            ++s.outsideMarks;
            continue;
        }
        if (!kept.empty() && mark == lastMark) {
            ++s.laterInMark;
            continue;
        }
        // Implausible speeds, after subsampling: the fix is dropped and its mark stays without one.
        if (!kept.empty()) {
            const auto seg = segment(kept.back(), f);
            if (seg.km * 1000 > o.maxSpeed * seg.exactSeconds) {
                ++s.droppedSpeed;
                lastMark = mark;
                continue;
            }
        }
        kept.push_back(f);
        lastMark = mark;
    }
    s.kept = int64_t(kept.size());
    if (kept.size() < 2) {
        return failure(std::move(r), Outcome::Refused,
                       {"No track can be made: " + std::to_string(kept.size()) +
                            (kept.size() == 1 ? " fix was" : " fixes were") +
                            " kept, and a track needs two (the first only starts the first segment)."});
    }
    s.first = kept.front().moment;
    s.last = kept.back().moment;

    // On the ground.
    const std::size_t n = kept.size();
    std::vector<Segment> seg(n);
    std::vector<char> ground(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto& f = kept[i];
        bool g = f.tagSpeed < o.groundSpeed;
        if (i > 0) {
            seg[i] = segment(kept[i - 1], f);
            g = g || (seg[i].km * 1000 < o.groundSegSpeed * seg[i].exactSeconds && f.tagSpeed < o.groundTagMax);
        }
        ground[i] = g;
    }

    // A long gap is a stop only when the bird was on the ground at both of its ends.
    const double gapUs = o.stopGapHours * kHour;
    for (std::size_t i = 1; i < n; ++i) {
        const double gap = double(kept[i].moment - kept[i - 1].moment);
        if (gap > gapUs && !(ground[i - 1] && ground[i])) {
            auto state = [&](std::size_t k) { return ground[k] ? "on the ground" : "flying"; };
            return failure(
                std::move(r), Outcome::Refused,
                {"The rules cannot decide the gap between the fixes of " + fixName(kept[i - 1]) + ", " + state(i - 1) +
                     ", and " + fixName(kept[i]) + ", " + state(i) + ": " + number(rounded(gap / kHour, 2)) +
                     " hours, longer than the stop gap of " + number(o.stopGapHours) + " hours.",
                 "A gap longer than the stop gap is a stop only when the bird is on the ground at both its ends; "
                 "with a stop gap (--stop-gap-hours) of " +
                     hoursAtLeast(gap / kHour) + " hours or more it is an ordinary segment."});
        }
    }

    // Stops: runs of on-ground track points (the first kept fix only starts the first segment).
    std::vector<Stop> stops;
    for (std::size_t i = 1; i < n;) {
        if (!ground[i]) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < n && ground[j + 1]) ++j;
        std::size_t longest = 0;
        double longestGap = 0;
        for (std::size_t k = i + 1; k <= j; ++k) {
            const double gap = double(kept[k].moment - kept[k - 1].moment);
            if (gap > longestGap) longestGap = gap, longest = k;
        }
        const bool hasGap = longestGap > gapUs;
        if (j - i + 1 >= std::size_t(o.stopFixes) || hasGap) {
            if (hasGap && j == i + 1) {
                return failure(
                    std::move(r), Outcome::Refused,
                    {"The rules cannot decide the stop between the fixes of " + fixName(kept[longest - 1]) + " and " +
                         fixName(kept[longest]) + ", both on the ground: " + number(rounded(longestGap / kHour, 2)) +
                         " hours apart, longer than the stop gap of " + number(o.stopGapHours) +
                         " hours, with no fix between landing and take-off to stand for the stop.",
                     "With a stop gap (--stop-gap-hours) of " + hoursAtLeast(longestGap / kHour) +
                         " hours or more the gap is an ordinary segment."});
            }
            stops.push_back({i, j});
        }
        i = j + 1;
    }
    s.stops = int64_t(stops.size());

    // The rows.
    const bool wind = o.windFrom.has_value();
    const double windFrom = wind ? std::fmod(std::fmod(*o.windFrom, 360.0) + 360.0, 360.0) : 0;
    const double windSpeed = wind ? *o.windSpeed : 0;
    r.rows.reserve(n + 3 * stops.size());
    std::size_t nextStop = 0;
    double lastBearing = 0;
    int32_t point = 0;
    int64_t eventFallbacks = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto& a = kept[i - 1];
        const auto& f = kept[i];
        auto& sg = seg[i];
        sg.bearing = sg.km > 0 ? InitialBearing(a.lat, a.lon, f.lat, f.lon) : lastBearing;
        lastBearing = sg.bearing;
        while (nextStop < stops.size() && stops[nextStop].last < i) ++nextStop;
        if (nextStop < stops.size()) {
            const auto& st = stops[nextStop];
            if (i == st.first + 1) {  // the first blanked fix, or the last fix when none is between
                const double hours = double(kept[st.last].moment - kept[st.first].moment) / kHour;
                const int rows = hours < o.emptyRowHours[0] ? 1 : hours < o.emptyRowHours[1] ? 2 : 3;
                TrackRow blank;
                blank.empty = true;
                r.rows.insert(r.rows.end(), std::size_t(rows), blank);
                s.emptyRows += rows;
            }
            if (i > st.first && i < st.last) continue;  // blanked inside the stop
        }
        TrackRow row;
        row.moment = f.moment;
        row.lat = rounded(f.lat, 6);
        row.lon = rounded(f.lon, 6);
        row.point = ++point;
        row.fixType = f.fixType;
        row.altitude = CInt(f.height);
        row.tagSpeed = rounded(f.tagSpeed, 6);
        row.tagHeading = rounded(f.tagHeading, 6);
        row.height = rounded(f.height, 6);
        row.densityRatio = rounded(std::pow(1 - 0.0065 * f.height / 288, 4.256), 6);
        if (i > 1) row.distanceKm = rounded(sg.km, 6);
        row.seconds = CLng(sg.exactSeconds);
        int64_t spanned = f.row - a.row;
        if (f.hasEventId && a.hasEventId) {
            const int64_t d = f.eventId - a.eventId;
            if (d >= -32768 && d <= 32767) spanned = d;
            else ++eventFallbacks;
        }
        row.sourceRows = int32_t(std::clamp<int64_t>(spanned, -32768, 32767));
        const double sec = row.seconds;
        const double groundSpeed = sec > 0 ? sg.km * 1000 / sec : 0;
        row.climb = rounded(sec > 0 ? (f.height - a.height) / sec : 0, 4);
        row.track = rounded(sg.bearing, 2);
        if (row.track >= 360) row.track = 0;
        row.groundSpeed = rounded(groundSpeed, 3);
        if (wind) {
            // Air velocity = ground velocity - wind velocity; the wind blows towards windFrom + 180.
            const double east = groundSpeed * nav::SinD(sg.bearing) + windSpeed * nav::SinD(windFrom);
            const double north = groundSpeed * nav::CosD(sg.bearing) + windSpeed * nav::CosD(windFrom);
            const double air = std::hypot(east, north);
            double heading = air > 0 ? std::atan2(east, north) * 180 / nav::Pi : sg.bearing;
            if (heading < 0) heading += 360;
            row.windFrom = rounded(windFrom, 2);
            row.windSpeed = rounded(windSpeed, 3);
            row.airHeading = rounded(heading, 2);
            if (row.airHeading >= 360) row.airHeading = 0;
            if (row.windFrom >= 360) row.windFrom = 0;
            row.airSpeed = rounded(air, 3);
        } else {
            // Without wind the wind triangle must see a head wind of 0: wind from = track.
            row.windFrom = row.track;
            row.airHeading = row.track;
            row.airSpeed = row.groundSpeed;
        }
        r.rows.push_back(row);
    }
    s.trackPoints = point;

    if (eventFallbacks > 0)
        s.warnings.push_back(std::to_string(eventFallbacks) +
                             " segments span event ids too far apart for column 15 (a 16-bit whole number); "
                             "it holds the number of the animal's rows spanned there.");
    if (point > 32767)
        s.warnings.push_back("The track has " + std::to_string(point) +
                             " points; a GPS run reads point numbers (column 5) only up to 32767.");
    if (s.heightsFilled > 0)
        s.warnings.push_back(std::to_string(s.heightsFilled) +
                             " fixes had no usable height and took that of the fix before them.");
    if (s.tagSpeedsDerived > 0 && file.format == FixFormat::MovebankCsv)
        s.warnings.push_back(std::to_string(s.tagSpeedsDerived) +
                             " fixes had no tag speed or heading and took those of the segment from the fix before them.");

    // Headings.
    const std::string who = s.animal.empty() ? fileName : s.animal;
    r.title = "Processed to Air Speed - " + who + " - " + DateText(*s.first) + " " + TimeText(*s.first) + " to " +
              DateText(*s.last) + " " + TimeText(*s.last) + " (UTC), " +
              (wind ? "constant wind from " + number(rounded(windFrom, 2)) + " deg at " + number(rounded(windSpeed, 3)) +
                          " m/s"
                    : std::string("no wind")) +
              " - from " + fileName;
    r.heightUnit = file.heightKind == "ellipsoid" ? "m (ellipsoid)" : file.heightKind == "sea level" ? "m (sea level)" : "m";
    return r;
}

std::vector<std::string> SummaryLines(const ImportSummary& s) {
    std::vector<std::string> l;
    const char* format = s.format == FixFormat::Gpx ? "GPX" : "Movebank CSV";
    l.push_back("Source: " + s.fileName + " (" + format + ")" + (s.animal.empty() ? "" : ", animal " + s.animal));
    std::string read = "Fixes read: " + std::to_string(s.fixesRead);
    if (s.otherAnimals > 0) read += " (" + std::to_string(s.otherAnimals) + " rows of other animals passed over)";
    l.push_back(read);
    l.push_back("Skipped: " + std::to_string(s.skipped()) + " (invisible " + std::to_string(s.skippedInvisible) +
                ", no time " + std::to_string(s.skippedNoTime) + ", no position " + std::to_string(s.skippedNoPosition) + ")");
    l.push_back("Kept: " + std::to_string(s.kept) + " (" + std::to_string(s.laterInMark) + " later in their mark, " +
                std::to_string(s.outsideMarks) + " outside the marks, " + std::to_string(s.droppedSpeed) +
                " dropped for speed)");
    l.push_back("Track points: " + std::to_string(s.trackPoints));
    l.push_back("Stops: " + std::to_string(s.stops));
    l.push_back("Empty rows: " + std::to_string(s.emptyRows));
    if (s.first && s.last) l.push_back("From " + MomentText(*s.first) + " to " + MomentText(*s.last) + " UTC");
    for (const auto& w : s.warnings) l.push_back("Note: " + w);
    return l;
}

}  // namespace ornivo::track
