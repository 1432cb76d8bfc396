// The three setup screens never show a derived value the next run will not use: every editable field
// is typed into in turn and, after each, every derived box is compared with the program state, and
// the state's derived values with the values the run derives from the inputs.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "UiTest.h"
#include "bird/EnterBird.h"
#include "flap/PowerModel.h"
#include "state/numtext.h"
#include "support/BirdSetup.h"
#include "ui/CommitEdit.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmSetupMigrate.h"
#include "ui/frmSummaryFlap.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

using Getter = std::function<float(const ProgramState&)>;

// What each typed field receives: valid values unless marked, in the order they are typed.
const std::vector<std::pair<const char*, const char*>> kTyped = {
    {"txtSpName", "Typed bird"}, {"txtShortName", "Typed"}, {"txtEmptyMass", "1.2"}, {"txtCropMass", "0.1"},
    {"txtMuscleMass", "0.2"}, {"txtMuscleFrac", "0.18"}, {"txtFatMass", "0.1"}, {"txtFatFrac", "0.12"},
    {"txtSpan", "1.1"}, {"txtArea", "0.16"}, {"txtAR", "8"}, {"txtRho", "1.1"}, {"txtAlt", "500"},
    {"txtSbody", "0.01"}, {"txtFrontalAreaFactor", "1.2"}, {"txtCdb", "0.12"}, {"txtPayDragFactor", "1.1"},
    {"txtGravity", "9.7"}, {"txtKflap", "1.1"}, {"txtCprof", "8"}, {"txtX1", "1.0"}, {"txtResp", "1.2"},
    {"txtEta", "0.25"}, {"txtPbmr", "3"}, {"txtPbmrFactor", "1.1"}, {"txtKmito", "1.3e-6"},
    {"txtSigmaMax", "400000"}, {"txtLambda", "0.1"}, {"txtWbeatFreq", "5"}, {"txtFreqFactor", "1.2"},
    {"txtKGlide", "1.2"}, {"txtCdw", "0.015"}, {"txtClMax", "1.5"}, {"txtPlanformSlope", "0.9"},
    {"txtBstop", "5"}, {"txtTonicMuscFrac", "2"}, {"txtAltCruise", "1000"}, {"txtRhoCruise", "1.0"},
    {"txtGoalDist", "1000"}, {"txtVratio", "1.5"}, {"txtVratioGPS", "1.1"}, {"txtPowerFrac", "0.5"},
    // A refused fat mass is stored all the same: the BMR follows it.
    {"txtFatMass", "5"},
    // The walk's bird: a 1 kg bird keeps no frequency of another mass.
    {"txtEmptyMass", "1"}, {"txtSpan", "0.9"},
};

class SetupDerivedValues : public test::ScreenTest {
protected:
    SetupDerivedValues() { s.ProgramFolder = ORNIVO_RUNTIME_DIR; }

    void loadBird(bird::Calculation c) {
        test::TypeBird(s, d, {});
        ASSERT_TRUE(bird::PressCalculation(s, d, c));
    }

    // Every derived box shows what the state holds (3 significant digits, empty for no value).
    void expectBoxesShowState(QWidget* screen, const std::map<std::string, Getter>& boxes, const std::string& after) {
        for (const auto& [box, value] : boxes) {
            if (!screen->findChild<QWidget*>(QString::fromStdString(box))) continue;
            const float v = value(s);
            const std::string want = std::isfinite(v) ? FormatSig(v, 3) : "";
            // A typed field keeps the text typed ("1.1"): it is read back as the number it shows.
            const std::string text = TextOf(screen, box.c_str()).toStdString();
            const std::string shown = text.empty() ? "" : FormatSig(static_cast<float>(LeadingNumber(text)), 3);
            EXPECT_EQ(shown, want) << box << " shows \"" << text << "\" after " << after;
        }
    }

    // The state's derived values are those the run derives from the inputs now held: the wingbeat
    // frequency (recomputed by the run), the BMR after the fields whose rule recomputes it (on the
    // migration screen after every field: the run recomputes it as it starts).
    void expectStateDerived(int slot, const std::string& field, bool frequency, bool bmrEverywhere,
                            const std::string& after) {
        ProgramState fresh = s;
        fresh.CalcMode = static_cast<int16_t>(slot);
        const BirdParams& b = s.slot(slot);
        auto same = [&](float got, float want, const char* what) {
            if (std::isnan(want)) EXPECT_TRUE(std::isnan(got)) << what << " after " << after;
            else EXPECT_EQ(got, want) << what << " after " << after;
        };
        if (bmrEverywhere || field == "txtEmptyMass" || field == "txtFatMass" || field == "txtPbmrFactor") {
            flap::BasalMetabolicRate(fresh, slot);
            same(b.Pbmr, fresh.slot(slot).Pbmr, "Pbmr");
        }
        if (frequency) {
            flap::WingbeatFrequency(fresh, slot);
            same(b.WbeatFreq, fresh.slot(slot).WbeatFreq, "WbeatFreq");
        }
    }

    // Types every editable field of the screen in the order of kTyped and checks after each. Fails for
    // an editable field the list does not cover, so that a new field is walked too.
    void walk(QWidget* screen, int slot, const std::map<std::string, Getter>& boxes, bool frequency,
              bool bmrEverywhere) {
        std::set<std::string> typed;
        for (const auto& [field, text] : kTyped) {
            auto* f = screen->findChild<CommitEdit*>(field);
            if (!f || f->isReadOnly() || !f->isEnabled()) continue;
            if (!f->isVisibleTo(screen)) {
                // The power fraction box opens with bounding flight.
                auto* bound = screen->findChild<QRadioButton*>("optBound");
                ASSERT_TRUE(bound) << field;
                bound->click();
                test::Settle();
                ASSERT_TRUE(f->isVisibleTo(screen)) << field;
            }
            const std::string after = std::string(field) + " = " + text;
            TypeInto(screen, field, text);
            typed.insert(field);
            auto boxesNow = boxes;
            boxesNow.erase(field);  // the typed field keeps the text of a refused value
            expectBoxesShowState(screen, boxesNow, after);
            expectStateDerived(slot, field, frequency, bmrEverywhere, after);
        }
        for (CommitEdit* f : screen->findChildren<CommitEdit*>())
            if (!f->isReadOnly() && f->isEnabled() && f->isVisibleTo(screen))
                EXPECT_TRUE(typed.count(f->objectName().toStdString())) << "not walked: " << f->objectName().toStdString();
    }

    static std::map<std::string, Getter> commonBoxes(int slot) {
        auto v = [slot](float BirdParams::*m) { return [slot, m](const ProgramState& st) { return st.slot(slot).*m; }; };
        return {{"txtEmptyMass", v(&BirdParams::EmptyMass)},
                {"txtCropMass", v(&BirdParams::CropMass)},
                {"txtCropFrac", v(&BirdParams::CropFrac)},
                {"txtAllUpMass", v(&BirdParams::AllUpMass)},
                {"txtMuscleMass", v(&BirdParams::MuscleMass)},
                {"txtMuscleFrac", v(&BirdParams::MuscleFrac)},
                {"txtFatMass", v(&BirdParams::FatMass)},
                {"txtFatFrac", v(&BirdParams::FatFrac)},
                {"txtAirframeMass", v(&BirdParams::AirframeMass)},
                {"txtAirframeFrac", v(&BirdParams::AirframeFrac)},
                {"txtSpan", v(&BirdParams::Span)},
                {"txtArea", v(&BirdParams::WingArea)},
                {"txtAR", v(&BirdParams::AspectRatio)},
                {"txtSbody", v(&BirdParams::Sbody)},
                {"txtPbmr", v(&BirdParams::Pbmr)},
                {"txtPbmrFactor", [](const ProgramState& st) { return st.PbmrFactor; }},
                {"txtFrontalAreaFactor", [](const ProgramState& st) { return st.FrontalAreaFactor; }},
                {"txtFatProtHeight", [](const ProgramState& st) { return float(double(st.FuelEnergyHeight) / 1000); }}};
    }
};

}  // namespace

TEST_F(SetupDerivedValues, PowerCurveSetupShowsWhatTheRunUsesAfterEveryField) {
    loadBird(bird::Calculation::PowerCurve);
    auto* setup = new frmSetupFlap(ctx);
    setup->show();
    test::Settle();
    auto boxes = commonBoxes(ModePowerCurve);
    boxes["txtWbeatFreq"] = [](const ProgramState& st) { return st.slot(ModePowerCurve).WbeatFreq; };
    boxes["txtFreqFactor"] = [](const ProgramState& st) { return st.FreqFactor; };
    boxes["txtX1"] = [](const ProgramState& st) { return st.X1; };
    walk(setup, ModePowerCurve, boxes, true, false);
    d.clear();

    // After a run the screen shows the run's wingbeat frequency and factor.
    TypeInto(setup, "txtFatMass", "0.1");
    TypeInto(setup, "txtFreqFactor", "1");
    s.slot(ModePowerCurve).WbeatFreq = 0;  // what the run computes, not what the last field left
    setup->cmdPowerCurve->click();
    test::Settle();
    ASSERT_NE(screen<frmSummaryFlap>("frmSummaryFlap"), nullptr) << (d.errors().empty() ? "" : d.errors()[0]);
    EXPECT_GT(s.slot(ModePowerCurve).WbeatFreq, 0);
    expectBoxesShowState(setup, boxes, "Compute Power Curve");
}

TEST_F(SetupDerivedValues, GlideSetupShowsWhatTheRunUsesAfterEveryField) {
    loadBird(bird::Calculation::GlidePolar);
    auto* setup = new frmSetupGlide(ctx);
    setup->show();
    test::Settle();
    auto boxes = commonBoxes(ModeGlide);
    // With no BMR to take (masses left as refused) the box is empty.
    boxes["txtMetSink"] = [](const ProgramState& st) {
        return std::isfinite(st.slot(ModeGlide).Pbmr) ? st.Glide.MetSink : NAN;
    };
    walk(setup, ModeGlide, boxes, false, false);
}

TEST_F(SetupDerivedValues, MigrationSetupShowsWhatTheRunUsesAfterEveryField) {
    loadBird(bird::Calculation::Migrate);
    auto* setup = new frmSetupMigrate(ctx);
    setup->show();
    test::Settle();
    auto boxes = commonBoxes(ModeMigrate);
    boxes["txtWbeatFreq"] = [](const ProgramState& st) { return st.slot(ModeMigrate).WbeatFreq; };
    boxes["txtFreqFactor"] = [](const ProgramState& st) { return st.FreqFactor; };
    walk(setup, ModeMigrate, boxes, true, true);
}
