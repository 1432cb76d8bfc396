// The real leg of white stork 2859 (Rotics et al. 2018, Movebank Data Repository,
// doi:10.5441/001/1.v8d24552, CC0): its raw Movebank fixes imported into the track, compared with
// the processed track prepared from them, as CSV, as workbook, and through GPX.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "external/spreadsheet/WorkbookFiles.h"
#include "migrate/TrackReader.h"
#include "support/TempDir.h"
#include "track/TrackGeometry.h"
#include "track/TrackImport.h"
#include "track/TrackWriters.h"
#include "TrackFixtures.h"

using namespace ornivo;
using namespace ornivo::track;
using ornivo::test::ReadFile;
using ornivo::test::TempDir;

namespace {

const std::string kLeg = "Alb02_WhiteStork2859_2016-05-02to04_";

std::vector<std::string> splitLines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t p = 0;
    while (p < text.size()) {
        auto e = text.find(end, p);
        if (e == std::string::npos) e = text.size();
        lines.push_back(text.substr(p, e - p));
        p = e + end.size();
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string x;
    while (std::getline(ss, x, ',')) f.push_back(x);
    if (!line.empty() && line.back() == ',') f.push_back("");
    return f;
}

bool isNumber(const std::string& s, double& v) {
    char* e = nullptr;
    v = std::strtod(s.c_str(), &e);
    return !s.empty() && *e == '\0';
}

class RealLeg : public ::testing::Test {
protected:
    TempDir dir;
    std::string fixes = dir.copyTrack(kLeg + "Movebank.csv");

    static ImportOptions legOptions() {
        ImportOptions o;
        o.end = ParseMarkText("2016-05-04 15:00");
        return o;
    }
    ImportResult importLeg() { return ImportTrack(fixes, legOptions()); }
};

void ExpectSameRows(const std::vector<TrackRow>& a, const std::vector<TrackRow>& b, std::vector<int> skipColumns = {}) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int c = 1; c <= 22; ++c) {
            if (std::find(skipColumns.begin(), skipColumns.end(), c) != skipColumns.end()) continue;
            EXPECT_EQ(CellText(a[i], c), CellText(b[i], c)) << "row " << i + 4 << ", column " << c;
        }
    }
}

}  // namespace

TEST_F(RealLeg, CsvReproducesTheProcessedTrackValueByValue) {
    auto r = importLeg();
    ASSERT_TRUE(r.ok()) << r.message.at(0);
    const std::string ours = TrackCsvText(r);
    const std::string theirs = ReadFile(dir.copyTrack(kLeg + "ProcessedToAirSpeed.csv"));
    ASSERT_EQ(ours.substr(ours.size() - 2), "\r\n");
    auto a = splitLines(ours, "\r\n"), b = splitLines(theirs, "\r\n");
    ASSERT_EQ(a.size(), 75u);  // heading + rows 4 to 77
    ASSERT_EQ(a.size(), b.size());
    auto ha = fields(a[0]), hb = fields(b[0]);
    ASSERT_EQ(ha.size(), 22u);
    for (int c = 0; c < 22; ++c) EXPECT_EQ(ha[c].substr(0, ha[c].find(" (")), hb[c].substr(0, hb[c].find(" (")));
    for (std::size_t i = 1; i < a.size(); ++i) {
        auto fa = fields(a[i]), fb = fields(b[i]);
        ASSERT_EQ(fa.size(), 22u) << a[i];
        ASSERT_EQ(fb.size(), 22u);
        for (int c = 0; c < 22; ++c) {
            double va, vb;
            if (isNumber(fb[c], vb)) {
                ASSERT_TRUE(isNumber(fa[c], va)) << "line " << i + 1 << " column " << c + 1 << ": " << fa[c];
                EXPECT_EQ(va, vb) << "line " << i + 1 << " column " << c + 1;
            } else {
                EXPECT_EQ(fa[c], fb[c]) << "line " << i + 1 << " column " << c + 1;
            }
        }
    }
}

TEST_F(RealLeg, SummaryCountsWhatTheRulesDid) {
    auto r = importLeg();
    ASSERT_TRUE(r.ok());
    const auto& s = r.summary;
    EXPECT_EQ(s.animal, "2859/H4839/Albert");
    EXPECT_EQ(s.fixesRead, 560);
    EXPECT_EQ(s.skipped(), 0);
    EXPECT_EQ(s.kept, 143);
    EXPECT_EQ(s.outsideMarks, 2);  // 15:20:13 and 15:25:16, after the 15:00 mark
    EXPECT_EQ(s.laterInMark, 415);
    EXPECT_EQ(s.droppedSpeed, 0);
    EXPECT_EQ(s.trackPoints, 67);
    EXPECT_EQ(s.stops, 3);
    EXPECT_EQ(s.emptyRows, 7);
    EXPECT_TRUE(s.warnings.empty());
    auto lines = SummaryLines(s);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Track points: 67"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Empty rows: 7"), lines.end());
}

TEST_F(RealLeg, WorkbookDataCellsMatchTheProcessedWorkbook) {
    auto r = importLeg();
    ASSERT_TRUE(r.ok());
    const std::string out = (dir.path() / "Track.xlsx").string();
    ASSERT_EQ(SaveTrackWorkbook(r, out), "");
    sheet::Workbook ours, theirs;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(out, ours, error)) << error;
    ASSERT_TRUE(sheet::OpenWorkbook(dir.copyTrack(kLeg + "ProcessedToAirSpeed.xlsx"), theirs, error)) << error;
    const auto* a = ours.sheet("Moving");
    const auto* b = theirs.sheet("Moving");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->lastUsedRow(), 77);
    EXPECT_EQ(a->lastUsedRow(), b->lastUsedRow());
    for (int c = 1; c <= 22; ++c) {
        EXPECT_EQ(a->value(2, c), b->value(2, c)) << "heading of column " << c;
        EXPECT_EQ(a->value(3, c), b->value(3, c)) << "unit of column " << c;
    }
    for (int row = 4; row <= 77; ++row) {
        for (int c = 1; c <= 22; ++c) {
            const auto va = a->value(row, c), vb = b->value(row, c);
            ASSERT_EQ(va.kind(), vb.kind()) << "row " << row << " column " << c;
            if (vb.isNumber())
                EXPECT_NEAR(va.number(), vb.number(), 1e-12 * std::max(1.0, std::fabs(vb.number())))
                    << "row " << row << " column " << c;
            else
                EXPECT_EQ(va, vb) << "row " << row << " column " << c;
        }
        if (!b->value(row, 1).isEmpty())
            for (int c : {1, 2, 10}) {
                ASSERT_NE(a->cell(row, c), nullptr);
                EXPECT_TRUE(a->cell(row, c)->isDate()) << "row " << row << " column " << c;
            }
    }
}

TEST_F(RealLeg, TheWholeFileEndsStopThreeAtTheFixAfterTheLeg) {
    auto leg = importLeg();
    auto whole = ImportTrack(fixes, ImportOptions{});
    ASSERT_TRUE(whole.ok());
    ASSERT_EQ(whole.rows.size(), leg.rows.size());
    ExpectSameRows(std::vector<TrackRow>(whole.rows.begin(), whole.rows.end() - 1),
                   std::vector<TrackRow>(leg.rows.begin(), leg.rows.end() - 1));
    // 15:00:12 is blanked inside stop 3; row 77 describes 15:00:12 -> 15:20:13.
    const auto& last = whole.rows.back();
    EXPECT_EQ(MomentText(last.moment), "2016-05-04 15:20:13");
    EXPECT_EQ(last.seconds, 1201);
    EXPECT_EQ(last.point, 67);
}

TEST_F(RealLeg, TheGpsRunReadsTheWorkbookAndTheCsvAlike) {
    auto r = importLeg();
    const std::string xlsx = (dir.path() / "Track.xlsx").string(), csv = (dir.path() / "Track.csv").string();
    ASSERT_EQ(SaveTrackWorkbook(r, xlsx), "");
    ASSERT_EQ(SaveTrackCsv(r, csv), "");
    migrate::TrackFile a(xlsx), b(csv);
    for (int i = 0; i < 74; ++i) {
        const int ra = a.firstDataRow() + i, rb = b.firstDataRow() + i;
        ASSERT_TRUE(a.hasRow(ra)) << "data row " << i;
        ASSERT_TRUE(b.hasRow(rb)) << "data row " << i;
        ASSERT_EQ(a.isStopRow(ra), b.isStopRow(rb)) << "data row " << i;
        if (a.isStopRow(ra)) continue;
        EXPECT_EQ(a.date(ra, 1) + a.time(ra, 2), b.date(rb, 1) + b.time(rb, 2));
        for (int c : {3, 4, 8, 9, 11, 12, 16, 17, 18, 19, 20, 21, 22})
            EXPECT_EQ(a.number(ra, c, true), b.number(rb, c, true)) << "data row " << i << " column " << c;
        EXPECT_EQ(a.number(ra, 13, true), b.number(rb, 13, true));
        for (int c : {5, 6, 7, 15}) EXPECT_EQ(a.whole16(ra, c), b.whole16(rb, c));
        EXPECT_EQ(a.whole32(ra, 14), b.whole32(rb, 14));
    }
    // 74 data rows in each, and nothing after them.
    EXPECT_FALSE(a.hasRow(a.firstDataRow() + 74));
    EXPECT_FALSE(b.hasRow(b.firstDataRow() + 74));
    EXPECT_EQ(a.lastRowRead() - a.firstDataRow(), b.lastRowRead() - b.firstDataRow());
}

class RealLegGpx : public RealLeg, public ::testing::WithParamInterface<test::GpxSpeeds> {};

TEST_P(RealLegGpx, GpxWithTheTagsSpeedsGivesTheSameTrack) {
    FixFile raw;
    std::string error;
    ASSERT_TRUE(ReadFixFile(fixes, raw, error));
    const auto gpx = dir.write("leg.gpx", test::GpxOf(raw, GetParam()));
    auto a = importLeg();
    auto b = ImportTrack(gpx, legOptions());
    ASSERT_TRUE(b.ok()) << b.message.at(0);
    EXPECT_EQ(b.summary.format, FixFormat::Gpx);
    EXPECT_EQ(b.summary.kept, 143);
    // GPX holds no event ids: column 15 counts the track points spanned, the same here because the
    // event ids of the leg rise by one from fix to fix.
    ExpectSameRows(a.rows, b.rows);
    EXPECT_EQ(ColumnUnit(b, 11), "m");
}

INSTANTIATE_TEST_SUITE_P(SpeedInGpx10OrExtension, RealLegGpx,
                         ::testing::Values(test::GpxSpeeds::Gpx10, test::GpxSpeeds::Extension));

TEST_F(RealLeg, GpxWithoutSpeedsTakesThemFromThePreviousRawFix) {
    FixFile raw;
    std::string error;
    ASSERT_TRUE(ReadFixFile(fixes, raw, error));
    const auto gpx = dir.write("leg.gpx", test::GpxOf(raw, test::GpxSpeeds::None));
    auto a = importLeg();
    auto b = ImportTrack(gpx, legOptions());
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(b.summary.kept, 143);  // the grid and the speed rule do not use the tag's speed
    EXPECT_EQ(b.summary.tagSpeedsDerived, 560);
    // Row 4 (04:40:29) takes the segment from the raw fix of 04:35:15.
    const auto& p = raw.fixes[2];
    const auto& q = raw.fixes[3];
    ASSERT_FALSE(b.rows.front().empty);
    EXPECT_DOUBLE_EQ(b.rows.front().tagSpeed,
                     std::round(SegmentKm(p.lat, p.lon, q.lat, q.lon) * 1000 / 314 * 100) / 100);
    EXPECT_DOUBLE_EQ(b.rows.front().tagHeading, std::round(InitialBearing(p.lat, p.lon, q.lat, q.lon) * 100) / 100);
    // The on-ground rule now sees net speeds, so the stops differ; every row both tracks hold still
    // describes the same segment from the same kept fix.
    int common = 0;
    for (const auto& rb : b.rows) {
        if (rb.empty) continue;
        for (const auto& ra : a.rows) {
            if (ra.empty || ra.moment != rb.moment) continue;
            ++common;
            for (int c : {3, 4, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22})
                EXPECT_EQ(CellText(ra, c), CellText(rb, c)) << MomentText(ra.moment) << " column " << c;
        }
    }
    EXPECT_GE(common, 60);
}
