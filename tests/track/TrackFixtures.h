#pragma once
// Fixes for the track importer's tests: Movebank CSV text from a list of fixes, GPX text from the
// fixes of a Movebank file, and an import from text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "track/FixFiles.h"
#include "track/TrackImport.h"

namespace ornivo::test {

struct Fix {
    std::string time;          // "2016-05-02 04:20:46.000"
    double lat = 0, lon = 0;   // degrees
    double speed = 15;         // the tag's ground speed, m/s
    double heading = 90;
    std::string height = "100";
    std::string visible = "true";
    std::string animal = "A";
    std::optional<int64_t> event;  // none: an empty event-id field
};

// A Movebank export of the fixes, with the columns of a real one (and a quoted study name with a comma).
inline std::string MovebankCsv(const std::vector<Fix>& fixes) {
    std::string t = "event-id,visible,timestamp,location-long,location-lat,eobs:status,eobs:type-of-fix,ground-speed,"
                    "heading,height-above-ellipsoid,study-specific-measurement,sensor-type,individual-taxon-canonical-name,"
                    "tag-local-identifier,individual-local-identifier,study-name\n";
    char buf[64];
    for (const auto& f : fixes) {
        t += f.event ? std::to_string(*f.event) : std::string();
        t += "," + f.visible + "," + f.time + ",";
        std::snprintf(buf, sizeof buf, "%.6f,%.6f", f.lon, f.lat);
        t += buf;
        std::snprintf(buf, sizeof buf, ",\"A\",3,%.2f,%.2f,", f.speed, f.heading);
        t += buf;
        t += f.height + ",\"1\",\"gps\",\"Ciconia ciconia\",\"1\",\"" + f.animal + "\",\"Storks, test \"\"study\"\"\"\n";
    }
    return t;
}

inline track::ImportResult ImportText(const std::string& csv, const track::ImportOptions& o = {}) {
    track::FixFile file;
    std::string error;
    if (!track::ReadMovebankCsv(csv, file, error)) {
        track::ImportResult r;
        r.outcome = track::ImportResult::Outcome::FileError;
        r.message = {error};
        return r;
    }
    return track::ImportTrack(file, "test.csv", o);
}

inline track::ImportResult Import(const std::vector<Fix>& fixes, const track::ImportOptions& o = {}) {
    return ImportText(MovebankCsv(fixes), o);
}

// How a GPX file holds the tag's speed and heading.
enum class GpxSpeeds { None, Gpx10, Extension };

// The fixes of a file as a GPX track: lat and lon as the fixes hold them, ele, time, and the speed
// and course as asked.
inline std::string GpxOf(const track::FixFile& f, GpxSpeeds speeds) {
    std::string t = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    t += speeds == GpxSpeeds::Gpx10 ? "<gpx version=\"1.0\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
                                    : "<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                                      "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v2\">\n";
    t += "<trk><name>test</name><trkseg>\n";
    char buf[512];
    for (const auto& x : f.fixes) {
        std::string time = track::DateText(x.moment) + "T" + track::TimeText(x.moment) + "Z";
        std::snprintf(buf, sizeof buf, "<trkpt lat=\"%.6f\" lon=\"%.6f\"><ele>%.17g</ele><time>%s</time>", x.lat, x.lon,
                      x.height, time.c_str());
        t += buf;
        if (speeds == GpxSpeeds::Gpx10) {
            std::snprintf(buf, sizeof buf, "<course>%.17g</course><speed>%.17g</speed>", x.tagHeading, x.tagSpeed);
            t += buf;
        } else if (speeds == GpxSpeeds::Extension) {
            std::snprintf(buf, sizeof buf,
                          "<extensions><gpxtpx:TrackPointExtension><gpxtpx:speed>%.17g</gpxtpx:speed>"
                          "<gpxtpx:course>%.17g</gpxtpx:course></gpxtpx:TrackPointExtension></extensions>",
                          x.tagSpeed, x.tagHeading);
            t += buf;
        }
        t += "</trkpt>\n";
    }
    t += "</trkseg></trk></gpx>\n";
    return t;
}

}  // namespace ornivo::test
