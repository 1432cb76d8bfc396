#pragma once
// The state of a migration run along a GPS track: the track read so far, the current point and
// segment, the trip totals, the stopover sites and the files written.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ornivo {

struct StopoverSite {
    std::string SiteName;
    double SiteFeedQ = 0;          // intake rate as a multiple of BMR
    double SiteCorners[4][2] = {}; // corners SW, NW, NE, SE: latitude, longitude (degrees)
};

// One stop of the track, as it was accounted: the outputs print each stop's own note.
struct GpsStop {
    int32_t Row = 0;               // its row of the output tables
    int64_t StartSec = 0, EndSec = 0;  // moments of the fixes before and after it, whole seconds
    double Lat = 0, Lon = 0;       // degrees, the last fix before it
    std::string Site;              // SiteLabel of its site lookup
    double FeedQ = 0;              // intake rate there (multiple of BMR)
    double Hours = 0;              // its length
    float FatChange = 0;           // kg gained (negative: used) during the stop
    float ProteinChange = 0;       // kg of wet protein (muscle and airframe) gained during the stop
    std::string Note;              // StopoverNote as it read for this stop
};

// Where the fat first fell below zero while the track was followed: the later rows carry the deficit.
struct FatRanOutPoint {
    int32_t Point = 0;             // the track point (1 = the first fix) reached when it ran out
    double Date = 0, Time = 0;     // serial day number and fraction of a day of that point
};

struct GpsResults {
    int32_t InputRow = 0;          // current data row of the track sheet
    int32_t ProgressRow = 0;       // current row of the progress sheet
    int32_t FirstDataRow = 4;      // 4 in a workbook, 2 in a csv file
    int32_t LastRow = 0;           // last row of the track sheet that holds any value
    int32_t PointCount = 0;        // track points read so far
    std::vector<double> TrackLat, TrackLon;  // degrees, of every track point
    double PointDate = 0, PointTime = 0;     // serial day number and fraction of a day
    int64_t PointMomentSec = 0;              // the moment of the current point, whole seconds
    double PointLat = 0, PointLon = 0, PrevLat = 0, PrevLon = 0;  // degrees
    bool HavePrevPoint = false;    // a track point was read before the current row
    int32_t SegmentSeconds = 0;    // s, duration of the current segment or stop
    double SegmentKm = 0;          // km, ground distance of the segment
    double SegmentAirKm = 0;       // km, air distance of the segment
    double GpsAirSpeed = 0;        // m/s, air speed of the current point
    double GroundSpeed = 0;        // m/s, ground speed at the model air speed
    double FlyingFraction = 0;     // share of the segment spent flying
    double FlyingMinutes = 0, RestingMinutes = 0;
    int32_t TripSeconds = 0;       // since the start, stops included
    float TripHours = 0;
    double AirDistance = 0;        // km flown through the air
    double FeedingHours = 0;       // hours of stops inside known sites
    bool AtKnownSite = false;
    std::string SiteLabel;         // site of the last lookup, or "Non-feeding Stop"
    std::string StopoverNote;      // text of the most recent stop
    float TrackEndTrip = 0, TrackEndFlown = 0;     // h, at the end of the track
    double TrackEndGround = 0, TrackEndAir = 0;    // km, at the end of the track
    float ProjectionPhase = 0;     // whole hours, phase of the projection rows
    std::string FilePrefix;        // first five characters of the track file's name
    std::string InputFolder;       // the track file's folder with a trailing separator
    std::string TrackFolder;       // folder of the dialogs and of the KML file: follows the last track chosen
    std::string KmlFolder;         // where a script asked for the KML file; empty: TrackFolder
    std::vector<StopoverSite> StopoverSites;  // entries 0..SiteCount-1 (sites 1..SiteCount)
    int16_t SiteCount = 0;
    bool SitesLoaded = false;      // the site file was loaded in this run
    float TrackAltitude = 0;       // m, column 11 (altitude ASL) of the last point
    int16_t PointAltitude = 0;     // m, column 7 of the last point (progress sheet)
    double TrackWindDir = 0, TrackWindSpeed = 0, TrackDirection = 0;  // wind triangle of the point
    std::string KmlFile, ProgressFile;  // paths of the files written by the last run
    std::vector<GpsStop> Stops;    // every stop of the track, in order
    std::optional<FatRanOutPoint> FatRanOut;  // set when the fat fell below zero on the track
};

}  // namespace ornivo
