// Pictures of the graph screens and the power uncertainty screen, written as PNG files into the build
// folder (screens/) for looking at the layout. The test checks that each was written and fits an
// 800 by 600 display.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "UiTest.h"
#include "flap/PowerCurve.h"
#include "glide/GlideSetup.h"
#include "support/BirdSetup.h"
#include "ui/frmGraphPcurve.h"
#include "ui/frmGraphPolar.h"
#include "ui/frmPowerUncert.h"

using namespace ornivo;
using namespace ornivo::ui;

namespace {

class GraphPictures : public test::ScreenTest {};

}  // namespace

TEST_F(GraphPictures, PowerCurveGraphWithItsUncertaintyBands) {
    s.ScreenScaleX = s.ScreenScaleY = 1;
    test::TypedBird starling;
    starling.name = "Common starling";
    starling.shortName = "Starling";
    starling.mass = 0.075;
    starling.span = 0.38;
    starling.area = 0.0252;
    test::ToPowerCurveSetup(s, d, starling);
    ASSERT_TRUE(flap::ComputePowerCurve(s, d));
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    test::Picture(g, "frmGraphPcurve");
    g->cmdUncert->click();
    test::Settle();
    auto* u = screen<frmPowerUncert>("frmPowerUncert");
    test::Picture(u, "frmPowerUncert");
    u->cmdProceed->click();
    test::Settle();
    test::Picture(g, "frmGraphPcurve_bands");

    // The printed page, as a PDF file beside the pictures.
    const QString pdf = QString(ORNIVO_UI_PICTURES_DIR) + "/frmGraphPcurve_page.pdf";
    QFile::remove(pdf);
    g->setPrinter(PdfFilePrinter(pdf.toStdString()));
    d.okCancel.push_back(true);
    d.inputs.push_back("Starling, wild population uncertainty");
    g->cmdPrint->click();
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(GraphPictures, GlidePolarGraph) {
    s.ScreenScaleX = s.ScreenScaleY = 1;
    test::ToGlideSetup(s, d);
    ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
    test::Picture(frmGraphPolar::Show(ctx, nullptr), "frmGraphPolar");
}
