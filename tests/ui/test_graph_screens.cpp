// The graph screens on a computed run: the power-curve graph with its uncertainty screen and bands,
// the glide-polar graph, printing through the printer seam to a PDF file, and saving pictures.
#include <QCheckBox>
#include <QDir>
#include <cmath>
#include <QFontInfo>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "UiTest.h"
#include "flap/PowerCurve.h"
#include "glide/GlideSetup.h"
#include "graph/PowerGraph.h"
#include "render/QtFonts.h"
#include "state/StateOps.h"
#include "support/BirdSetup.h"
#include "support/TempDir.h"
#include "ui/frmEnterBird.h"
#include "ui/frmGraphPcurve.h"
#include "ui/frmGraphPolar.h"
#include "ui/frmPowerUncert.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryFlap.h"
#include "ui/frmSummaryGlide.h"

using namespace ornivo;
using namespace ornivo::ui;
using graph::DrawCall;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

bool HavePdfToText() { return std::system("pdftotext -v > /dev/null 2>&1") == 0; }

// The text of a PDF file, one string per line with runs of spaces as one space.
std::vector<std::string> PdfLines(const std::string& pdf) {
    const std::string txt = pdf + ".txt";
    EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    std::vector<std::string> lines;
    std::istringstream in(test::ReadFile(txt));
    for (std::string line; std::getline(in, line);) {
        std::string out;
        for (char c : line) {
            if (c == ' ' || c == '\f') {
                if (!out.empty() && out.back() != ' ') out += ' ';
            } else {
                out += c;
            }
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        lines.push_back(out);
    }
    return lines;
}

// A page line as pdftotext gives it back: its pieces in order, single spaces between.
std::string Flattened(const graph::PrintLine& line) {
    std::string out;
    for (const auto& piece : line.pieces) {
        std::string t = piece.text;
        t.erase(0, t.find_first_not_of(' '));
        if (t.empty()) continue;
        if (!out.empty()) out += ' ';
        out += t;
    }
    return out;
}

// Every non-empty line of the page stands as one line of the PDF's text.
void ExpectEveryLine(const graph::PrintedPage& page, const std::vector<std::string>& pdf) {
    int checked = 0;
    for (const auto& line : page.lines) {
        const std::string want = Flattened(line);
        if (want.empty()) continue;
        ++checked;
        EXPECT_NE(std::find(pdf.begin(), pdf.end(), want), pdf.end()) << "missing line: " << want;
    }
    EXPECT_GT(checked, 10);
}

std::vector<DrawCall> Dotted(const graph::RecordingSurface& r) {
    std::vector<DrawCall> out;
    for (const auto& c : r.Calls())
        if (c.kind == DrawCall::Line && c.style == graph::LineStyle::Dotted) out.push_back(c);
    return out;
}

class GraphScreens : public test::ScreenTest {
protected:
    void computeCurve() {
        test::ToPowerCurveSetup(s, d);
        ASSERT_TRUE(flap::ComputePowerCurve(s, d));
        d.clear();
    }
    void computePolar() {
        test::ToGlideSetup(s, d);
        ASSERT_TRUE(glide::ComputeGlidePolar(s, d));
        d.clear();
    }
    frmPowerUncert* openUncert(frmGraphPcurve* g) {
        g->cmdUncert->click();
        test::Settle();
        return screen<frmPowerUncert>("frmPowerUncert");
    }
    // Start, Enter Bird with a typed bird, then the calculation's button.
    frmEnterBird* enterBird(const char* mass, const char* span, const char* area) {
        auto* start = new frmStart(ctx);
        start->show();
        start->cmdEnterNewBird->click();
        test::Settle();
        auto* e = screen<frmEnterBird>("frmEnterBird");
        if (!e) return nullptr;
        TypeInto(e, "txtSpName", "Road bird");
        TypeInto(e, "txtShortName", "Rb");
        TypeInto(e, "txtEmptyMass", mass);
        TypeInto(e, "txtSpan", span);
        TypeInto(e, "txtArea", area);
        TypeInto(e, "txtAlt", "0");
        return e;
    }
    test::TempDir tmp;
};

}  // namespace

TEST_F(GraphScreens, PowerCurveGraphOpensWithItsHeadingAndDrawingWithoutBlocking) {
    computeCurve();
    QWidget opener;
    opener.show();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, &opener);
    ASSERT_NE(g, nullptr);
    test::Settle();
    EXPECT_EQ(g->windowTitle(), "Power curve");
    EXPECT_EQ(g->windowModality(), Qt::NonModal);
    EXPECT_TRUE(g->isWindow());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(opener.isEnabled());
    // A second "Show Graph" brings the open graph to the front.
    EXPECT_EQ(frmGraphPcurve::Show(ctx, &opener), g);

    EXPECT_TRUE(g->lblHeading->isVisible());
    EXPECT_EQ(TextOf(g, "lblHeading").toStdString(), "Power curves for Test bird with air density 1.23 kg/cubic m");
    EXPECT_EQ(QFontInfo(g->lblHeading->font()).family(), "Liberation Serif");  // installed, not a fallback
    EXPECT_DOUBLE_EQ(g->lblHeading->font().pointSizeF(), 14.25);
    EXPECT_EQ(TextOf(g, "cmdExit"), "&Return to Power Curve Summary");

    // The designed surface, 10095 by 7455 twips at 15 twips a pixel, in Times New Roman 12.
    graph::Surface& surface = g->pbxGraph->surface();
    EXPECT_EQ(g->pbxGraph->size(), QSize(673, 497));
    EXPECT_FLOAT_EQ(surface.ScaleWidth(), 10095);
    EXPECT_EQ(surface.Font.Name, "Times New Roman");
    EXPECT_FLOAT_EQ(surface.Font.Size, 12);
    const QImage& img = g->pbxGraph->surface().Image();
    EXPECT_EQ(QFontInfo(render::QtFont(surface.Font, 96, img)).family(), "Liberation Serif");
    std::vector<std::string> texts;
    for (const auto& c : g->pbxGraph->surface().Calls()) texts.push_back(c.text);
    for (const char* want : {"True air speed (m/s)", "Power (Watts)", "Mechanical power", "Chemical power"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), want), texts.end()) << want;
    // What was drawn is on the screen's persistent image.
    const QImage& image = g->pbxGraph->surface().Image();
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 500);
}

TEST_F(GraphScreens, OnALargerDisplayTheSurfaceGrowsWithTheControls) {
    computeCurve();
    s.ScreenScaleX = s.ScreenScaleY = 1.28;  // 15360 by 11520 twips
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    ASSERT_NE(g, nullptr);
    // 10095 x 7455 twips become 12922 x 9542, at 15 twips a pixel.
    EXPECT_EQ(g->pbxGraph->size(), QSize(861, 636));
    const auto& calls = g->pbxGraph->surface().Calls();
    // The speed labels come before the graph sets 12 points, in the rescaled font.
    const auto label = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.text == " 5"; });
    ASSERT_NE(label, calls.end());
    EXPECT_NEAR(label->font.Size, 15.36, 1e-4);
    EXPECT_FLOAT_EQ(calls.back().font.Size, 12);
    g->close();
    test::Settle();
    s.ResizeScreens = false;
    g = frmGraphPcurve::Show(ctx, nullptr);
    EXPECT_EQ(g->pbxGraph->size(), QSize(673, 497));
}

TEST_F(GraphScreens, UncertaintyButtonOnlyForContinuousFlapping) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->cmdUncert->isVisible());
    EXPECT_TRUE(g->cmdUncert->isEnabled());
    g->close();
    for (int16_t style : {int16_t(2), int16_t(3)}) {
        s.FlightStyle = style;
        g = frmGraphPcurve::Show(ctx, nullptr);
        ASSERT_NE(g, nullptr);
        EXPECT_FALSE(g->cmdUncert->isVisible()) << style;
        EXPECT_FALSE(g->cmdUncert->isEnabled()) << style;
        g->close();
        test::Settle();
    }
}

TEST_F(GraphScreens, UncertaintyScreenStartsWildOffersThreeSetsAndChecksRanges) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    frmPowerUncert* u = openUncert(g);
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->windowTitle(), "Uncertainty limits for power curve");
    EXPECT_EQ(TextOf(u, "lblHeading"), "Uncertainty estimates for mechanical power curve");
    EXPECT_FALSE(g->isEnabled());
    EXPECT_TRUE(u->optWild->isChecked());
    const char* names[] = {"txtMass", "txtSpan", "txtArea", "txtSbody", "txtCdb", "txtKflap", "txtG", "txtRho"};
    auto shown = [&] {
        QStringList l;
        for (const char* n : names) l << TextOf(u, n);
        return l.join(' ');
    };
    EXPECT_EQ(shown(), "0.15 0.05 0.1 0.2 0.2 0.15 0.005 0.02");
    u->optWT->click();
    u->cmdSetDefaults->click();
    EXPECT_EQ(shown(), "0.01 0.01 0.05 0.05 0.2 0.2 0.005 0.01");
    u->optNearZero->click();
    u->cmdSetDefaults->click();
    EXPECT_EQ(shown(), "0 0 0 0 0 0 0 0");
    u->optWild->click();
    u->cmdSetDefaults->click();
    EXPECT_FLOAT_EQ(u->uncertainties().u[flap::URho], 0.02f);

    // The first value out of range is refused with its own message; the screen stays.
    TypeInto(u, "txtMass", "0.41");
    TypeInto(u, "txtRho", "0.2");
    u->cmdProceed->click();
    test::Settle();
    EXPECT_EQ(d.errors(), std::vector<std::string>{"Mass uncertainty must be between 0 and 0.4"});
    EXPECT_FALSE(s.Flap.UncertDone);
    ASSERT_EQ(screen<frmPowerUncert>("frmPowerUncert"), u);
    TypeInto(u, "txtMass", "0.4");  // both ends allowed
    d.clear();
    u->cmdProceed->click();
    test::Settle();
    EXPECT_EQ(d.errors(), std::vector<std::string>{"Air density uncertainty must be between 0 and 0.1"});
    TypeInto(u, "txtRho", "0.1");
    d.clear();
    u->cmdProceed->click();
    test::Settle();
    EXPECT_TRUE(d.errors().empty());
    EXPECT_TRUE(s.Flap.UncertDone);
    EXPECT_EQ(screen<frmPowerUncert>("frmPowerUncert"), nullptr);
    EXPECT_TRUE(g->isEnabled());
    EXPECT_FALSE(g->cmdUncert->isVisible());
    EXPECT_FALSE(g->cmdUncert->isEnabled());
    EXPECT_FALSE(Dotted(g->pbxGraph->surface()).empty());
}

TEST_F(GraphScreens, AllZeroBandsLieOnTheMechanicalCurve) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    const std::vector<DrawCall> before = g->pbxGraph->surface().Calls();
    frmPowerUncert* u = openUncert(g);
    ASSERT_NE(u, nullptr);
    u->optNearZero->click();
    u->cmdSetDefaults->click();
    u->cmdProceed->click();
    test::Settle();
    EXPECT_EQ(s.Flap.VmpUncert, 0);

    // Each dotted band segment lies on a solid segment of the lower curve; both bands are drawn
    // (the upper one up to the highest power), then the two Vmp lines, which coincide.
    const std::vector<DrawCall> dotted = Dotted(g->pbxGraph->surface());
    const int segments = s.Flap.CurveLastRow - s.Flap.CurveFirstSpeed;
    ASSERT_EQ(int(dotted.size()), 2 * segments + 2);
    for (int i = 0; i < 2 * segments; ++i) {
        const DrawCall& b = dotted[i];
        const bool onCurve = std::any_of(before.begin(), before.end(), [&](const DrawCall& c) {
            return c.kind == DrawCall::Line && c.x1 == b.x1 && c.y1 == b.y1 && c.x2 == b.x2 && c.y2 == b.y2;
        });
        EXPECT_TRUE(onCurve) << "band segment " << i << " from x " << b.x1;
    }
    const DrawCall& lo = dotted[2 * segments];
    const DrawCall& hi = dotted[2 * segments + 1];
    EXPECT_EQ(lo.x1, hi.x1);
    EXPECT_EQ(lo.x1, GraphX(s, s.Flap.Vmp));
    EXPECT_EQ(g->pbxGraph->surface().Calls().back().text, "\u00B10 m/s");
}

TEST_F(GraphScreens, ForgetItLeavesTheGraphAsItWas) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    const std::size_t calls = g->pbxGraph->surface().Calls().size();
    frmPowerUncert* u = openUncert(g);
    ASSERT_NE(u, nullptr);
    u->cmdCancel->click();
    test::Settle();
    EXPECT_EQ(screen<frmPowerUncert>("frmPowerUncert"), nullptr);
    EXPECT_TRUE(g->isEnabled());
    EXPECT_TRUE(g->cmdUncert->isVisible());
    EXPECT_FALSE(s.Flap.UncertDone);
    EXPECT_EQ(g->pbxGraph->surface().Calls().size(), calls);
}

TEST_F(GraphScreens, ClosingTheOpenerClosesTheGraphAndItsUncertaintyScreen) {
    computeCurve();
    auto* opener = new QWidget;
    opener->setAttribute(Qt::WA_DeleteOnClose);
    opener->show();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, opener);
    ASSERT_NE(openUncert(g), nullptr);
    opener->close();
    test::Settle();
    EXPECT_EQ(screen<frmGraphPcurve>("frmGraphPcurve"), nullptr);
    EXPECT_EQ(screen<frmPowerUncert>("frmPowerUncert"), nullptr);
}

TEST_F(GraphScreens, WithoutARunNoGraphOpens) {
    EXPECT_EQ(frmGraphPcurve::Show(ctx, nullptr), nullptr);
    EXPECT_EQ(frmGraphPolar::Show(ctx, nullptr), nullptr);
    test::Settle();
    ASSERT_EQ(d.errors().size(), 2u);
    EXPECT_EQ(d.errors()[0], "There is no power curve to draw: compute the power curve first");
    EXPECT_EQ(screen<frmGraphPcurve>("frmGraphPcurve"), nullptr);
}

TEST_F(GraphScreens, CancelAtThePrinterMessagePrintsNothingAndAsksAgainNextTime) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    const std::string pdf = (tmp.path() / "page.pdf").string();
    g->setPrinter(PdfFilePrinter(pdf));
    d.okCancel.push_back(false);
    g->cmdPrint->click();
    EXPECT_FALSE(s.PrintedFlag);
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].kind, "okcancel");
    EXPECT_EQ(d.shown[0].lines, std::vector<std::string>{"This will only work if the printer is ready"});
    EXPECT_FALSE(std::filesystem::exists(pdf));

    // The message comes again; an empty comment answered No still leaves the flag up.
    d.clear();
    d.okCancel.push_back(true);
    d.inputs.push_back("");
    d.yesNo.push_back(false);
    g->cmdPrint->click();
    EXPECT_TRUE(s.PrintedFlag);
    ASSERT_EQ(d.shown.size(), 3u);
    EXPECT_EQ(d.shown[1].lines, std::vector<std::string>{"Supply short comment to be printed above graph"});
    EXPECT_EQ(d.shown[2].lines, std::vector<std::string>{"Do you want to print the graph or not?"});
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(GraphScreens, PowerCurvePagePrintsHeadingCommentAndEveryValueLine) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    const std::string pdf = (tmp.path() / "power page.pdf").string();
    g->setPrinter(PdfFilePrinter(pdf));
    d.okCancel.push_back(true);
    d.inputs.push_back("Starling trial, first run");
    g->cmdPrint->click();
    EXPECT_TRUE(d.errors().empty());
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(test::ReadFile(pdf).rfind("%PDF", 0), 0u);
    EXPECT_EQ(g->comment(), "Starling trial, first run");

    // Once answered, the printer message is not shown again, on either graph screen.
    d.clear();
    d.inputs.push_back("Second copy");
    g->setPrinter(PdfFilePrinter((tmp.path() / "second.pdf").string()));
    g->cmdPrint->click();
    ASSERT_FALSE(d.shown.empty());
    EXPECT_EQ(d.shown[0].kind, "input");
    EXPECT_TRUE(std::filesystem::exists(tmp.path() / "second.pdf"));

    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const std::vector<std::string> lines = PdfLines(pdf);
    const graph::PrintedPage page = graph::PowerGraphPage(s, g->heading(), "Starling trial, first run");
    ExpectEveryLine(page, lines);
    for (const char* want : {"Input values used to calculate this graph:", "Flight style Continuous flapping",
                             "Starling trial, first run"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), want), lines.end()) << want;
    EXPECT_NE(std::find(lines.begin(), lines.end(), g->heading()), lines.end());
}

TEST_F(GraphScreens, GlidePolarGraphOpensAndPrintsItsOwnPage) {
    computePolar();
    QWidget opener;
    opener.show();
    frmGraphPolar* g = frmGraphPolar::Show(ctx, &opener);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->windowTitle(), "Glide polar");
    EXPECT_EQ(g->windowModality(), Qt::NonModal);
    EXPECT_EQ(TextOf(g, "lblHeading").toStdString(), "Glide polar for Example glider with air density 1.23 kg/cubic m");
    EXPECT_EQ(TextOf(g, "cmdExit"), "&Return to Glide Polar Summary");
    EXPECT_EQ(g->pbxGraph->size(), QSize(665, 481));
    EXPECT_EQ(g->findChild<QPushButton*>("cmdUncert"), nullptr);

    const std::string pdf = (tmp.path() / "polar.pdf").string();
    g->setPrinter(PdfFilePrinter(pdf));
    s.PrintedFlag = true;  // answered on the other graph screen
    d.inputs.push_back("");
    d.yesNo.push_back(true);  // print with an empty comment
    g->cmdPrint->click();
    ASSERT_EQ(d.shown.size(), 2u);
    EXPECT_EQ(d.shown[0].kind, "input");
    ASSERT_TRUE(std::filesystem::exists(pdf));
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const std::vector<std::string> lines = PdfLines(pdf);
    ExpectEveryLine(graph::PolarGraphPage(s, g->heading(), ""), lines);
    const bool law = std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("Wing span reduction law ", 0) == 0;
    });
    EXPECT_TRUE(law);
}

TEST_F(GraphScreens, SavePictureWritesTheDrawingAsPngSvgOrPdf) {
    computeCurve();
    s.OutDrive = (tmp.path() / "out").string();
    s.UseTextFiles = true;
    s.LastOutputFolder.clear();
    s.ShortName = "Tb/1";
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    const std::string png = (tmp.path() / "curve").string();  // no extension: a PNG picture
    d.files.push_back(png);
    g->cmdSavePicture->click();
    ASSERT_EQ(d.shown.size(), 1u);
    EXPECT_EQ(d.shown[0].kind, "save");
    EXPECT_EQ(d.shown[0].request.initialName, "Tb_1_power_curve.png");
    EXPECT_NE(d.shown[0].request.filter.find("*.svg"), std::string::npos);
    // Twice the screen's size, with the heading above the drawing; opened in the output folder.
    EXPECT_EQ(d.shown[0].request.initialFolder,
              (tmp.path() / "out" / "OrnivoOutput" / "TextFiles" / "PowerCurves").string() + "/");
    QImage image(QString::fromStdString(png + ".png"));
    EXPECT_EQ(image.width(), 2 * 673);
    EXPECT_GT(image.height(), 2 * 497 + 30);
    EXPECT_LT(image.height(), 2 * 497 + 120);
    int headingInk = 0;  // the heading's band above the drawing holds text
    for (int y = 0; y < image.height() - 2 * 497; ++y)
        for (int x = 0; x < image.width(); ++x) headingInk += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(headingInk, 200);

    d.clear();
    const std::string svg = (tmp.path() / "curve.svg").string();
    d.files.push_back(svg);
    g->cmdSavePicture->click();
    EXPECT_TRUE(d.errors().empty());
    const std::string text = test::ReadFile(svg);
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("Mechanical power"), std::string::npos);
    EXPECT_NE(text.find("Power curves for Test bird"), std::string::npos);  // the heading, as vector text

    d.clear();
    const std::string pdf = (tmp.path() / "curve.pdf").string();
    d.files.push_back(pdf);
    g->cmdSavePicture->click();
    EXPECT_EQ(test::ReadFile(pdf).rfind("%PDF", 0), 0u);
    if (HavePdfToText()) {
        const std::vector<std::string> lines = PdfLines(pdf);
        EXPECT_NE(std::find(lines.begin(), lines.end(), g->heading()), lines.end());
    }

    // An unknown kind of file is refused and nothing is written; a cancelled dialog does nothing.
    d.clear();
    d.files.push_back((tmp.path() / "curve.bmp").string());
    g->cmdSavePicture->click();
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "The picture was not saved.");
    EXPECT_FALSE(std::filesystem::exists(tmp.path() / "curve.bmp"));
    d.clear();
    g->cmdSavePicture->click();
    EXPECT_TRUE(d.errors().empty());
}

TEST_F(GraphScreens, ShowGraphOnThePowerCurveResultsLeavesTheResultsUsable) {
    frmEnterBird* e = enterBird("1.0", "1.0", "0.15");
    ASSERT_NE(e, nullptr);
    e->cmdFlap->click();
    test::Settle();
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);
    setup->cmdPowerCurve->click();
    test::Settle();
    auto* results = screen<frmSummaryFlap>("frmSummaryFlap");
    ASSERT_NE(results, nullptr);
    ASSERT_TRUE(results->cmdGraph->isEnabled());
    results->cmdGraph->click();
    test::Settle();
    auto* g = screen<frmGraphPcurve>("frmGraphPcurve");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(TextOf(g, "lblHeading").toStdString(), "Power curves for Road bird with air density 1.23 kg/cubic m");
    // The results screen is not blocked: it is still the one modal screen, and it can go on.
    EXPECT_EQ(QApplication::activeModalWidget(), results);
    EXPECT_TRUE(results->isEnabled());
    results->cmdWindTrnglCalc->click();
    test::Settle();
    QWidget* wind = screen<QWidget>("frmWindTrnglCalc");
    ASSERT_NE(wind, nullptr);
    wind->close();
    test::Settle();
    // "Return to Setup" closes the results and their graph.
    if (results->chkExcelFile->isChecked()) results->chkExcelFile->click();
    results->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmGraphPcurve>("frmGraphPcurve"), nullptr);
}

TEST_F(GraphScreens, ShowGraphOnTheGlidePolarResultsOpensThePolar) {
    frmEnterBird* e = enterBird("2.2", "1.4", "0.33");
    ASSERT_NE(e, nullptr);
    e->cmdGlide->click();
    test::Settle();
    auto* setup = screen<frmSetupGlide>("frmSetupGlide");
    ASSERT_NE(setup, nullptr);
    setup->cmdGlidePolar->click();
    test::Settle();
    auto* results = screen<frmSummaryGlide>("frmSummaryGlide");
    ASSERT_NE(results, nullptr);
    ASSERT_TRUE(results->cmdGraph->isEnabled());
    results->cmdGraph->click();
    test::Settle();
    auto* g = screen<frmGraphPolar>("frmGraphPolar");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(TextOf(g, "lblHeading").toStdString(), "Glide polar for Road bird with air density 1.23 kg/cubic m");
    EXPECT_EQ(QApplication::activeModalWidget(), results);
    g->cmdExit->click();
    test::Settle();
    EXPECT_EQ(screen<frmGraphPolar>("frmGraphPolar"), nullptr);
    EXPECT_NE(screen<frmSummaryGlide>("frmSummaryGlide"), nullptr);
}

namespace {

// A word of a PDF page with its box in points, as `pdftotext -bbox` gives it.
struct PdfWord {
    double xMin, yMin, xMax, yMax;
    std::string text;
    bool overlaps(const PdfWord& o) const { return xMin < o.xMax && o.xMin < xMax && yMin < o.yMax && o.yMin < yMax; }
};

double Attribute(const std::string& tag, const std::string& name) {
    const auto at = tag.find(name + "=\"");
    return at == std::string::npos ? -1 : std::stod(tag.substr(at + name.size() + 2));
}

// The words of the first page and the page's size.
std::vector<PdfWord> PdfWords(const std::string& pdf, double& width, double& height) {
    const std::string html = pdf + ".html";
    EXPECT_EQ(std::system(("pdftotext -bbox -f 1 -l 1 '" + pdf + "' '" + html + "'").c_str()), 0);
    const std::string text = test::ReadFile(html);
    const auto page = text.find("<page ");
    width = Attribute(text.substr(page, 80), "width");
    height = Attribute(text.substr(page, 80), "height");
    std::vector<PdfWord> words;
    for (auto at = text.find("<word "); at != std::string::npos; at = text.find("<word ", at + 1)) {
        const auto close = text.find('>', at), end = text.find("</word>", at);
        const std::string tag = text.substr(at, close - at);
        words.push_back({Attribute(tag, "xMin"), Attribute(tag, "yMin"), Attribute(tag, "xMax"), Attribute(tag, "yMax"),
                         text.substr(close + 1, end - close - 1)});
    }
    return words;
}

}  // namespace

TEST_F(GraphScreens, ThePrintedPageHoldsHeadingGraphAndValuesApartOnA4AndLetter) {
    if (!HavePdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    computeCurve();
    s.PrintedFlag = true;
    // As designed, and rescaled for displays of 1024 by 768 and 1280 by 900 (a larger drawing).
    for (double scale : {1.0, 1.28, 1.5}) {
        s.ScreenScaleX = s.ScreenScaleY = scale;
        frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
        ASSERT_NE(g, nullptr);
        for (Paper paper : {Paper::A4, Paper::Letter}) {
            const std::string name = std::string(paper == Paper::A4 ? "A4" : "Letter") + " at " + std::to_string(scale);
            const std::string pdf = (tmp.path() / (name + ".pdf")).string();
            g->setPrinter(PdfFilePrinter(pdf, paper));
            d.inputs.push_back("Printed comment");
            g->cmdPrint->click();
            ASSERT_TRUE(std::filesystem::exists(pdf)) << name;
            double width = 0, height = 0;
            const std::vector<PdfWord> words = PdfWords(pdf, width, height);
            EXPECT_NEAR(width, paper == Paper::A4 ? 595.3 : 612, 1) << name;
            // Heading and comment above, the values from their title down, the graph between.
            const auto title = std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "Input"; });
            const auto comment = std::find_if(words.begin(), words.end(), [](const PdfWord& w) { return w.text == "comment"; });
            ASSERT_NE(title, words.end()) << name;
            ASSERT_NE(comment, words.end()) << name;
            std::vector<PdfWord> head, graph, values;
            for (const PdfWord& w : words)
                (w.yMin >= title->yMin - 0.5 ? values : w.yMax <= comment->yMax + 0.5 ? head : graph).push_back(w);
            ASSERT_GT(graph.size(), 10u) << name;
            EXPECT_GT(values.size(), 60u) << name;
            PdfWord area = graph.front();
            for (const PdfWord& w : graph)
                area = {std::min(area.xMin, w.xMin), std::min(area.yMin, w.yMin), std::max(area.xMax, w.xMax),
                        std::max(area.yMax, w.yMax), "graph"};
            for (const PdfWord& w : values) EXPECT_FALSE(w.overlaps(area)) << name << ": value text over the graph: " << w.text;
            for (const PdfWord& w : head) EXPECT_FALSE(w.overlaps(area)) << name << ": heading over the graph: " << w.text;
            for (const PdfWord& w : words)
                EXPECT_TRUE(w.xMin >= 0 && w.yMin >= 0 && w.xMax <= width && w.yMax <= height)
                    << name << ": off the page: " << w.text << " at " << w.xMin << "," << w.yMin << "-" << w.xMax << ","
                    << w.yMax;
            // The drawing's own texts all made it onto the page.
            for (const char* want : {"Mechanical", "Chemical", "(m/s)"})
                EXPECT_TRUE(std::any_of(graph.begin(), graph.end(), [&](const PdfWord& w) { return w.text == want; }))
                    << name << " lacks " << want;
        }
        g->close();
        test::Settle();
    }
}

namespace {

// The texts written on a surface that cover one another, as "a / b".
std::vector<std::string> OverlappingTexts(graph::Surface& surface, const std::vector<DrawCall>& calls) {
    struct Box {
        double l, t, r, b;
        std::string text;
    };
    std::vector<Box> boxes;
    const graph::SurfaceFont font = surface.Font;
    for (const DrawCall& c : calls) {
        if (c.kind != DrawCall::Text) continue;
        surface.Font = c.font;
        boxes.push_back({c.x1, c.y1, c.x1 + surface.TextWidth(c.text), c.y1 + surface.TextHeight(c.text), c.text});
    }
    surface.Font = font;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            if (boxes[i].l < boxes[j].r && boxes[j].l < boxes[i].r && boxes[i].t < boxes[j].b && boxes[j].t < boxes[i].b)
                out.push_back(boxes[i].text + " / " + boxes[j].text);
    return out;
}

}  // namespace

TEST_F(GraphScreens, AnAbsurdBirdStillGetsReadableLabels) {
    // 900 kg on a 0.9 m span: a curve up to very high speeds.
    test::TypedBird heavy;
    heavy.mass = 900;
    heavy.span = 0.9;
    heavy.area = 0.1;
    test::ToPowerCurveSetup(s, d, heavy);
    ASSERT_TRUE(flap::ComputePowerCurve(s, d));
    ASSERT_GT(s.Flap.CurveLastRow, 60);
    d.clear();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    ASSERT_NE(g, nullptr);
    graph::Surface& surface = g->pbxGraph->surface();
    for (const std::string& o : OverlappingTexts(surface, g->pbxGraph->surface().Calls()))
        ADD_FAILURE() << "texts over one another: " << o;
    // Labels still name round speeds, from 0.
    const auto& calls = g->pbxGraph->surface().Calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const DrawCall& c) { return c.text == " 0"; }));
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    g->grab().save(QString(ORNIVO_UI_PICTURES_DIR) + "/frmGraphPcurve-absurd.png");
}

TEST_F(GraphScreens, TheUpperBandReachesTheFrameAndItsLabelStaysInside) {
    computeCurve();
    frmGraphPcurve* g = frmGraphPcurve::Show(ctx, nullptr);
    ASSERT_NE(g, nullptr);
    // The upper band passes the top of the plot before the last speed. The label's place is worked
    // out for a minimum power speed near the right edge, where the label has no room on its right.
    s.Flap.Vmp = static_cast<float>(0.9 * s.Flap.CurveLastRow);
    frmPowerUncert* u = openUncert(g);
    ASSERT_NE(u, nullptr);
    u->cmdProceed->click();
    test::Settle();
    ASSERT_TRUE(s.Flap.UncertDone);
    const std::vector<DrawCall> dotted = Dotted(g->pbxGraph->surface());
    const bool reachesTop = std::any_of(dotted.begin(), dotted.end(), [&](const DrawCall& c) {
        return std::abs(c.y2 - s.MechPlotTop) < 1 && c.y1 > s.MechPlotTop;
    });
    EXPECT_TRUE(reachesTop) << "the upper band stops short of the plot's top edge";
    const auto& calls = g->pbxGraph->surface().Calls();
    const auto label = std::find_if(calls.begin(), calls.end(),
                                    [](const DrawCall& c) { return c.kind == DrawCall::Text && c.text.rfind("\u00B1", 0) == 0; });
    ASSERT_NE(label, calls.end());
    graph::Surface& surface = g->pbxGraph->surface();
    const double right = 0.9 * surface.ScaleWidth();
    surface.Font = label->font;
    EXPECT_LE(label->x1 + surface.TextWidth(label->text), right) << label->text << " runs past the frame";
    EXPECT_GE(label->x1, s.GraphX0);
    for (const std::string& o : OverlappingTexts(surface, calls)) ADD_FAILURE() << "texts over one another: " << o;
    QDir().mkpath(ORNIVO_UI_PICTURES_DIR);
    g->grab().save(QString(ORNIVO_UI_PICTURES_DIR) + "/frmGraphPcurve-bands.png");
}
