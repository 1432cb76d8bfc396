// Pictures of every screen after a typical use, written as PNG files into the build folder (screens/)
// for looking at the layout. The test checks only that each picture was written.
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "UiTest.h"
#include "support/BirdSetup.h"
#include "ui/frmAirDensity.h"
#include "ui/frmEnterBird.h"
#include "ui/frmOutputFile.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryFlap.h"
#include "ui/frmWindTrnglCalc.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TypeInto;

namespace {

class ScreenPictures : public test::ScreenTest {};

}  // namespace

TEST_F(ScreenPictures, EveryScreenOfThePowerCurveRoad) {
    auto* start = new frmStart(ctx);
    test::Picture(start, "frmStart");
    // The pictures show the screens as designed, on an 800 by 600 display.
    s.ScreenScaleX = s.ScreenScaleY = 1;
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    TypeInto(e, "txtSpName", "Common starling");
    TypeInto(e, "txtShortName", "Starling");
    TypeInto(e, "txtEmptyMass", "0.075");
    TypeInto(e, "txtSpan", "0.38");
    TypeInto(e, "txtArea", "0.0252");
    TypeInto(e, "txtAlt", "250");
    test::Picture(e, "frmEnterBird");

    auto* calc = new frmAirDensity(ctx, e, {});
    calc->optTempBaro->click();
    test::Picture(calc, "frmAirDensity");
    calc->cmdCalcDensity->click();
    test::Settle();
    QWidget* in2 = screen<QWidget>("frmInRho2");
    TypeInto(in2, "txtAirTemp", "12");
    TypeInto(in2, "txtBaro", "985");
    test::Picture(in2, "frmInRho2");
    in2->close();
    for (auto opt : {&frmAirDensity::optDirect, &frmAirDensity::optTrkRadar, &frmAirDensity::optStdAtmo}) {
        (calc->*opt)->click();
        calc->cmdCalcDensity->click();
        test::Settle();
        QWidget* in = QApplication::activeModalWidget();
        test::Picture(in, in->objectName().toUtf8().constData());
        in->close();
        test::Settle();
    }
    calc->close();
    test::Settle();

    e->cmdFlap->click();
    test::Settle();
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    setup->optBound->click();
    TypeInto(setup, "txtPowerFrac", "0.6");
    test::Picture(setup, "frmSetupFlap");
    setup->cmdPowerCurve->click();
    test::Settle();
    auto* results = screen<frmSummaryFlap>("frmSummaryFlap");
    d.inputs.push_back("0.3");
    results->cmdGetBH->click();
    test::Picture(results, "frmSummaryFlap");
    results->cmdWindTrnglCalc->click();
    test::Settle();
    auto* wind = screen<frmWindTrnglCalc>("frmWindTrnglCalc");
    TypeInto(wind, "txtVw", "4");
    TypeInto(wind, "txtWindDir", "250");
    TypeInto(wind, "txtTrk", "45");
    wind->cmdCompute->click();
    test::Picture(wind, "frmWindTrnglCalc");
    wind->close();
    results->close();
    test::Settle();
    s.OutPath = "/home/user/OrnivoOutput/TextFiles/PowerCurves/Starling_0001.txt";
    test::Picture(new frmOutputFile(ctx, setup), "frmOutputFile");
}
