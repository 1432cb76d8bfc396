// The library API as a C++ program uses it: calls give the results of a batch row, batches on
// threads equal one thread, bad rows get their status, and tracks given as rows equal their file.
#include <gtest/gtest.h>

#include <cmath>

#include "api/Ornivo.h"
#include "support/TempDir.h"

using namespace ornivo::api;
using ornivo::test::TempDir;

namespace {

Bird pigeon() {
    Bird b;
    b.SpName = "Columba livia";
    b.EmptyMass = 0.35;
    b.Span = 0.67;
    b.WingArea = 0.063;
    b.Altitude = 0;
    return b;
}

TEST(Api, CallsGiveScalarsAndTidyTables) {
    const Result r = PowerCurve(pigeon());
    ASSERT_TRUE(r.ok) << r.status;
    EXPECT_GT(r.number("Vmr"), r.number("Vmp"));
    const Table* curve = r.table("curve");
    ASSERT_NE(curve, nullptr);
    const Column* pmech = curve->column("Pmech");
    ASSERT_NE(pmech, nullptr);
    EXPECT_EQ(pmech->unit, "W");
    EXPECT_EQ(curve->rows(), static_cast<std::size_t>(r.number("CurveLastRow") - r.number("CurveFirstSpeed") + 1));
    // The minimum of the whole-speed rows is no lower than the exact minimum power.
    double least = INFINITY;
    for (double p : pmech->numbers) least = std::min(least, p);
    EXPECT_GE(least, r.number("PminExact") * (1 - 1e-6));

    const Result g = GlidePolar(pigeon());
    ASSERT_TRUE(g.ok) << g.status;
    EXPECT_EQ(g.table("crosscountry")->rows(), 6u);
}

TEST(Api, SettingsGoThroughTheFieldRulesInOrder) {
    // A migration needs fat: refused without, and a fatter bird flies farther.
    EXPECT_EQ(Migrate(pigeon(), {{"txtGoalDist", 5000.0}}).refusal.front(), "You need some fat before migrating");
    const Result lean = Migrate(pigeon(), {{"txtFatFrac", 0.1}, {"txtGoalDist", 5000.0}});
    const Result fat = Migrate(pigeon(), {{"txtFatFrac", 0.3}, {"txtGoalDist", 5000.0}});
    ASSERT_TRUE(lean.ok && fat.ok) << lean.status << fat.status;
    EXPECT_GT(fat.number("Distance"), lean.number("Distance"));
    const Result unknown = PowerCurve(pigeon(), {{"txtNoSuchBox", 1.0}});
    EXPECT_FALSE(unknown.ok);
    EXPECT_NE(unknown.status.find("txtNoSuchBox"), std::string::npos);
    EXPECT_NE(CheckColumns({"SpName", "EmptyMas"}).find("EmptyMass"), std::string::npos);
    EXPECT_EQ(CheckColumns({"SpName", "EmptyMass", "txtFatFrac", "frmSetDefaultsMigr.txtEfat"}), "");
}

TEST(Api, BatchRowsEqualSingleCallsOnAnyNumberOfThreads) {
    std::vector<Fields> birds;
    for (int i = 0; i < 40; ++i)
        birds.push_back({{"SpName", std::string("b")}, {"EmptyMass", 0.2 + 0.05 * i}, {"Span", 0.5 + 0.02 * i},
                         {"WingArea", 0.04 + 0.003 * i}, {"Altitude", 0.0}});
    birds[3][2].second = -1.0;                      // a negative span: refused
    birds[5][1].second = std::string("heavy");      // not a number: unreadable
    birds[7][1].second = std::monostate{};          // no mass given: unreadable
    CallOptions one, two;
    one.threads = 1;
    two.threads = 2;
    const Table a = RunBatch(Calc::PowerCurve, birds, one), b = RunBatch(Calc::PowerCurve, birds, two);
    const Column& status = a.columns.back();
    ASSERT_EQ(status.name, "status");
    EXPECT_NE(status.texts[3], "ok");
    EXPECT_EQ(status.texts[5].rfind("unreadable: ", 0), 0u) << status.texts[5];
    EXPECT_EQ(status.texts[7].rfind("unreadable: ", 0), 0u) << status.texts[7];
    for (std::size_t c = 0; c < a.columns.size(); ++c) {
        const Column &x = a.columns[c], &y = b.columns[c];
        EXPECT_EQ(x.texts, y.texts) << x.name;
        for (std::size_t r = 0; r < x.numbers.size(); ++r)
            EXPECT_TRUE(x.numbers[r] == y.numbers[r] || (std::isnan(x.numbers[r]) && std::isnan(y.numbers[r])));
    }
    const Result single = ornivo::api::Run(Calc::PowerCurve, birds[10]);
    EXPECT_EQ(a.column("Vmp")->numbers[10], single.number("Vmp"));
    EXPECT_EQ(a.column("PmechMin")->numbers[10], single.number("PmechMin"));
}

TEST(Api, ATrackGivenAsRowsRunsAsItsFile) {
    TempDir dir;
    const std::string fixes = dir.copyTrack("Alb02_WhiteStork2859_2016-05-02to04_Movebank.csv");
    const Result imported = ImportTrack(fixes);
    ASSERT_TRUE(imported.ok) << imported.status;
    const Table& track = *imported.table("track");
    EXPECT_TRUE(track.column("Date") && track.column("Date.1")) << "both date columns kept";
    Bird stork;
    stork.Preset = std::string("White Stork");
    TrackInput rows;
    rows.rows = track;
    const Result fromRows = MigrateGps(stork, rows, {{"txtFatFrac", 0.15}});
    ASSERT_TRUE(fromRows.ok) << fromRows.status;
    EXPECT_GT(fromRows.table("rows")->rows(), track.rows() / 2);
    TrackInput none;
    EXPECT_FALSE(MigrateGps(stork, none).ok);
    EXPECT_FALSE(ImportTrack(fixes, {{"grid", std::string("often")}}).ok);
}

}  // namespace
