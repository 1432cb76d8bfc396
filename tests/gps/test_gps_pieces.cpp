// The pieces of a GPS-track run: the wind triangle of a segment, the site file and lookup, the stop
// note, the track reader's messages and the KML document.
#include <gtest/gtest.h>

#include <cmath>

#include "migrate/GpsRun.h"
#include "migrate/StopoverSites.h"
#include "migrate/TrackKml.h"
#include "migrate/TrackReader.h"
#include "support/TempDir.h"

using namespace ornivo;
using namespace ornivo::migrate;

TEST(GpsSegment, HeadTailAndCrossWinds) {
    EXPECT_DOUBLE_EQ(GroundSpeedAt(10, 3, 90, 90), 7);    // from straight ahead
    EXPECT_DOUBLE_EQ(GroundSpeedAt(10, 3, 90, 270), 13);  // from straight behind
    EXPECT_NEAR(GroundSpeedAt(10, 6, 0, 90), 8, 1e-9);    // across: sqrt(V^2 - W^2)
    EXPECT_DOUBLE_EQ(GroundSpeedAt(10, 3, 10, 370), 7);   // directions a full turn apart are a head wind
    EXPECT_DOUBLE_EQ(GroundSpeedAt(10, 3, 350, -10), 7);
    EXPECT_TRUE(std::isnan(GroundSpeedAt(5, 8, 0, 90)) || GroundSpeedAt(5, 8, 0, 90) <= 0);
}

TEST(StopoverSites, ReadsQuotedNamesAndFindsTheFirstSiteHoldingAPosition) {
    test::TempDir dir;
    std::vector<StopoverSite> sites;
    std::string error;
    ASSERT_TRUE(ReadStopoverSites(
        dir.copyTrack("Alb02_WhiteStork2859_2016-05-02to04_ProcessedToAirSpeed_StopoverSites.txt"),
        sites, error)) << error;
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0].SiteName, "Roost 2-3 May 2016 Konya plain 37.93N 32.65E");
    EXPECT_DOUBLE_EQ(sites[1].SiteFeedQ, 2.0);
    EXPECT_DOUBLE_EQ(sites[1].SiteCorners[2][1], 30.78);

    ProgramState s;
    s.Gps.StopoverSites = sites;
    s.Gps.SiteCount = 2;
    FindStopoverSite(s, 37.930795, 32.647807);
    EXPECT_TRUE(s.Gps.AtKnownSite);
    EXPECT_DOUBLE_EQ(s.FeedQ, 4.5);
    FindStopoverSite(s, 39.257659, 31.422568);
    EXPECT_FALSE(s.Gps.AtKnownSite);
    EXPECT_EQ(s.Gps.SiteLabel, "Non-feeding Stop");
    EXPECT_EQ(s.FeedQ, 0);

    // One field per line works as well as commas; a missing corner is named.
    ASSERT_TRUE(ReadStopoverSites(dir.write("lines.txt", "Sites\n1\n\"A, b\"\n3\n1\n2\n3\n4\n5\n6\n7\n8\n"), sites, error));
    EXPECT_EQ(sites[0].SiteName, "A, b");
    EXPECT_FALSE(ReadStopoverSites(dir.write("short.txt", "Sites\n1,\"A\",3,1,2,3,4,5,6,7\n"), sites, error));
    EXPECT_NE(error.find("corner 4"), std::string::npos) << error;
    EXPECT_FALSE(ReadStopoverSites(dir.write("bad.txt", "Sites\ntwo\n"), sites, error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
}

TEST(StopNote, FeedingAndNonFeedingTexts) {
    ProgramState s;
    s.Gps.AtKnownSite = true;
    s.Gps.SiteLabel = "Roost";
    s.FeedQ = 4.5;
    s.Gps.SegmentSeconds = 36 * 3600;
    EXPECT_EQ(StopNote(s), "Feeding at Roost (Rate 4.5) 36.0 hours");
    s.Gps.AtKnownSite = false;
    EXPECT_EQ(StopNote(s), "Stopped outside known stopover areas (Feeding rate 0)");
}

TEST(TrackReader, NamesTheLineColumnAndWhatWasExpected) {
    test::TempDir dir;
    TrackFile t(dir.copyReference("tracks/gps_bad_badnumber.csv"));
    EXPECT_EQ(t.firstDataRow(), 2);
    ASSERT_TRUE(t.hasRow(5));  // the track is read as far as it is asked for
    try {
        t.number(5, 22);
        FAIL() << "no error";
    } catch (const TrackError& e) {
        EXPECT_STREQ(e.what(), "GPS track gps_bad_badnumber.csv, line 5, column 22 (air speed): expected a number, found \"fast\"");
    }
    EXPECT_THROW(TrackFile(dir.str() + "/missing.csv"), TrackError);
}

TEST(TrackKml, CoordinatePairsHoldNoSpace) {
    EXPECT_EQ(KmlCoordinatePair(4.25, 52.5), " 4.25,52.5");
    EXPECT_EQ(KmlCoordinatePair(-4.25, 52.5), "-4.25,52.5");
    EXPECT_EQ(KmlCoordinatePair(4.25, -52.5), " 4.25,-52.5");
}

TEST(TrackKml, SitesOnlyWhenLoadedAndEveryPointTwice) {
    ProgramState s;
    s.Gps.FilePrefix = "Alb02";
    s.Gps.PointDate = 42494;  // 4 May 2016
    for (int i = 0; i < 3; ++i) {
        StopoverSite site;
        site.SiteName = "S";
        double c[4][2] = {{1, 2}, {3, 2}, {3, 4}, {1, 4}};
        std::copy(&c[0][0], &c[0][0] + 8, &site.SiteCorners[0][0]);
        s.Gps.StopoverSites.push_back(site);
    }
    s.Gps.SiteCount = 3;
    s.Gps.TrackLat = {52.5, 52.6};
    s.Gps.TrackLon = {4.25, -4.25};
    s.Gps.PointCount = 2;
    EXPECT_EQ(TrackKmlName(s), "Alb02 Track to 4 May 2016.kml");
    std::string k = TrackKmlText(s);
    EXPECT_EQ(k.find("Stopover Area"), std::string::npos);
    s.Gps.SitesLoaded = true;
    k = TrackKmlText(s);
    int areas = 0;
    for (std::size_t p = 0; (p = k.find("<name>Stopover Area ", p)) != std::string::npos; ++p) ++areas;
    EXPECT_EQ(areas, 3);
    EXPECT_NE(k.find("\r\n              2,1\r\n              2,3\r\n              4,3\r\n              4,1\r\n              2,1\r\n"),
              std::string::npos);
    EXPECT_NE(k.find("\r\n        4.25,52.5\r\n"), std::string::npos);  // seven spaces, then the longitude's own
    EXPECT_NE(k.find("<coordinates>-4.25,52.6</coordinates>"), std::string::npos);
    EXPECT_EQ(k.substr(0, 40), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");

    s.Gps.PointCount = 0;  // a track of stops only: an empty line string
    s.Gps.TrackLat.clear();
    s.Gps.TrackLon.clear();
    k = TrackKmlText(s);
    EXPECT_NE(k.find("        <coordinates>\r\n        </coordinates>"), std::string::npos);
}
