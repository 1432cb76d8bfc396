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

class ScreenPictures : public test::ScreenTest {
protected:
    void picture(QWidget* w, const char* name) {
        ASSERT_NE(w, nullptr) << name;
        w->show();
        test::Settle();
        QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
        const QString path = QString(ORNIVO_UI_PICTURES_DIR) + "/" + name + ".png";
        ASSERT_TRUE(w->grab().save(path)) << path.toStdString();
        EXPECT_LE(w->width(), 800) << name << " is wider than an 800 by 600 display";
        EXPECT_LE(w->height(), 600) << name << " is taller than an 800 by 600 display";
        for (const std::string& clash : test::ClashingAccessKeys(w)) ADD_FAILURE() << name << " " << clash;
        for (const std::string& field : test::ClippedFields(w)) ADD_FAILURE() << name << " clips " << field;
    }
};

}  // namespace

TEST_F(ScreenPictures, EveryScreenOfThePowerCurveRoad) {
    auto* start = new frmStart(ctx);
    picture(start, "frmStart");
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
    picture(e, "frmEnterBird");

    auto* calc = new frmAirDensity(ctx, e, {});
    calc->optTempBaro->click();
    picture(calc, "frmAirDensity");
    calc->cmdCalcDensity->click();
    test::Settle();
    QWidget* in2 = screen<QWidget>("frmInRho2");
    TypeInto(in2, "txtAirTemp", "12");
    TypeInto(in2, "txtBaro", "985");
    picture(in2, "frmInRho2");
    in2->close();
    for (auto opt : {&frmAirDensity::optDirect, &frmAirDensity::optTrkRadar, &frmAirDensity::optStdAtmo}) {
        (calc->*opt)->click();
        calc->cmdCalcDensity->click();
        test::Settle();
        QWidget* in = QApplication::activeModalWidget();
        picture(in, in->objectName().toUtf8().constData());
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
    picture(setup, "frmSetupFlap");
    setup->cmdPowerCurve->click();
    test::Settle();
    auto* results = screen<frmSummaryFlap>("frmSummaryFlap");
    d.inputs.push_back("0.3");
    results->cmdGetBH->click();
    picture(results, "frmSummaryFlap");
    results->cmdWindTrnglCalc->click();
    test::Settle();
    auto* wind = screen<frmWindTrnglCalc>("frmWindTrnglCalc");
    TypeInto(wind, "txtVw", "4");
    TypeInto(wind, "txtWindDir", "250");
    TypeInto(wind, "txtTrk", "45");
    wind->cmdCompute->click();
    picture(wind, "frmWindTrnglCalc");
    wind->close();
    results->close();
    test::Settle();
    s.OutPath = "/home/user/OrnivoOutput/TextFiles/PowerCurves/Starling_0001.txt";
    picture(new frmOutputFile(ctx, setup), "frmOutputFile");
}
