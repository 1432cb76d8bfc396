// GPS-track runs end to end through the migration setup rules and Start: the real stork leg with its
// sites, progress workbook and map, and small made-up tracks for stops, slow segments and the projection.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "bird/EnterBird.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "migrate/GpsRun.h"
#include "migrate/SetupMigrate.h"
#include "output/MigrationTextBlock.h"
#include "platform/Folders.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"

using namespace ornivo;

namespace {

const char* kHeader =
    "Date,Time,Latitude,Longitude,Point,Fix,Altitude,Tag speed,Tag heading,Date,Altitude ASL,Density ratio,"
    "Ground distance,Duration,Source rows,Rate of climb,Track,Ground speed,Wind from,Wind speed,Air heading,Air speed\n";

// A fix row of a made-up track heading east along the equator.
std::string fix(const std::string& time, double lon, int duration, double airSpeed, double climb = 0) {
    std::ostringstream o;
    o << "2020-01-01," << time << ",0," << lon << ",1,3,100,5,90,2020-01-01,100,1,.," << duration << ",4," << climb
      << ",90," << airSpeed << ",90,0,90," << airSpeed << "\n";
    return o.str();
}
const std::string kStop = ",,,,,,,,,,,,,,,,,,,,,\n";

struct GpsRunFixture {
    ProgramState s;
    platform::ScriptedDialogs d;
    test::TempDir dir;

    GpsRunFixture() {
        platform::SetProgramFolder(ORNIVO_RUNTIME_DIR);
        s.ProgramFolder = platform::ShippedFolder();
        test::TypedBird b;
        b.name = "Ciconia ciconia";
        b.shortName = "Stork";
        b.mass = 3.0;
        b.span = 2.0;
        b.area = 0.45;
        test::TypeBird(s, d, b);
        EXPECT_TRUE(bird::PressCalculation(s, d, bird::Calculation::Migrate));
        migrate::LoadSetupMigrate(s, d);
        migrate::SetupMigrateEdit(s, d, "txtFatFrac", Edit::typed("0.25"));
        migrate::SetupMigrateEdit(s, d, "optGPS", Edit::click());
        s.Gps.TrackFolder = dir.str() + "/maps";
    }
    migrate::StartOutcome start(const std::string& track, const std::string& sites = {}) {
        d.yesNo.push_back(!sites.empty());
        if (!sites.empty()) d.files.push_back(sites);
        d.files.push_back(track);
        return migrate::StartMigrating(s, d);
    }
    int stopRows() const {
        int n = 0;
        for (int r = 1; r <= s.Migration.RowsWritten; ++r) n += s.Migration.TravelTable[r][1] == -1;
        return n;
    }
};

}  // namespace

TEST(GpsRun, RealStorkLegWithSitesProgressAndMap) {
    GpsRunFixture f;
    const std::string base = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
    const std::string track = f.dir.copyTrack(base + ".xlsx");
    const std::string sites = f.dir.copyTrack(base + "_StopoverSites.txt");
    f.s.Migration.MigScreen.KmlChecked = true;
    f.s.Migration.MigScreen.ProgressChecked = true;
    ASSERT_EQ(f.start(track, sites), migrate::StartOutcome::Finished) << (f.d.errors().empty() ? "" : f.d.errors().back());
    EXPECT_EQ(f.s.Gps.PointCount, 67);
    EXPECT_EQ(f.stopRows(), 3);
    // The row after the last point is the all-zero end of the GPS data.
    const int endRow = 67 + 3 + 1;
    EXPECT_EQ(f.s.Migration.TravelTable[endRow][1], 0);
    EXPECT_GT(f.s.Migration.TravelTable[endRow - 1][1], 0);
    EXPECT_TRUE(f.s.Gps.SitesLoaded);
    EXPECT_NEAR(f.s.Gps.FeedingHours, 15.91 + 2.33, 0.02);
    EXPECT_EQ(f.s.Gps.FilePrefix, "Alb02");

    // The map: every point twice, both sites, CR LF line ends.
    std::string kml = test::ReadFile(f.s.Gps.KmlFile);
    EXPECT_NE(f.s.Gps.KmlFile.find("Alb02 Track to 4 May 2016.kml"), std::string::npos);
    std::size_t points = 0;
    for (std::size_t p = 0; (p = kml.find("<Point><coordinates>", p)) != std::string::npos; ++p) ++points;
    EXPECT_EQ(points, 67u);
    EXPECT_NE(kml.find("<name>Stopover Area 2</name>"), std::string::npos);
    EXPECT_EQ(kml.find("\n", 0), kml.find("\r\n", 0) + 1);

    // The progress workbook beside the track: each stop's own note, the heading and the summary.
    sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(f.s.Gps.ProgressFile, wb, error)) << error;
    const sheet::Sheet* p = wb.sheet("Sheet1");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->value("A1").text(), "Alb02 Stork Progress Update to 4 May 2016");
    EXPECT_EQ(p->value("A4").text(), "Start");
    int notes = 0, summary = 0;
    for (int r = 5; r <= p->lastUsedRow(); ++r) {
        const std::string a = p->value(r, 1).text();
        if (a.rfind("Feeding at", 0) == 0 || a.rfind("Stopped outside", 0) == 0) ++notes;
        if (a == "Summary") summary = r;
    }
    EXPECT_EQ(notes, 3);
    ASSERT_GT(summary, 0);
    EXPECT_EQ(p->value(summary, 4).text(), "GPS Track");
    EXPECT_EQ(p->value(summary + 6, 1).text(), "Feeding time (hrs)");
    EXPECT_TRUE(p->cell(5, 1)->isDate());
}

TEST(GpsRun, EmptyRowsAreOneStopAndSlowSegmentsRestOnTheGround) {
    GpsRunFixture f;
    // A fast segment, then one at half the floor speed, three empty rows (one stop of 10 hours), one more fix.
    std::string csv = std::string(kHeader) + fix("06:00:00", 0.1, 3600, 30) + fix("07:00:00", 0.2, 3600, 1) + kStop +
                      kStop + kStop + fix("17:00:00", 0.25, 3600, 30);
    f.s.Migration.MigScreen.ProgressChecked = true;
    const std::string track = f.dir.write("made.csv", csv);
    ASSERT_EQ(f.start(track), migrate::StartOutcome::Finished) << (f.d.errors().empty() ? "" : f.d.errors().back());
    EXPECT_EQ(f.stopRows(), 1);
    EXPECT_EQ(f.s.Gps.StopoverNote, "Stopped outside known stopover areas (Feeding rate 0)");
    // The stop runs from the fix before it to the fix after it: 10 hours, on top of 3 hours of segments.
    EXPECT_NEAR(f.s.Gps.TrackEndTrip, 13, 1e-4);
    sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(f.s.Gps.ProgressFile, wb, error)) << error;
    const sheet::Sheet* p = wb.sheet("Sheet1");
    EXPECT_EQ(p->value(5, 15).number(), 100);  // column O: per cent of the segment flying
    EXPECT_LT(p->value(6, 15).number(), 100);
    EXPECT_GT(p->value(6, 14).number(), 0);    // column N: resting minutes
}

TEST(GpsRun, TrackOfStopsOnlyAndALandingProjectAsLevelCruise) {
    GpsRunFixture f;
    std::string csv = std::string(kHeader) + kStop + fix("06:00:00", 0.1, 3600, 20, -0.5);
    ASSERT_EQ(f.start(f.dir.write("stops.csv", csv)), migrate::StartOutcome::Finished)
        << (f.d.errors().empty() ? "" : f.d.errors().back());
    EXPECT_EQ(f.s.Migration.Mig.ClimbRateInPower, 0);  // the projection no longer charges the last fix's descent
    EXPECT_GT(f.s.Migration.EndStates[1][0], f.s.Migration.EndStates[0][0]);
    EXPECT_TRUE(f.s.Migration.TrackEnded);
}

TEST(GpsRun, FailuresSayWhyAndWriteNothing) {
    GpsRunFixture f;
    f.s.Migration.MigScreen.KmlChecked = true;
    const std::string bad = f.dir.copyReference("tracks/gps_bad_badnumber.csv");
    EXPECT_EQ(f.start(bad), migrate::StartOutcome::Failed);
    EXPECT_NE(f.d.errors().back().find("line 5, column 22 (air speed)"), std::string::npos);
    EXPECT_TRUE(f.s.Gps.KmlFile.empty());
    // A cross wind stronger than the floor speed leaves no ground speed: the row and the wind are named.
    std::string csv = std::string(kHeader) +
                      "2020-01-01,06:00:00,0,0.1,1,3,100,5,90,2020-01-01,100,1,.,3600,4,0,0,1,90,40,0,1\n";
    EXPECT_EQ(f.start(f.dir.write("wind.csv", csv)), migrate::StartOutcome::Failed);
    EXPECT_NE(f.d.errors().back().find("line 2"), std::string::npos) << f.d.errors().back();
    // A cancelled track dialog cancels the run and nothing else.
    f.d.yesNo.push_back(false);
    EXPECT_EQ(migrate::StartMigrating(f.s, f.d), migrate::StartOutcome::Refused);
}

TEST(GpsRun, StopStepsAndProjectionPhase) {
    EXPECT_EQ(migrate::StopSteps(14 * 60, 6), 2);
    EXPECT_EQ(migrate::StopSteps(9 * 60, 6), 2);
    EXPECT_EQ(migrate::StopSteps(15 * 60, 6), 2);
    EXPECT_EQ(migrate::ProjectionPhaseFor(1235, 6), 5);
    EXPECT_EQ(migrate::ProjectionPhaseFor(1235, 0.25f), 0);
}

TEST(GpsRun, EachStopKeepsItsOwnNoteAndTheMapFollowsTheTrack) {
    GpsRunFixture f;
    const std::string base = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
    const std::string track = f.dir.copyTrack(base + ".csv");
    const std::string sites = f.dir.copyTrack(base + "_StopoverSites.txt");
    f.s.Migration.MigScreen.KmlChecked = true;
    ASSERT_EQ(f.start(track, sites), migrate::StartOutcome::Finished) << (f.d.errors().empty() ? "" : f.d.errors().back());
    // The dialogs and the map follow the folder of the track chosen.
    EXPECT_EQ(f.s.Gps.TrackFolder, f.dir.str());
    EXPECT_EQ(std::filesystem::path(f.s.Gps.KmlFile).parent_path(), f.dir.path());

    ASSERT_EQ(f.s.Gps.Stops.size(), 3u);
    EXPECT_NE(f.s.Gps.Stops[0].Note, f.s.Gps.Stops[2].Note);
    const std::string text = output::MigrationTextBlock(f.s);
    std::size_t at = 0;
    for (const GpsStop& stop : f.s.Gps.Stops) {
        EXPECT_EQ(f.s.Migration.TravelTable[stop.Row][1], -1);
        at = text.find("\n" + stop.Note + "\n", at);
        EXPECT_NE(at, std::string::npos) << stop.Note;
        EXPECT_NEAR(stop.Hours, (stop.EndSec - stop.StartSec) / 3600.0, 1e-9);
    }
    // The roost inside a site feeds; the stop in no site uses the reserves.
    EXPECT_EQ(f.s.Gps.Stops[0].Note.rfind("Feeding at", 0), 0u) << f.s.Gps.Stops[0].Note;
    EXPECT_GT(f.s.Gps.Stops[0].FatChange, 0);
}

TEST(GpsRun, DecliningTheSiteFileRunsWithoutSites) {
    const std::string base = "Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed";
    GpsRunFixture fresh;
    const std::string track = fresh.dir.copyTrack(base + ".csv");
    ASSERT_EQ(fresh.start(track), migrate::StartOutcome::Finished);

    GpsRunFixture f;
    ASSERT_EQ(f.start(track, f.dir.copyTrack(base + "_StopoverSites.txt")), migrate::StartOutcome::Finished);
    const float withSites = f.s.Migration.EndStates[0][8];
    ASSERT_EQ(f.start(track), migrate::StartOutcome::Finished);  // "No" this time
    EXPECT_EQ(f.s.Gps.SiteCount, 0);
    EXPECT_EQ(f.s.Gps.FeedingHours, 0);
    EXPECT_NE(f.s.Migration.EndStates[0][8], withSites);
    EXPECT_EQ(f.s.Migration.EndStates[0][8], fresh.s.Migration.EndStates[0][8]);  // fat mass at the end of the track
}
