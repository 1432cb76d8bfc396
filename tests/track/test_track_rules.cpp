// The rules of the track importer, each with its threshold, on fixes made for the case: grid marks,
// implausible speeds, on-ground fixes, stops and their empty rows, the two refusals, columns 13 to 22,
// several animals and rows that cannot be used.
#include <gtest/gtest.h>

#include <cmath>

#include "nav/DegreeTrig.h"
#include "track/TrackImport.h"
#include "track/TrackWriters.h"
#include "TrackFixtures.h"

using namespace ornivo;
using namespace ornivo::track;
using ornivo::test::Fix;
using ornivo::test::Import;

namespace {

constexpr double kKmPerDegree = 40000.0 / 360;

// Builds fixes along the equator: each at a time (minutes after 2016-05-02 04:00 UTC, fractions
// allowed), a position in km east, and the tag's speed.
class Plan {
public:
    Plan& at(double minutes, double km, double tagSpeed = 15) {
        Fix f;
        const Moment m = *ParseUtcMoment("2016-05-02 04:00:00") + Moment(std::llround(minutes * 60e6));
        char frac[16];
        std::snprintf(frac, sizeof frac, ".%06lld", (long long)(m % kMicrosPerSecond));
        f.time = MomentText(m) + frac;
        f.lon = km / kKmPerDegree;
        f.speed = tagSpeed;
        f.event = next_++;
        fixes.push_back(f);
        return *this;
    }
    // Flying at 10 m/s from the last fix, a fix every `step` minutes until `untilMinutes`.
    Plan& fly(double untilMinutes, double step = 20) {
        for (double t = lastMinutes() + step; t <= untilMinutes + 1e-9; t += step) at(t, lastKm() + 10 * step * 60 / 1000);
        return *this;
    }
    // On the ground (tag 0.2 m/s, not moving) every `step` minutes until `untilMinutes`.
    Plan& sit(double untilMinutes, double step = 20) {
        for (double t = lastMinutes() + step; t <= untilMinutes + 1e-9; t += step) at(t, lastKm(), 0.2);
        return *this;
    }
    double lastKm() const { return fixes.empty() ? 0 : fixes.back().lon * kKmPerDegree; }
    double lastMinutes() const {
        return double(*ParseUtcMoment(fixes.back().time) - *ParseUtcMoment("2016-05-02 04:00:00")) / 60e6;
    }
    std::vector<Fix> fixes;

private:
    int64_t next_ = 1000;
};

std::vector<std::string> times(const ImportResult& r) {
    std::vector<std::string> t;
    for (const auto& row : r.rows) t.push_back(row.empty ? "-" : TimeText(row.moment));
    return t;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string t;
    for (const auto& l : lines) t += l + "\n";
    return t;
}

Moment mark(const char* text) { return *ParseMarkText(text); }

}  // namespace

// ---- Grid marks ----

TEST(TrackGrid, TheFirstFixAtOrAfterEachMarkIsKeptAndAFixOnTheMarkBelongsToIt) {
    Plan p;
    p.at(19 + 59.0 / 60, 0).at(20, 0.01).at(25, 3.01).at(40 + 1.0 / 60, 12.02).at(41, 12.6);
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok()) << joined(r.message);
    EXPECT_EQ(times(r), (std::vector<std::string>{"04:20:00", "04:40:01"}));  // 04:19:59 is the anchor
    EXPECT_EQ(r.summary.kept, 3);
    EXPECT_EQ(r.summary.laterInMark, 2);
}

TEST(TrackGrid, TheGridOptionSetsTheMarks) {
    Plan p;
    p.at(0, 0).fly(60, 5);
    ImportOptions o;
    o.gridMinutes = 10;
    EXPECT_EQ(Import(p.fixes, o).summary.kept, 7);
    EXPECT_EQ(Import(p.fixes).summary.kept, 4);
}

TEST(TrackGrid, MarksAreCountedFromEachUtcMidnight) {
    // 7 minutes do not divide a day: the marks of 2 May end at 23:55, and 3 May starts at 00:00.
    Plan p;
    p.at(19 * 60 + 48, 0).at(19 * 60 + 56, 4.8).at(20 * 60 + 1, 7.8);  // 23:48, 23:56, 00:01 (+1 day)
    ImportOptions o;
    o.gridMinutes = 7;
    auto r = Import(p.fixes, o);
    ASSERT_TRUE(r.ok()) << joined(r.message);
    EXPECT_EQ(times(r), (std::vector<std::string>{"23:56:00", "00:01:00"}));
}

TEST(TrackGrid, StartAndEndAreTheFirstAndLastMarksUsed) {
    Plan p;
    p.at(0, 0).fly(120, 5);  // 04:00 to 06:00 every 5 minutes
    ImportOptions o;
    o.start = mark("2016-05-02 04:30");  // between marks: the first mark used is 04:40
    o.end = mark("2016-05-02 05:20");
    auto r = Import(p.fixes, o);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(times(r), (std::vector<std::string>{"05:00:00", "05:20:00"}));  // 04:40:00 is the anchor
    EXPECT_EQ(r.summary.outsideMarks, 8 + 5);  // 04:00-04:35 and 05:40-06:00 (05:25-05:35 are later in 05:20)
}

// ---- Implausible speeds ----

TEST(TrackSpeed, AFixEndingASegmentFasterThanTheMaximumIsDroppedAndNotReplaced) {
    Plan p;
    p.at(0, 0).at(20, 12).at(40, 124).at(45, 27).at(60, 36);  // 04:40 lies 112 km on: 93 m/s
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.droppedSpeed, 1);
    EXPECT_EQ(times(r), (std::vector<std::string>{"04:20:00", "05:00:00"}));  // no 04:45 for the mark
    EXPECT_EQ(r.rows[1].seconds, 2400);  // measured from 04:20
    EXPECT_DOUBLE_EQ(*r.rows[1].distanceKm, 24.0);

    ImportOptions o;
    o.maxSpeed = 100;
    EXPECT_EQ(Import(p.fixes, o).summary.droppedSpeed, 0);
    o.maxSpeed = 93.4;  // 112 km in 1200 s is 93.33 m/s: not faster
    EXPECT_EQ(Import(p.fixes, o).summary.droppedSpeed, 0);
}

// ---- On the ground and stops ----

namespace {

// Three fixes flying, three test fixes (each `km` on from the last, tag speed `tag`), three flying.
std::vector<Fix> threeTestFixes(double km, double tag) {
    Plan p;
    p.at(0, 0).fly(60);
    for (int i = 0; i < 3; ++i) p.at(p.lastMinutes() + 20, p.lastKm() + km, tag);
    p.fly(p.lastMinutes() + 60);
    return p.fixes;
}

int64_t stopsWith(const std::vector<Fix>& f, ImportOptions o = {}) {
    auto r = Import(f, o);
    EXPECT_TRUE(r.ok()) << joined(r.message);
    return r.summary.stops;
}

}  // namespace

TEST(TrackGround, ATagSpeedBelowTheGroundSpeedIsOnTheGround) {
    EXPECT_EQ(stopsWith(threeTestFixes(12, 1.99)), 1);  // even while the fixes move on
    EXPECT_EQ(stopsWith(threeTestFixes(12, 2.0)), 0);
    ImportOptions o;
    o.groundSpeed = 2.5;
    EXPECT_EQ(stopsWith(threeTestFixes(12, 2.0), o), 1);
}

TEST(TrackGround, ASlowSegmentWithATagSpeedBelowTheMaximumIsOnTheGround) {
    // 0.54 km in 1200 s: 0.45 m/s.
    EXPECT_EQ(stopsWith(threeTestFixes(0.54, 9.9)), 1);
    EXPECT_EQ(stopsWith(threeTestFixes(0.54, 10.0)), 0);  // the tag says it flies
    EXPECT_EQ(stopsWith(threeTestFixes(0.66, 5.0)), 0);   // 0.55 m/s
    ImportOptions o;
    o.groundSegSpeed = 0.4;
    EXPECT_EQ(stopsWith(threeTestFixes(0.54, 9.9), o), 0);
    o = {};
    o.groundTagMax = 12;
    EXPECT_EQ(stopsWith(threeTestFixes(0.54, 10.0), o), 1);
}

TEST(TrackStops, ThreeOnGroundFixesAreAStopWithTheirFirstAndLastKept) {
    auto f = threeTestFixes(0, 0.2);
    auto r = Import(f);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.stops, 1);
    EXPECT_EQ(r.summary.emptyRows, 1);
    EXPECT_EQ(times(r), (std::vector<std::string>{"04:20:00", "04:40:00", "05:00:00", "05:20:00", "-", "06:00:00",
                                                   "06:20:00", "06:40:00", "07:00:00"}));
    // The take-off row describes the segment from the blanked fix, and numbering goes on.
    const auto& takeOff = r.rows[5];
    EXPECT_EQ(takeOff.seconds, 1200);
    EXPECT_EQ(takeOff.point, 5);
    EXPECT_EQ(takeOff.sourceRows, 1);
    for (int c = 1; c <= 22; ++c) EXPECT_EQ(CellText(r.rows[4], c), "");
}

TEST(TrackStops, TheStopFixesOptionSetsTheRunLength) {
    Plan p;
    p.at(0, 0).fly(60).sit(100).fly(160);  // two fixes on the ground: 05:20 and 05:40
    auto two = Import(p.fixes);
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(two.summary.stops, 0);  // runs of 1 or 2 stay ordinary points
    ImportOptions o;
    o.stopFixes = 2;
    auto r = Import(p.fixes, o);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.stops, 1);
    EXPECT_EQ(r.summary.emptyRows, 1);  // no fix between them, still one empty row
    EXPECT_EQ(r.summary.trackPoints, two.summary.trackPoints);
    o.stopFixes = 4;
    EXPECT_EQ(stopsWith(threeTestFixes(0, 0.2), o), 0);
}

TEST(TrackStops, EmptyRowsByTheStopsLengthFromItsFirstFixToItsLast) {
    auto stopOf = [](double minutes, ImportOptions o = {}) {
        Plan p;
        p.at(0, 0).fly(40).at(60, 12, 0.2).sit(60 + minutes - 20);
        p.at(60 + minutes, p.lastKm(), 0.2).fly(60 + minutes + 60);
        auto r = Import(p.fixes, o);
        EXPECT_TRUE(r.ok()) << joined(r.message);
        EXPECT_EQ(r.summary.stops, 1);
        return r.summary.emptyRows;
    };
    EXPECT_EQ(stopOf(179), 1);
    EXPECT_EQ(stopOf(180), 2);  // exactly 3 h
    EXPECT_EQ(stopOf(479), 2);
    EXPECT_EQ(stopOf(480), 3);  // exactly 8 h
    EXPECT_EQ(stopOf(900), 3);
    ImportOptions o;
    o.emptyRowHours = {1, 2};
    EXPECT_EQ(stopOf(60, o), 2);
    EXPECT_EQ(stopOf(179, o), 3);
}

TEST(TrackStops, ARunHoldingAGapLongerThanTheStopGapIsAStop) {
    Plan p;
    p.at(0, 0).fly(60).at(80, 12, 0.2).at(100, 12, 0.2).at(100 + 6 * 60, 12, 0.2).fly(100 + 6 * 60 + 60);
    ImportOptions o;
    o.stopFixes = 4;
    auto r = Import(p.fixes, o);
    ASSERT_TRUE(r.ok()) << joined(r.message);
    EXPECT_EQ(r.summary.stops, 1);
    EXPECT_EQ(r.summary.emptyRows, 2);  // 6 h 20 min
    o.stopGapHours = 7;
    EXPECT_EQ(Import(p.fixes, o).summary.stops, 0);
}

TEST(TrackStops, AStopAtTheEndOfTheTrackKeepsItsLastFix) {
    Plan p;
    p.at(0, 0).fly(60).sit(160);
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.stops, 1);
    EXPECT_FALSE(r.rows.back().empty);
    EXPECT_EQ(TimeText(r.rows.back().moment), "06:40:00");
}

// ---- Refusals ----

TEST(TrackRefusal, ALongGapWithAnEndInFlightIsRefusedNamingTheFixesAndTheStopGap) {
    Plan p;
    p.at(0, 0).fly(60).at(60 + 180, 100).fly(300);  // 05:00 flying, 08:00 flying
    auto r = Import(p.fixes);
    ASSERT_EQ(r.outcome, ImportResult::Outcome::Refused);
    const auto text = joined(r.message);
    EXPECT_NE(text.find("2016-05-02 05:00:00 (event 1003), flying"), std::string::npos) << text;
    EXPECT_NE(text.find("2016-05-02 08:00:00 (event 1004), flying"), std::string::npos) << text;
    EXPECT_NE(text.find("3 hours, longer than the stop gap of 2 hours"), std::string::npos) << text;
    EXPECT_NE(text.find("--stop-gap-hours) of 3 hours or more"), std::string::npos) << text;
    EXPECT_TRUE(r.rows.empty());
    ImportOptions o;
    o.stopGapHours = 3;  // not longer than the gap any more
    EXPECT_TRUE(Import(p.fixes, o).ok());
}

TEST(TrackRefusal, AGapOfExactlyTheStopGapIsAnOrdinarySegment) {
    Plan p;
    p.at(0, 0).fly(60).at(180, 100).fly(240);
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok()) << joined(r.message);
    EXPECT_EQ(r.rows[3].seconds, 7200);
}

TEST(TrackRefusal, AStopAcrossAGapWithNoFixBetweenLandingAndTakeOffIsRefused) {
    Plan p;
    p.at(0, 0).fly(60).at(80, 12, 0.2).at(80 + 361, 12, 0.2).fly(80 + 361 + 60);
    auto r = Import(p.fixes);
    ASSERT_EQ(r.outcome, ImportResult::Outcome::Refused);
    const auto text = joined(r.message);
    EXPECT_NE(text.find("2016-05-02 05:20:00 (event 1004) and 2016-05-02 11:21:00 (event 1005)"), std::string::npos)
        << text;
    EXPECT_NE(text.find("no fix between landing and take-off"), std::string::npos);
    EXPECT_NE(text.find("--stop-gap-hours) of 6.02 hours"), std::string::npos) << text;
    ImportOptions o;
    o.stopGapHours = 6.02;
    auto ok = Import(p.fixes, o);
    ASSERT_TRUE(ok.ok()) << joined(ok.message);
    EXPECT_EQ(ok.summary.stops, 0);
}

// ---- Columns ----

TEST(TrackColumns, AZeroDistanceSegmentKeepsThePreviousBearingAndTheFirstHasNone) {
    Plan p;
    p.at(0, 0).at(20, 0).at(40, 12).at(60, 12).at(80, 24);  // tag 15 m/s: never on the ground
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.rows[0].track, 0);
    EXPECT_FALSE(r.rows[0].distanceKm.has_value());
    EXPECT_EQ(CellText(r.rows[0], 13), ".");
    EXPECT_EQ(r.rows[1].track, 90);
    EXPECT_EQ(*r.rows[2].distanceKm, 0);
    EXPECT_EQ(r.rows[2].track, 90);
    EXPECT_EQ(r.rows[2].windFrom, 90);  // no wind: wind from = track
}

TEST(TrackColumns, DurationsAreWholeSecondsOfTheExactTimesRoundedHalfToEven) {
    Plan p;
    p.at(0.4 / 60, 0).at(20, 12).at(40 + 0.5 / 60, 24).at(61, 36);
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.rows[0].seconds, 1200);  // 1199.6 s
    EXPECT_EQ(r.rows[1].seconds, 1200);  // 1200.5 s
    EXPECT_EQ(r.rows[2].seconds, 1260);  // 1259.5 s
    EXPECT_EQ(CellText(r.rows[1], 2), "04:40:00");  // the time cell cuts the fraction
    EXPECT_DOUBLE_EQ(r.rows[1].groundSpeed, 10.0);  // km over the whole seconds
}

TEST(TrackColumns, SourceRowsAreTheEventIdDifferenceOrTheRowsSpanned) {
    Plan p;
    p.at(0, 0).fly(60, 5);
    auto r = Import(p.fixes);
    EXPECT_EQ(r.rows[0].sourceRows, 4);
    for (auto& f : p.fixes) f.event.reset();
    p.fixes[2].visible = "false";
    r = Import(p.fixes);
    EXPECT_EQ(r.rows[0].sourceRows, 4);  // the invisible row is spanned too
    EXPECT_EQ(r.summary.skippedInvisible, 1);
    // Event ids too far apart for the GPS run's 16-bit column: the rows spanned, with a note.
    for (std::size_t i = 0; i < p.fixes.size(); ++i) p.fixes[i].event = int64_t(i) * 100000;
    p.fixes[2].visible = "true";
    r = Import(p.fixes);
    EXPECT_EQ(r.rows[0].sourceRows, 4);
    ASSERT_EQ(r.summary.warnings.size(), 1u);
    EXPECT_NE(r.summary.warnings[0].find("16-bit"), std::string::npos);
}

TEST(TrackColumns, ClimbAndDensityFromTheHeights) {
    Plan p;
    p.at(0, 0).at(20, 12).at(40, 24);
    p.fixes[1].height = "220.5";
    p.fixes[2].height = "";  // none: the height before it
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_DOUBLE_EQ(r.rows[0].climb, 0.1004);  // 120.5 m in 1200 s
    EXPECT_EQ(r.rows[0].altitude, 220);         // half to even
    EXPECT_DOUBLE_EQ(r.rows[0].densityRatio, std::round(std::pow(1 - 0.0065 * 220.5 / 288, 4.256) * 1e6) / 1e6);
    EXPECT_EQ(r.rows[1].height, 220.5);
    EXPECT_EQ(r.rows[1].climb, 0);
    EXPECT_EQ(r.summary.heightsFilled, 1);
}

namespace {

// The GPS run's wind triangle: ground speed along track T for air speed V, wind W from D.
double groundSpeedAt(double v, double w, double t, double d) {
    double dd = d - t;
    if (dd == 0) return v - w;
    if (std::fabs(dd) == 180) return v + w;
    const double z = dd - 180, k = v / nav::SinD(z), e = nav::ArcSinD(w / k), y = 180 - z - e;
    return k * nav::SinD(y);
}

}  // namespace

TEST(TrackColumns, AConstantWindGivesTheAirVelocityAsGroundVelocityMinusWind) {
    Plan p;
    p.at(0, 0).at(20, 12).at(40, 24);  // 10 m/s east
    struct Case {
        double from, speed, air, heading;
    };
    for (auto c : {Case{90, 5, 15, 90}, Case{270, 5, 5, 90}, Case{0, 5, 11.18, 63.43}, Case{180, 5, 11.18, 116.57}}) {
        ImportOptions o;
        o.windFrom = c.from;
        o.windSpeed = c.speed;
        auto r = Import(p.fixes, o);
        ASSERT_TRUE(r.ok());
        const auto& row = r.rows[1];
        EXPECT_EQ(row.windFrom, c.from);
        EXPECT_EQ(row.windSpeed, c.speed);
        EXPECT_NEAR(row.airSpeed, c.air, 0.005) << c.from;
        EXPECT_NEAR(row.airHeading, c.heading, 0.005) << c.from;
        EXPECT_EQ(row.groundSpeed, 10);
        // The GPS run flies the air speed through the wind back to the ground speed.
        EXPECT_NEAR(groundSpeedAt(row.airSpeed, row.windSpeed, row.track, row.windFrom), 10, 0.01) << c.from;
    }
}

// ---- Animals and unusable rows ----

TEST(TrackAnimals, SeveralAnimalsNeedAChoice) {
    Plan p;
    p.at(0, 0).fly(60);
    auto fixes = p.fixes;
    for (auto f : p.fixes) {
        f.animal = "B";
        fixes.push_back(f);
    }
    fixes.pop_back();
    auto r = Import(fixes);
    ASSERT_EQ(r.outcome, ImportResult::Outcome::Refused);
    EXPECT_EQ(joined(r.message),
              "The file holds the fixes of 2 animals; choose one with --animal:\n  A (4 rows)\n  B (3 rows)\n");
    ImportOptions o;
    o.animal = "B";
    r = Import(fixes, o);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.animal, "B");
    EXPECT_EQ(r.summary.fixesRead, 3);
    EXPECT_EQ(r.summary.otherAnimals, 4);
    EXPECT_EQ(r.summary.trackPoints, 2);
    o.animal = "C";
    r = Import(fixes, o);
    ASSERT_EQ(r.outcome, ImportResult::Outcome::Refused);
    EXPECT_NE(joined(r.message).find("no animal \"C\""), std::string::npos);
}

TEST(TrackRows, RowsWithoutVisibilityTimeOrPositionAreSkippedAndCounted) {
    Plan p;
    p.at(0, 0).fly(100);
    p.fixes[1].visible = "false";
    p.fixes[2].time = "";
    p.fixes[3].lat = 95;  // no such latitude
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.summary.fixesRead, 6);
    EXPECT_EQ(r.summary.skippedInvisible, 1);
    EXPECT_EQ(r.summary.skippedNoTime, 1);
    EXPECT_EQ(r.summary.skippedNoPosition, 1);
    EXPECT_EQ(r.summary.skipped(), 3);
    EXPECT_EQ(times(r), (std::vector<std::string>{"05:20:00", "05:40:00"}));
}

TEST(TrackRows, FixesOutOfOrderAreTakenInTimeOrder) {
    Plan p;
    p.at(0, 0).fly(80);
    std::swap(p.fixes[1], p.fixes[3]);
    auto r = Import(p.fixes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(times(r), (std::vector<std::string>{"04:20:00", "04:40:00", "05:00:00", "05:20:00"}));
}

TEST(TrackRows, FewerThanTwoKeptFixesMakeNoTrack) {
    Plan p;
    p.at(0, 0);
    auto r = Import(p.fixes);
    EXPECT_EQ(r.outcome, ImportResult::Outcome::Refused);
}

// ---- Options and files ----

TEST(TrackOptions, OptionsOutsideTheirRangeAreNamed) {
    ImportOptions o;
    EXPECT_EQ(CheckOptions(o), "");
    o.stopFixes = 1;
    EXPECT_NE(CheckOptions(o).find("--stop-fixes"), std::string::npos);
    o = {};
    o.emptyRowHours = {8, 3};
    EXPECT_NE(CheckOptions(o).find("--empty-row-hours"), std::string::npos);
    o = {};
    o.windFrom = 90;
    EXPECT_NE(CheckOptions(o).find("go together"), std::string::npos);
    o = {};
    o.gridMinutes = 0;
    EXPECT_NE(CheckOptions(o).find("--grid"), std::string::npos);
    o = {};
    o.start = mark("2016-05-03 00:00");
    o.end = mark("2016-05-02 00:00");
    EXPECT_NE(CheckOptions(o).find("--end"), std::string::npos);
}

TEST(TrackFiles, MomentsAndFileKinds) {
    EXPECT_EQ(*ParseUtcMoment("2016-05-02T07:20:46+03:00"), *ParseUtcMoment("2016-05-02 04:20:46"));
    EXPECT_EQ(*ParseUtcMoment("2016-05-02T04:20:46.5Z") - *ParseUtcMoment("2016-05-02 04:20:46"), 500000);
    EXPECT_FALSE(ParseUtcMoment("2016-02-30 04:20:46"));
    EXPECT_FALSE(ParseUtcMoment("yesterday"));
    EXPECT_EQ(MomentText(*ParseMarkText("2016-05-04 15:00")), "2016-05-04 15:00:00");
    EXPECT_EQ(DateSerialOf(*ParseUtcMoment("2016-05-02 04:40:29")), 42492);

    FixFile f;
    std::string error;
    EXPECT_FALSE(ReadMovebankCsv("event-id,location-long,location-lat\n1,2,3\n", f, error));
    EXPECT_NE(error.find("timestamp"), std::string::npos);
    ASSERT_TRUE(ReadGpx("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>2016-05-02T04:20:46Z</time>"
                        "<fix>2d</fix></trkpt><trkpt lon=\"2\"><time>2016-05-02T04:40:46Z</time></trkpt>"
                        "</trkseg></trk></gpx>",
                        f, error));
    ASSERT_EQ(f.fixes.size(), 2u);
    EXPECT_EQ(f.fixes[0].fixType, 2);
    EXPECT_EQ(f.fixes[1].status, FixStatus::NoPosition);
    EXPECT_FALSE(ReadGpx("<kml/>", f, error));
}
