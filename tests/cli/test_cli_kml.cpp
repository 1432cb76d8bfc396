// The KML map of a GPS run: every element is spelt as KML's schema spells it (names are case
// sensitive, and readers that follow the schema skip an element they do not know).
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "migrate/TrackKml.h"
#include "state/ProgramState.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

namespace {

ornivo::ProgramState TwoPointsOneSite() {
    ornivo::ProgramState s;
    s.Gps.FilePrefix = "Test0";
    s.Gps.PointDate = 42491;  // 1 May 2016
    s.Gps.PointCount = 2;
    s.Gps.TrackLat = {52.5, 52.0};
    s.Gps.TrackLon = {4.25, 4.5};
    ornivo::StopoverSite site;
    site.SiteName = "Marsh";
    site.SiteFeedQ = 4.5;
    const double corners[4][2] = {{52.0, 4.0}, {52.1, 4.0}, {52.1, 4.2}, {52.0, 4.2}};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 2; ++k) site.SiteCorners[c][k] = corners[c][k];
    s.Gps.StopoverSites = {site};
    s.Gps.SiteCount = 1;
    s.Gps.SitesLoaded = true;
    return s;
}

}  // namespace

TEST(CliKml, EveryElementIsSpeltAsTheSchemaSpellsIt)
{
    const std::set<std::string> kml = {"kml",        "Document",   "name",        "Style",       "StyleMap",
                                       "Pair",       "key",        "styleUrl",    "IconStyle",   "scale",
                                       "Icon",       "href",       "LineStyle",   "color",       "width",
                                       "PolyStyle",  "fill",       "Placemark",   "Polygon",     "tessellate",
                                       "outerBoundaryIs", "LinearRing", "coordinates", "LineString", "extrude",
                                       "altitudeMode", "Point",    "description", "Folder",      "outline"};
    const std::string text = ornivo::migrate::TrackKmlText(TwoPointsOneSite());
    const std::regex tag("</?([A-Za-z]+)");
    int tags = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), tag), end; it != end; ++it, ++tags)
        EXPECT_TRUE(kml.count((*it)[1].str())) << "not a KML element: " << (*it)[1].str();
    EXPECT_GT(tags, 50);
    // The stopover areas' fill colour, which readers ignored while it was written <Color>.
    EXPECT_NE(text.find("<color>7f00ff00</color>"), std::string::npos);
}

// GDAL, a reader that follows the schema, reads the stopover areas' fill colour from the style (where
// its Python binding is installed: the Debian package python3-gdal).
TEST(CliKml, GdalReadsTheFillColour)
{
    const char* script = R"(
import sys
try:
    from osgeo import ogr
except ImportError:
    sys.exit(77)
source = ogr.Open(sys.argv[1])  # kept open while its style table is read
table = source.GetStyleTable()
table.ResetStyleStringReading()
while True:
    style = table.GetNextStyle()
    if style is None:
        break
    print(table.GetLastStyleName(), style.replace("\n", " "))
)";
    ornivo::test::TempDir dir;
    const std::string path = dir.write("map.kml", ornivo::migrate::TrackKmlText(TwoPointsOneSite()));
    RunResult r = RunProgram("/usr/bin/python3", {"-c", script, path}, {}, 60);
    if (r.exitCode == 77 || r.exitCode == 127) GTEST_SKIP() << "GDAL's Python binding is not installed";
    ASSERT_EQ(r.exitCode, 0) << "signal " << r.signal << ": " << r.err;
    EXPECT_NE(r.out.find("yellowLineGreenPoly PEN(c:#FFFF007F,w:4.000000px);BRUSH(fc:#00FF007F)"), std::string::npos)
        << r.out;
}
