// The tool screens: the air density calculator with its input screens, and the wind triangle opened
// from the power-curve results.
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "UiTest.h"
#include "flap/PowerCurve.h"
#include "support/BirdSetup.h"
#include "ui/frmAirDensity.h"
#include "ui/frmEnterBird.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSummaryFlap.h"
#include "ui/frmWindTrnglCalc.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

class ToolScreens : public test::ScreenTest {
protected:
    frmEnterBird* enterBird() {
        auto* e = new frmEnterBird(ctx);
        e->show();
        return e;
    }
    frmAirDensity* calculator(frmEnterBird* e) {
        e->txtRho_DblClick();
        test::Settle();
        return screen<frmAirDensity>("frmAirDensity");
    }
    frmWindTrnglCalc* windFromResults() {
        test::ToPowerCurveSetup(s, d);
        auto* setup = new frmSetupFlap(ctx);
        setup->show();
        setup->cmdPowerCurve->click();
        test::Settle();
        auto* results = screen<frmSummaryFlap>("frmSummaryFlap");
        if (!results) return nullptr;
        results->cmdWindTrnglCalc->click();
        test::Settle();
        return screen<frmWindTrnglCalc>("frmWindTrnglCalc");
    }
};

}  // namespace

TEST_F(ToolScreens, ObserverMethodAtSeaLevelConditionsGivesStandardDensity) {
    auto* e = enterBird();
    auto* calc = calculator(e);
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), calc);
    calc->optTrkRadar->click();
    calc->cmdCalcDensity->click();
    test::Settle();
    auto* input = screen<QWidget>("frmInRho3");
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), input);
    TypeInto(input, "txtAirTemp", "15");
    TypeInto(input, "txtBaro", "1013");
    TypeInto(input, "txtDH", "0");
    input->findChild<QPushButton*>("cmdOK")->click();
    test::Settle();
    EXPECT_EQ(screen<QWidget>("frmInRho3"), nullptr);
    EXPECT_EQ(TextOf(calc, "txtRho").toStdString(), FormatSig(1.225f, 3));
    calc->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmAirDensity>("frmAirDensity"), nullptr);
    EXPECT_NEAR(s.AirDensity, 1.225, 1e-5);
    EXPECT_NEAR(s.Altitude, 0, 0.01);
    EXPECT_EQ(TextOf(e, "txtRho").toStdString(), FormatSig(s.AirDensity, 3));
    EXPECT_EQ(TextOf(e, "txtAlt"), "0");
}

TEST_F(ToolScreens, NoMethodGivesSeaLevelAndEmptyFieldIsRefused) {
    auto* e = enterBird();
    auto* calc = calculator(e);
    ASSERT_NE(calc, nullptr);
    calc->cmdOK->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "You need to choose the method of calculation");
    EXPECT_NE(screen<frmAirDensity>("frmAirDensity"), nullptr);
    calc->cmdCalcDensity->click();
    EXPECT_EQ(TextOf(calc, "txtRho").toStdString(), FormatSig(1.225f, 3));
}

TEST_F(ToolScreens, StandardAtmosphereHeightAndDirectDensity) {
    auto* e = enterBird();
    auto* calc = calculator(e);
    calc->optStdAtmo->click();
    calc->cmdCalcDensity->click();
    test::Settle();
    auto* in4 = screen<QWidget>("frmInRho4");
    ASSERT_NE(in4, nullptr);
    TypeInto(in4, "txtAlt", "1000");
    in4->findChild<QPushButton*>("cmdOK")->click();
    test::Settle();
    EXPECT_EQ(TextOf(calc, "txtRho"), "1.11");
    calc->optDirect->click();
    calc->cmdCalcDensity->click();
    test::Settle();
    auto* in1 = screen<QWidget>("frmInRho1");
    ASSERT_NE(in1, nullptr);
    TypeInto(in1, "txtInRho", "0.9");
    in1->findChild<QPushButton*>("cmdOK")->click();
    test::Settle();
    EXPECT_EQ(TextOf(calc, "txtRho"), "0.900");
    calc->cmdOK->click();
    test::Settle();
    EXPECT_NEAR(s.AirDensity, 0.9, 1e-6);
    EXPECT_NEAR(s.RelDensity, 0.9 / 1.225, 1e-6);
}

TEST_F(ToolScreens, ClosingTheCalculatorWithoutAcceptingKeepsTheDensity) {
    auto* e = enterBird();
    TypeInto(e, "txtAlt", "500");
    const float rho = s.AirDensity, alt = s.Altitude;
    auto* calc = calculator(e);
    calc->cmdCalcDensity->click();  // sea level, not accepted
    EXPECT_FLOAT_EQ(s.AirDensity, 1.225f);
    calc->close();
    test::Settle();
    EXPECT_FLOAT_EQ(s.AirDensity, rho);
    EXPECT_FLOAT_EQ(s.Altitude, alt);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ToolScreens, WindTriangleExamplesThroughItsScreen) {
    auto* w = windFromResults();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), w);
    // Opened on "ground speed and heading" with the air speed set to Vmp.
    EXPECT_TRUE(w->optFindVgHdg->isChecked());
    EXPECT_EQ(TextOf(w, "txtVa").toStdString(), FormatPattern(s.Flap.Vmp, "0.0"));
    EXPECT_EQ(TextOf(w, "cmdCompute"), "&Find Ground Speed and Heading");
    EXPECT_EQ(TextOf(w, "lblInOut4"), "OUTPUT");
    EXPECT_TRUE(w->txtVg->isReadOnly());
    w->optSetVmr->click();
    EXPECT_EQ(TextOf(w, "txtVa").toStdString(), FormatPattern(s.Flap.Vmr, "0.0"));

    TypeInto(w, "txtVw", "5");
    TypeInto(w, "txtWindDir", "90");
    TypeInto(w, "txtVa", "10");
    TypeInto(w, "txtTrk", "0");
    w->cmdCompute->click();
    EXPECT_EQ(TextOf(w, "txtHdg"), "30");
    EXPECT_EQ(TextOf(w, "txtVg"), "8.7");

    w->optFindVa->click();
    EXPECT_EQ(TextOf(w, "lblInOut2"), "OUTPUT");
    EXPECT_FALSE(w->fraGetVa->isEnabled());
    EXPECT_EQ(TextOf(w, "txtVw"), "5");  // the wind stays
    d.clear();
    w->cmdCompute->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Please enter ground speed and track");
    TypeInto(w, "txtVg", "10");
    TypeInto(w, "txtTrk", "0");
    w->cmdCompute->click();
    EXPECT_EQ(TextOf(w, "txtVa"), "11.2");
    EXPECT_EQ(TextOf(w, "txtHdg"), "27");

    w->optFindVg->click();
    TypeInto(w, "txtVw", "5");
    TypeInto(w, "txtWindDir", "0");
    TypeInto(w, "txtVa", "10");
    TypeInto(w, "txtHdg", "0");
    w->cmdCompute->click();
    EXPECT_EQ(TextOf(w, "txtVg"), "5.0");
    EXPECT_EQ(TextOf(w, "txtTrk"), "360");

    w->cmdExit->click();
    test::Settle();
    EXPECT_EQ(screen<frmWindTrnglCalc>("frmWindTrnglCalc"), nullptr);
    EXPECT_NE(screen<frmSummaryFlap>("frmSummaryFlap"), nullptr);
}

TEST_F(ToolScreens, WindTriangleWantsTheWindFirst) {
    auto* w = windFromResults();
    ASSERT_NE(w, nullptr);
    w->cmdCompute->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Please enter wind speed and direction");
    EXPECT_TRUE(TextOf(w, "txtVg").isEmpty());
}
