// The power-curve road on the screens: start, Enter Bird, setup, results and back, typed and left as a
// person would, with the scripted dialogs.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include "UiTest.h"
#include "external/spreadsheet/WorkbookFiles.h"
#include "flap/PowerCurve.h"
#include "flap/SummaryFlap.h"
#include "support/BirdSetup.h"
#include "ui/frmEnterBird.h"
#include "ui/frmSetupFlap.h"
#include "ui/frmStart.h"
#include "ui/frmSummaryFlap.h"

using namespace ornivo;
using namespace ornivo::ui;
using ornivo::test::TextOf;
using ornivo::test::TypeInto;

namespace {

class PowerCurveScreens : public test::ScreenTest {
protected:
    frmEnterBird* enterBird() {
        auto* start = new frmStart(ctx);
        start->show();
        start->cmdEnterNewBird->click();
        test::Settle();
        return screen<frmEnterBird>("frmEnterBird");
    }
    // The default test bird, typed field by field.
    void typeBird(frmEnterBird* e) {
        TypeInto(e, "txtSpName", "Test bird");
        TypeInto(e, "txtShortName", "Tb");
        TypeInto(e, "txtEmptyMass", "1.0");
        TypeInto(e, "txtSpan", "1.0");
        TypeInto(e, "txtArea", "0.15");
        TypeInto(e, "txtAlt", "0");
    }
    frmSetupFlap* toSetup() {
        frmEnterBird* e = enterBird();
        typeBird(e);
        e->cmdFlap->click();
        test::Settle();
        return screen<frmSetupFlap>("frmSetupFlap");
    }
    frmSummaryFlap* compute(frmSetupFlap* setup) {
        setup->cmdPowerCurve->click();
        test::Settle();
        return screen<frmSummaryFlap>("frmSummaryFlap");
    }
};

}  // namespace

TEST_F(PowerCurveScreens, WholeRoadShowsTheEngineNumbers) {
    frmEnterBird* e = enterBird();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(screen<frmStart>("frmStart"), nullptr);
    typeBird(e);
    EXPECT_EQ(TextOf(e, "txtAR"), "6.67");
    EXPECT_EQ(TextOf(e, "txtRho"), "1.225");
    EXPECT_FLOAT_EQ(s.slot(0).EmptyMass, 1.0f);
    EXPECT_EQ(s.SpName, "Test bird");

    e->cmdFlap->click();
    test::Settle();
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(TextOf(setup, "txtEmptyMass"), "1.00");
    EXPECT_EQ(TextOf(setup, "txtTaxon"), "Non-Passerine");
    EXPECT_FALSE(setup->txtPowerFrac->isVisibleTo(setup));

    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(d.errors().empty());
    // The results block the setup screen until they close.
    EXPECT_EQ(QApplication::activeModalWidget(), results);

    // The same bird through the core alone.
    ProgramState ref;
    platform::ScriptedDialogs rd;
    test::ToPowerCurveSetup(ref, rd);
    ASSERT_TRUE(flap::ComputePowerCurve(ref, rd));
    auto expected = flap::LoadSummaryFlap(ref);
    int compared = 0;
    for (const auto& [name, text] : expected.texts) {
        if (name.rfind("txt", 0) != 0) continue;
        EXPECT_EQ(TextOf(results, name.c_str()).toStdString(), text) << name;
        ++compared;
    }
    EXPECT_GE(compared, 28);
    EXPECT_EQ(TextOf(results, "txtVmp").toStdString(), FormatSig(ref.Flap.Vmp, 3));
    EXPECT_FALSE(results->cmdGetBH->isVisibleTo(results));

    results->cmdOK->click();
    test::Settle();
    EXPECT_EQ(screen<frmSummaryFlap>("frmSummaryFlap"), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(s.LastBirdValid);

    // No output saved: "Exit Program" ends the program at once.
    setup->cmdExit->click();
    test::Settle();
    EXPECT_TRUE(ended);
}

TEST_F(PowerCurveScreens, GetNewBirdReturnsToEnterBirdWithReloadOffered) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    compute(setup)->cmdOK->click();
    test::Settle();
    setup->cmdNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(e->cmdReloadLast->isEnabled());
    // Defaults again, but the kept air density is shown, not hidden behind an empty field.
    EXPECT_EQ(TextOf(e, "txtEmptyMass"), "");
    EXPECT_EQ(TextOf(e, "txtRho"), "1.225");
    TypeInto(e, "txtEmptyMass", "2");
    e->cmdReloadLast->click();
    EXPECT_EQ(TextOf(e, "txtEmptyMass"), "1.00");
    EXPECT_FLOAT_EQ(s.slot(0).EmptyMass, 1.0f);
}

TEST_F(PowerCurveScreens, CheckBirdNamesTheFirstProblemAndMovesTheFocus) {
    frmEnterBird* e = enterBird();
    struct Step {
        const char* field;
        const char* text;
        const char* message;
        const char* focus;
    };
    const Step steps[] = {
        {nullptr, nullptr, "Please enter a bird", "txtSpName"},
        {"txtSpName", "Robin", "Please enter the empty body mass, and press TAB", "txtEmptyMass"},
        {"txtEmptyMass", "0.02", "An accurate value for the wing span is essential", "txtSpan"},
        {"txtSpan", "0.22", "Please enter the wing area if known,", "txtAR"},
        {"txtAR", "5", "Please enter the altitude above sea level", "txtAlt"},
    };
    s.AirDensity = 0;  // no density yet this run
    for (const Step& st : steps) {
        if (st.field) TypeInto(e, st.field, st.text);
        d.clear();
        e->cmdFlap->click();
        test::Settle();
        ASSERT_EQ(d.errors().size(), 1u) << st.message;
        EXPECT_EQ(d.errors()[0], st.message);
        EXPECT_EQ(e->focusWidget()->objectName().toStdString(), st.focus);
        EXPECT_EQ(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
    }
    EXPECT_EQ(d.shown.back().lines.size(), 2u);
    // With the altitude the bird passes and the setup screen opens.
    TypeInto(e, "txtAlt", "100");
    e->cmdFlap->click();
    test::Settle();
    EXPECT_NE(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
}

TEST_F(PowerCurveScreens, ButtonCommitsTheFieldStillBeingTyped) {
    frmEnterBird* e = enterBird();
    typeBird(e);
    // A new mass typed and the calculation chosen by its shortcut, without leaving the field.
    auto* f = e->txtEmptyMass;
    f->setFocus();
    f->selectAll();
    QTest::keyClicks(f, "1.5");
    e->cmdFlap->click();
    test::Settle();
    EXPECT_FLOAT_EQ(s.slot(0).EmptyMass, 1.5f);
}

TEST_F(PowerCurveScreens, MassRefusalsLeaveTheTypedValues) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    TypeInto(setup, "txtMuscleFrac", "0.1");
    d.clear();
    TypeInto(setup, "txtFatFrac", "0.6");
    EXPECT_TRUE(d.errors().empty());
    TypeInto(setup, "txtFatFrac", "0.61");
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "That won't do. Fat mass must not exceed 0.6 x Body mass");
    EXPECT_EQ(TextOf(setup, "txtFatFrac"), "0.61");
    d.clear();
    TypeInto(setup, "txtFatFrac", "0.1");
    TypeInto(setup, "txtMuscleMass", "0.5");
    ASSERT_FALSE(d.errors().empty());
    EXPECT_EQ(d.errors().back(), "That won't do. Muscle mass must not exceed 0.3 x Body mass");
    EXPECT_FLOAT_EQ(s.slot(1).MuscleMass, 0.5f);
    // Leaving a field again without typing commits nothing and repeats no message.
    d.clear();
    setup->txtMuscleMass->setFocus();
    QTest::keyClick(setup->txtMuscleMass, Qt::Key_Tab);
    test::Settle();
    EXPECT_TRUE(d.errors().empty());
}

TEST_F(PowerCurveScreens, PowerFractionBoxForFlapGlidingAndBounding) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    setup->optFG->click();
    test::Settle();
    EXPECT_TRUE(setup->lblPowerFrac->isVisibleTo(setup));
    EXPECT_TRUE(setup->txtPowerFrac->isEnabled());
    EXPECT_EQ(setup->focusWidget(), setup->txtPowerFrac);
    d.clear();
    TypeInto(setup, "txtPowerFrac", "0.04");
    ASSERT_EQ(d.errors().size(), 1u);
    EXPECT_EQ(d.errors()[0], "Please enter a value between 0.05 and 1 for the Power Fraction");
    // A power fraction of 1 is continuous flapping: a notice, and the box goes away.
    d.clear();
    TypeInto(setup, "txtPowerFrac", "1");
    ASSERT_EQ(d.messages().size(), 1u);
    EXPECT_EQ(d.messages()[0][0], "Setting Power Fraction = 1 is the same as");
    EXPECT_TRUE(setup->optFlap->isChecked());
    EXPECT_FALSE(setup->txtPowerFrac->isVisibleTo(setup));

    setup->optBound->click();
    test::Settle();
    EXPECT_TRUE(setup->txtPowerFrac->isVisibleTo(setup));
    d.clear();
    TypeInto(setup, "txtPowerFrac", "0.19");
    EXPECT_EQ(d.errors().at(0), "Please enter a value between 0.2 and 1 for the Power Fraction");
    setup->optFlap->click();
    test::Settle();
    EXPECT_FALSE(setup->lblPowerFrac->isVisibleTo(setup));
    EXPECT_EQ(s.FlightStyle, 1);
}

TEST_F(PowerCurveScreens, BoundHeightForHalfSecondAtPowerFractionHalf) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    setup->optBound->click();
    test::Settle();
    TypeInto(setup, "txtPowerFrac", "0.5");
    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->cmdGetBH->isVisibleTo(results));
    EXPECT_EQ(TextOf(results, "txtPowerFrac"), "0.500");
    EXPECT_FALSE(results->txtBH->isVisibleTo(results));
    // An empty answer changes nothing.
    results->cmdGetBH->click();
    EXPECT_FALSE(results->txtBH->isVisibleTo(results));
    d.inputs.push_back("0.5");
    results->cmdGetBH->click();
    EXPECT_EQ(d.shown.back().lines.at(0), "Enter bound period in seconds");
    EXPECT_TRUE(results->lblBH->isVisibleTo(results));
    EXPECT_EQ(TextOf(results, "txtTau"), "0.500");
    EXPECT_EQ(TextOf(results, "txtBH"), "0.153");
    EXPECT_NEAR(s.slot(1).BoundHeight, 9.81 * 0.25 * 0.5 / 8, 1e-6);
}

TEST_F(PowerCurveScreens, SaveBoxCaptionsByOutputCountAndType) {
    ProgramState st;
    st.OutFileName = "Robin";
    st.UseTextFiles = false;
    EXPECT_EQ(flap::SaveBoxCaption(st), "Save power curve as Sheet 1 of a new Excel workbook");
    st.UseTextFiles = true;
    EXPECT_EQ(flap::SaveBoxCaption(st), "       Open a text file to save results of this run");
    st.OutputCount = 2;
    EXPECT_EQ(flap::SaveBoxCaption(st), "Append results of this run to file Robin");
    st.UseTextFiles = false;
    EXPECT_EQ(flap::SaveBoxCaption(st), "Save power curve as a new sheet in workbook Robin");

    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcelFile"), "Save power curve as Sheet 1 of a new Excel workbook");
    EXPECT_FALSE(results->chkExcelFile->isChecked());
    // Clicking the box before the first saved run shows the proposed name.
    auto u = flap::SaveBoxClick(s);
    results->apply(u);
    EXPECT_EQ(TextOf(results, "txtFileName"), "Tb");
    EXPECT_TRUE(results->txtFileName->isVisibleTo(results));
    s.OutputCount = 1;
    results->apply(flap::SaveBoxClick(s));
    EXPECT_FALSE(results->txtFileName->isVisibleTo(results));
}

TEST_F(PowerCurveScreens, FourDigitOutputAndTitleBarCloseReturnToSetup) {
    auto* setup = toSetup();
    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    results->chk4Digit->click();
    EXPECT_EQ(s.SigDigits, 4);
    // The screen itself keeps 3 digits.
    EXPECT_EQ(TextOf(results, "txtVmp").toStdString(), FormatSig(s.Flap.Vmp, 3));
    results->close();
    test::Settle();
    EXPECT_EQ(screen<frmSummaryFlap>("frmSummaryFlap"), nullptr);
    EXPECT_NE(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
    EXPECT_FALSE(ended);
    // Opening the results again keeps the choice.
    results = compute(setup);
    EXPECT_TRUE(results->chk4Digit->isChecked());
}

TEST_F(PowerCurveScreens, ExitAfterSavedOutputShowsWhereItWent) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    s.OutPath = "/tmp/OrnivoOutput/TextFiles/PowerCurves/Tb_0001.txt";
    setup->close();  // the title bar: the same as "Exit Program"
    test::Settle();
    auto* out = screen<QWidget>("frmOutputFile");
    ASSERT_NE(out, nullptr);
    EXPECT_FALSE(ended);
    EXPECT_EQ(TextOf(out, "txtOutFile").toStdString(), s.OutPath);
    EXPECT_EQ(TextOf(out, "lblOutFile"), "Last output saved in:");
    out->findChild<QPushButton*>("cmdOK")->click();
    test::Settle();
    EXPECT_TRUE(ended);
}

TEST_F(PowerCurveScreens, ResultsScaleWithTheDisplay) {
    auto* setup = toSetup();
    ASSERT_NE(setup, nullptr);
    const double base = QApplication::font().pointSizeF();
    s.ResizeScreens = false;
    auto* plain = compute(setup);
    ASSERT_NE(plain, nullptr);
    const int plainWidth = plain->width();
    // The test display may be too small for the screens as designed: their text is then made smaller
    // until they fit it, and the sizes below are checked only on a display that holds them.
    const QSize display = plain->screen()->availableGeometry().size();
    const bool roomy = display.width() >= 1024 && display.height() >= 768;
    if (roomy) EXPECT_DOUBLE_EQ(plain->txtVmp->font().pointSizeF(), base);
    plain->cmdOK->click();
    test::Settle();

    // 15360 by 11520 twips: fonts 1.28 times larger, and the fields grow with them.
    s.ResizeScreens = true;
    s.ScreenScaleX = s.ScreenScaleY = 1.28;
    auto* big = compute(setup);
    if (roomy) EXPECT_NEAR(big->txtVmp->font().pointSizeF(), base * 1.28, 1e-6);
    for (const std::string& f : test::ClippedFields(big)) ADD_FAILURE() << "clipped on the results: " << f;
    big->cmdOK->click();
    test::Settle();

    {
        // A setup screen built on a 1280 by 960 display: its fixed-width fields grow with their fonts.
        s.ScreenScaleX = s.ScreenScaleY = 1.6;
        s.SpName = "Anas platyrhynchos";
        frmSetupFlap bigSetup(ctx);
        bigSetup.show();
        test::Settle();
        for (const std::string& f : test::ClippedFields(&bigSetup)) ADD_FAILURE() << "clipped on the setup: " << f;
        s.ScreenScaleX = s.ScreenScaleY = 1.28;
    }

    // 15360 by 9000 twips: fonts as designed, the window 1.28 times wider.
    s.ScreenScaleY = 1;
    auto* wide = compute(setup);
    EXPECT_LE(wide->txtVmp->font().pointSizeF(), base);
    if (roomy) EXPECT_NEAR(wide->width(), 1.28 * plainWidth, 2);
}

TEST_F(PowerCurveScreens, RoadToASavedTextFileWithTwoRuns) {
    QTemporaryDir root;
    auto* start = new frmStart(ctx);
    start->show();
    start->optTextFiles->click();
    start->drvOutDefault->addItem(root.path(), root.path());
    start->drvOutDefault->setCurrentIndex(start->drvOutDefault->count() - 1);
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(TextOf(e, "txtOutDrive"), root.path());
    typeBird(e);
    e->cmdFlap->click();
    test::Settle();
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);

    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcelFile"), "       Open a text file to save results of this run");
    ASSERT_TRUE(results->chkExcelFile->isEnabled());
    results->chkExcelFile->click();
    EXPECT_TRUE(results->txtFileName->isVisibleTo(results));
    EXPECT_EQ(TextOf(results, "txtFileName"), "Tb");
    const QString path = root.path() + "/robin runs.txt";
    d.inputs.push_back("first run");
    d.files.push_back(path.toStdString());
    results->cmdOK->click();
    test::Settle();
    ASSERT_EQ(screen<frmSummaryFlap>("frmSummaryFlap"), nullptr);
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    const auto& save = d.shown.back();
    EXPECT_EQ(save.kind, "save");
    EXPECT_EQ(save.request.title, "Save output as text file");
    EXPECT_EQ(save.request.initialName, "Tb_0001.txt");
    EXPECT_NE(save.request.initialFolder.find("OrnivoOutput"), std::string::npos);
    EXPECT_EQ(s.OutPath, path.toStdString());
    EXPECT_EQ(s.OutputCount, 1);

    // The second run is appended to the same file without a dialog.
    results = compute(setup);
    EXPECT_EQ(TextOf(results, "chkExcelFile"), "Append results of this run to file Tb");
    results->chkExcelFile->click();
    EXPECT_FALSE(results->txtFileName->isVisibleTo(results));
    d.clear();
    d.inputs.push_back("second run");
    results->cmdOK->click();
    test::Settle();
    for (const auto& shown : d.shown) EXPECT_NE(shown.kind, "save");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count("Power curve calculation for Test bird  Tb"), 2);
    EXPECT_TRUE(text.contains("first run"));
    EXPECT_TRUE(text.contains("second run"));
    EXPECT_TRUE(text.contains(QString::fromStdString(FormatSig(s.Flap.Vmp, 3))));

    // Leaving shows where the output went.
    setup->cmdExit->click();
    test::Settle();
    auto* out = screen<QWidget>("frmOutputFile");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(TextOf(out, "txtOutFile"), path);
    EXPECT_FALSE(ended);
    out->close();
    test::Settle();
    EXPECT_TRUE(ended);
}

TEST_F(PowerCurveScreens, CancelledSaveDialogWritesNothing) {
    QTemporaryDir root;
    auto* setup = toSetup();
    s.UseTextFiles = true;
    s.OutDrive = root.path().toStdString();
    auto* results = compute(setup);
    results->chkExcelFile->click();
    d.inputs.push_back("a comment");
    results->cmdOK->click();  // the save dialog answers Cancel
    test::Settle();
    EXPECT_EQ(s.OutputCount, 0);
    EXPECT_TRUE(s.OutPath.empty());
    EXPECT_NE(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
}

// Two runs as sheets of one result workbook; "Get New Bird" writes it before Enter Bird comes back.
TEST_F(PowerCurveScreens, RoadToASavedWorkbookWithTwoRuns) {
    QTemporaryDir root;
    s.ProgramFolder = ORNIVO_RUNTIME_DIR;
    auto* start = new frmStart(ctx);
    start->show();
    start->optExcel->click();
    start->drvOutDefault->addItem(root.path(), root.path());
    start->drvOutDefault->setCurrentIndex(start->drvOutDefault->count() - 1);
    start->cmdEnterNewBird->click();
    test::Settle();
    auto* e = screen<frmEnterBird>("frmEnterBird");
    ASSERT_NE(e, nullptr);
    typeBird(e);
    e->cmdFlap->click();
    test::Settle();
    auto* setup = screen<frmSetupFlap>("frmSetupFlap");
    ASSERT_NE(setup, nullptr);

    auto* results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(TextOf(results, "chkExcelFile"), "Save power curve as Sheet 1 of a new Excel workbook");
    results->chkExcelFile->click();
    results->cmdOK->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    EXPECT_EQ(s.OutputCount, 1);

    TypeInto(setup, "txtFatFrac", "0.4");
    results = compute(setup);
    ASSERT_NE(results, nullptr);
    EXPECT_NE(TextOf(results, "chkExcelFile").indexOf("new sheet"), -1);
    results->chkExcelFile->click();
    results->cmdOK->click();
    test::Settle();
    EXPECT_EQ(s.OutputCount, 2);
    EXPECT_EQ(s.WorkbookUnsaved, 1);

    const std::string path = (root.path() + "/two runs.xlsx").toStdString();
    d.clear();
    d.files.push_back(path);
    setup->cmdNewBird->click();
    test::Settle();
    ASSERT_TRUE(d.errors().empty()) << d.errors().front();
    ASSERT_FALSE(d.shown.empty());
    EXPECT_EQ(d.shown.front().request.title, "Save Excel Workbook");
    EXPECT_NE(screen<frmEnterBird>("frmEnterBird"), nullptr);
    EXPECT_EQ(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
    EXPECT_EQ(s.WorkbookUnsaved, 0);

    sheet::Workbook back;
    std::string error;
    ASSERT_TRUE(sheet::OpenWorkbook(path, back, error)) << error;
    ASSERT_EQ(back.sheetCount(), 2);
    EXPECT_EQ(back.sheet(1).value("F3"), sheet::Value(path));
    EXPECT_TRUE(back.sheet(2).value("F3").isEmpty());
}

// A workbook that cannot be written keeps its runs and the setup screen, so nothing is lost.
TEST_F(PowerCurveScreens, UnwritableWorkbookKeepsTheSetupScreenOpen) {
    QTemporaryDir root;
    s.ProgramFolder = ORNIVO_RUNTIME_DIR;
    s.UseTextFiles = false;
    auto* setup = toSetup();
    s.OutDrive = root.path().toStdString();
    auto* results = compute(setup);
    results->chkExcelFile->click();
    results->cmdOK->click();
    test::Settle();
    ASSERT_EQ(s.WorkbookUnsaved, 1);

    d.clear();
    d.files.push_back((root.path() + "/no such folder/runs.xlsx").toStdString());
    setup->cmdExit->click();
    test::Settle();
    EXPECT_FALSE(d.errors().empty());
    EXPECT_FALSE(ended);
    EXPECT_NE(screen<frmSetupFlap>("frmSetupFlap"), nullptr);
    EXPECT_EQ(s.WorkbookUnsaved, 1);
    EXPECT_EQ(s.OutputCount, 1);
}
