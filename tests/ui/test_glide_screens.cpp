// The glide-polar road on the screens: Enter Bird, glide setup, results and back, with text files and
// with a result workbook, typed and left as a person would, with the scripted dialogs.
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <filesystem>

#include "UiTest.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "glide/SummaryGlide.h"
#include "state/numtext.h"
#include "ui/frmEnterBird.h"
#include "ui/frmSetupGlide.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryGlide.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

class GlideScreens : public test::ScreenTest {
protected:
    GlideScreens() { s.ProgramFolder = ORNIVO_RUNTIME_DIR; }

    // The example bird of the glide polar: 2.2 kg, span 1.4 m, area 0.33 sq m at sea level.
    frmSetupGlide* toSetup(const QString& outRoot, bool textFiles) {
        auto* start = new frmStart(ctx);
        start->show();
        if (textFiles) start->optTextFiles->click();
        else start->optExcel->click();
        start->drvOutDefault->addItem(outRoot, outRoot);
        start->drvOutDefault->setCurrentIndex(start->drvOutDefault->count() - 1);
        start->cmdEnterNewBird->click();
        test::Settle();
        auto* e = screen<frmEnterBird>("frmEnterBird");
        if (!e) return nullptr;
        TypeInto(e, "txtSpName", "Example glider");
        TypeInto(e, "txtShortName", "Eg");
        TypeInto(e, "txtEmptyMass", "2.2");
        TypeInto(e, "txtSpan", "1.4");
        TypeInto(e, "txtArea", "0.33");
        TypeInto(e, "txtAlt", "0");
        e->cmdGlide->click();
        test::Settle();
        return screen<frmSetupGlide>("frmSetupGlide");
    }
    frmSummaryGlide* compute(frmSetupGlide* setup) {
        setup->cmdGlidePolar->click();
        test::Settle();
        return screen<frmSummaryGlide>("frmSummaryGlide");
    }
    QTemporaryDir root;
};

}  // namespace

TEST_F(GlideScreens, ExampleBirdShowsTheEngineNumbers) {
    frmSetupGlide* setup = toSetup(root.path(), true);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(TextOf(setup, "txtEmptyMass"), "2.20");
    EXPECT_EQ(TextOf(setup, "txtTonicMuscFrac"), "1.50");
    EXPECT_EQ(TextOf(setup, "txtBstop"), "5.00");
    EXPECT_TRUE(setup->optLinear->isChecked());

    frmSummaryGlide* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE((results->windowModality() == Qt::WindowModal));  // it blocks the setup screen while open
    EXPECT_EQ(results->parentWidget(), setup);
    EXPECT_NEAR(s.Glide.Vstall, 7.70, 0.005);
    EXPECT_EQ(TextOf(results, "txtVmsTAS"), "8.80");
    EXPECT_TRUE(TextOf(results, "txtMinSink").startsWith("0.88"));
    EXPECT_EQ(TextOf(results, "txtVbgTAS"), "13.9");
    EXPECT_EQ(TextOf(results, "txtNmax"), "12.7");
    EXPECT_EQ(TextOf(results, "txtCircleRadius"), "18.7");
    EXPECT_TRUE(TextOf(results, "lblCircleRadius").startsWith(QString::fromUtf8("Circle radius at 24° bank, Cl=")));

    // The MacCready text, line by line: two headings and six climb rates.
    const QStringList lines = results->txtMacCready->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0].trimmed(), "Climb      Vit(opt)     Vcc(max)   L/D eff     Vcc(bg)      L/D eff");
    EXPECT_EQ(lines[1].trimmed(), "m/s         m/s            m/s             (opt)         m/s             (bg)");
    const QString expected = QString::fromStdString(glide::MacCreadyText(s));
    const QStringList want = expected.split("\r\n");
    for (int r = 0; r < 8; ++r) EXPECT_EQ(lines[r].trimmed(), want[r].trimmed()) << "line " << r;
    EXPECT_TRUE(lines[2].startsWith("   0.5          "));
    EXPECT_TRUE(lines[7].startsWith("   3.0          "));
    // Shown as a table: each heading over its own column, every value whole inside its column.
    MacCreadyTable* table = results->txtMacCready;
    ASSERT_EQ(table->columnCount(), 6);
    ASSERT_EQ(table->rowCount(), 6);
    const QStringList headings = {"Climb\nm/s", "Vit(opt)\nm/s", "Vcc(max)\nm/s", "L/D eff\n(opt)",
                                  "Vcc(bg)\nm/s", "L/D eff\n(bg)"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(table->horizontalHeaderItem(c)->text(), headings[c]);
        for (int r = 0; r < 6; ++r) {
            const QString v = table->item(r, c)->text();
            EXPECT_EQ(v, want[r + 2].split(' ', Qt::SkipEmptyParts).value(c)) << r << "," << c;
            EXPECT_LE(table->fontMetrics().horizontalAdvance(v), table->columnWidth(c)) << v.toStdString();
        }
    }
    EXPECT_GE(table->height(), table->sizeHint().height());  // no row scrolled out of sight

    results->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmSummaryGlide>("frmSummaryGlide"), nullptr);
}

TEST_F(GlideScreens, BstopOnlyWithTheLinearLawAndItsRange) {
    frmSetupGlide* setup = toSetup(root.path(), true);
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(setup->txtBstop->isVisibleTo(setup));
    setup->optMinDrag->click();
    EXPECT_FALSE(setup->txtBstop->isVisibleTo(setup));
    EXPECT_FALSE(setup->lblBstop->isVisibleTo(setup));
    EXPECT_EQ(s.Glide.SpanLaw, 2);
    setup->optLinear->click();
    EXPECT_TRUE(setup->txtBstop->isVisibleTo(setup));
    EXPECT_EQ(s.Glide.SpanLaw, 1);

    TypeInto(setup, "txtBstop", "7");
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Bstop must be between 4 and 6");
    EXPECT_FLOAT_EQ(s.Bstop, 5.0f);
    EXPECT_EQ(TextOf(setup, "txtBstop"), "7");
    TypeInto(setup, "txtBstop", "4.5");
    EXPECT_FLOAT_EQ(s.Bstop, 4.5f);
}

TEST_F(GlideScreens, TwoRunsInOneTextFile) {
    frmSetupGlide* setup = toSetup(root.path(), true);
    ASSERT_NE(setup, nullptr);
    frmSummaryGlide* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcel"), "       Open a text file to save results of this run");
    EXPECT_TRUE(results->chkExcel->isChecked());  // checked as the screen opens
    results->chkExcel->click();
    EXPECT_FALSE(results->chkExcel->isChecked());
    results->chkExcel->click();
    EXPECT_TRUE(results->txtFileName->isVisibleTo(results));
    EXPECT_EQ(TextOf(results, "txtFileName"), "Eg");
    const QString path = root.path() + "/glides.txt";
    d.inputs.push_back("first glide");
    d.files.push_back(path.toStdString());
    results->cmdOK->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(d.shown.back().request.title, "Save output as text file");
    EXPECT_EQ(s.OutPath, path.toStdString());

    // A second run after an edit: appended without a dialog.
    TypeInto(setup, "txtTonicMuscFrac", "2");
    results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcel"), "Append results of this run to file Eg");
    d.clear();
    d.inputs.push_back("second glide");
    results->cmdOK->click();
    test::Settle();
    for (const auto& shown : d.shown) EXPECT_NE(shown.kind, "save");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count("Glide polar calculation for Example glider (Non-Passerine)"), 2);
    EXPECT_TRUE(text.contains("first glide"));
    EXPECT_TRUE(text.contains("second glide"));

    // Exit shows where the output went; nothing is asked about a workbook.
    setup->cmdExit->click();
    test::Settle();
    auto* out = screen<QWidget>("frmOutputFile");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(TextOf(out, "txtOutFile"), path);
}

TEST_F(GlideScreens, TwoRunsInOneWorkbookSavedOnGetNewBird) {
    frmSetupGlide* setup = toSetup(root.path(), false);
    ASSERT_NE(setup, nullptr);
    for (int run = 1; run <= 2; ++run) {
        frmSummaryGlide* results = compute(setup);
        ASSERT_NE(results, nullptr);
        EXPECT_EQ(TextOf(results, "chkExcel"), run == 1 ? "Save glide polar as Sheet 1 of a new Excel workbook"
                                                          : "Save glide polar as a new sheet in workbook Eg");
        if (run == 1) {
            // Unchecked and checked again: the name field shows the short name.
            results->chkExcel->click();
            results->chkExcel->click();
            EXPECT_EQ(TextOf(results, "txtFileName"), "Eg");
        }
        d.inputs.push_back("glide " + std::to_string(run));
        results->cmdOK->click();
        test::Settle();
        ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    }
    EXPECT_EQ(s.WorkbookUnsaved, 1);
    const QString path = root.path() + "/glides.xlsx";
    d.files.push_back(path.toStdString());
    setup->cmdNewBird->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(d.shown.back().request.title, "Save Excel Workbook");
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(screen<frmSetupGlide>("frmSetupGlide"), nullptr);
    EXPECT_EQ(s.WorkbookUnsaved, 0);
    ASSERT_TRUE(std::filesystem::exists(path.toStdString()));
    sheet::Workbook wb;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(path.toStdString(), wb, error)) << error;
    EXPECT_EQ(wb.sheetCount(), 2);
}

TEST_F(GlideScreens, TitleBarCloseAsksForTheWorkbookAndCancelDropsOnlyWhenAgreed) {
    frmSetupGlide* setup = toSetup(root.path(), false);
    ASSERT_NE(setup, nullptr);
    frmSummaryGlide* results = compute(setup);
    ASSERT_NE(results, nullptr);
    d.inputs.push_back("kept");
    results->close();  // the title bar: the run is saved as "Return to Setup" saves it
    test::Settle();
    EXPECT_EQ(s.WorkbookUnsaved, 1);

    // Closing the setup screen offers the save dialog; cancelling it and refusing to drop the runs
    // brings the dialog back, where a name saves the workbook.
    const QString path = root.path() + "/closed.xlsx";
    d.files.push_back(std::nullopt);
    d.yesNo.push_back(false);
    d.files.push_back(path.toStdString());
    setup->close();
    test::Settle();
    EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
    EXPECT_EQ(s.WorkbookUnsaved, 0);
}
