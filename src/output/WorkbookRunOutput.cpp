#include "output/WorkbookRunOutput.h"

#include "external/spreadsheet/WorkbookFiles.h"
#include "output/FlapWorkbook.h"
#include "output/GlideWorkbook.h"
#include "output/MigrationWorkbook.h"
#include "output/OutputTree.h"
#include "output/TextRunOutput.h"

namespace ornivo::output {
namespace {

struct CalcWorkbook {
    const char* templateName;
    const char* folder;    // below OrnivoOutput/ExcelFiles/
    const char* pathCell;  // where the saved file's path goes on sheet 1
    void (*resetColours)(sheet::Sheet&);
    void (*writeSheet)(const ProgramState&, sheet::Sheet&);
    bool (*writeText)(ProgramState&, platform::Dialogs&);
};

const CalcWorkbook& workbookOf(WorkbookCalc calc) {
    static const CalcWorkbook flap{"PowerCurve.xlsx", "PowerCurves", "F3", ResetMarkColours, WriteFlapSheet, WriteRunText};
    static const CalcWorkbook glide{"GlidePolar.xlsx", "GlidePolars", "G3", ResetGlideMarkColours, WriteGlideSheet,
                                    WriteGlideText};
    static const CalcWorkbook mig{"Migrate.xlsx", "Migration", "F3", ResetMigrationMarkColours, WriteMigrationSheet,
                                  WriteMigrationText};
    switch (calc) {
        case WorkbookCalc::GlidePolar: return glide;
        case WorkbookCalc::Migration: return mig;
        default: return flap;
    }
}

// Every way out of a visit's workbook that writes nothing.
void closeWorkbook(ProgramState& s, OutputState& o) {
    o.ResultWorkbook.reset();
    s.OutputCount = 0;
    s.WorkbookUnsaved = 0;
}

std::string runsText(int n) { return n == 1 ? "1 run" : std::to_string(n) + " runs"; }

std::vector<std::string> discardQuestion(const ProgramState& s) {
    const int runs = std::max<int>(s.OutputCount, 1);
    return {"The result workbook has not been saved: its " + runsText(runs) + " will be lost.",
            "Discard the unsaved runs? (No returns to the save dialog)"};
}

// A chosen name without an extension gets ".xlsx", so the file opens as the workbook it is.
std::string withExtension(const std::string& chosen) {
    const auto slash = chosen.find_last_of('/');
    const auto dot = chosen.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return chosen + ".xlsx";
    return chosen;
}

// Rounds of cancel-and-keep before the save gives up and keeps the workbook.
constexpr int MaxDialogRounds = 20;

const char* const KeptLine = "The workbook and its runs are kept; saving is offered again when you leave this screen.";

}  // namespace

std::vector<std::string> SpreadsheetMissingMessage() {
    return {"Excel is not installed on this computer", "or there is a problem with the installation",
            "Output will be saved as text (.txt) files instead"};
}

std::string TemplatePath(const ProgramState& s, WorkbookCalc calc) {
    return s.ProgramFolder + "/XLTemplates/" + workbookOf(calc).templateName;
}

bool OpenResultWorkbook(const ProgramState& s, OutputState& o, WorkbookCalc calc, std::string& error) {
    sheet::Workbook wb;
    if (!sheet::NewFromTemplate(TemplatePath(s, calc), wb, error)) return false;
    if (wb.sheetCount() < 1) {
        error = "the template " + TemplatePath(s, calc) + " holds no sheet";
        return false;
    }
    // Only the template's first sheet is used: it becomes the sheet of the first run.
    while (wb.sheetCount() > 1) wb.deleteSheet(wb.sheetCount());
    o.ResultWorkbook = std::move(wb);
    return true;
}

void AddRunSheet(ProgramState& s, OutputState& o, WorkbookCalc calc) {
    sheet::Workbook& wb = *o.ResultWorkbook;
    // The run's sheet is the blank last one; a count that disagrees with the workbook follows it.
    if (s.OutputCount < 1 || s.OutputCount != wb.sheetCount()) s.OutputCount = static_cast<int16_t>(wb.sheetCount());
    const int n = s.OutputCount;
    wb.copySheet(n);
    wb.activate(n);
    s.WorkbookUnsaved = 1;
    sheet::Sheet& sh = wb.sheet(n);
    workbookOf(calc).resetColours(sh);
    workbookOf(calc).writeSheet(s, sh);
}

bool WriteWorkbookRun(ProgramState& s, OutputState& o, platform::Dialogs& d, WorkbookCalc calc) {
    s.OutputCount = static_cast<int16_t>(s.OutputCount + 1);
    if (s.OutputCount == 1 || !o.ResultWorkbook) {
        // The template is read before the comment is asked for, so that a run that goes to a text
        // file instead asks only the text file's question.
        std::string error;
        if (!OpenResultWorkbook(s, o, calc, error)) {
            d.info(SpreadsheetMissingMessage());
            s.UseTextFiles = true;
            closeWorkbook(s, o);
            return workbookOf(calc).writeText(s, d);
        }
        s.OutputCount = 1;
    }
    s.Comment = d.inputBox("Please supply comment for insertion on worksheet");
    AddRunSheet(s, o, calc);
    return true;
}

sheet::Status SaveWorkbookAs(ProgramState& s, OutputState& o, WorkbookCalc calc, const std::string& path) {
    if (!o.ResultWorkbook) return {2, "no result workbook is open"};
    // The file is made from a copy, so a failed save leaves the workbook as the next run expects it.
    sheet::Workbook out = *o.ResultWorkbook;
    const int blank = s.OutputCount + 1;
    if (out.sheetCount() > 1 && blank >= 2 && blank <= out.sheetCount()) out.deleteSheet(blank);
    out.activate(1);
    out.sheet(1).write(workbookOf(calc).pathCell, path);
    sheet::Status st = out.saveAs(path);
    if (!st.ok()) return st;
    s.OutPath = path;
    closeWorkbook(s, o);
    return st;
}

WorkbookSaveOutcome SaveWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d, WorkbookCalc calc) {
    if (!o.ResultWorkbook) {
        s.WorkbookUnsaved = 0;
        return WorkbookSaveOutcome::Nothing;
    }
    if (s.WorkbookUnsaved != 1) return WorkbookSaveOutcome::Nothing;

    std::string candidate;
    try {
        EnsureOutputFolder(s, "ExcelFiles", workbookOf(calc).folder);
        candidate = NextFreeOutputName(s, ".xlsx");
    } catch (const OutputError& e) {
        // The dialog still lets the user choose a folder of their own.
        d.error({e.what(), "Please choose a folder for the workbook."});
    }
    for (int round = 0; round < MaxDialogRounds; ++round) {
        auto chosen = d.saveFile({"Save Excel Workbook", s.LastOutputFolder, "*.xlsx", candidate});
        if (!chosen || chosen->empty()) {
            if (d.askYesNo(discardQuestion(s))) {
                closeWorkbook(s, o);
                return WorkbookSaveOutcome::Discarded;
            }
            continue;
        }
        const sheet::Status st = SaveWorkbookAs(s, o, calc, withExtension(*chosen));
        if (st.ok()) return WorkbookSaveOutcome::Saved;
        d.error({"File error No " + std::to_string(st.code) + " has occurred", st.text, KeptLine});
        return WorkbookSaveOutcome::Kept;
    }
    return WorkbookSaveOutcome::Kept;
}

bool WriteRunOutput(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return s.UseTextFiles ? WriteRunText(s, d) : WriteWorkbookRun(s, o, d, WorkbookCalc::PowerCurve);
}
bool WriteGlideOutput(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return s.UseTextFiles ? WriteGlideText(s, d) : WriteWorkbookRun(s, o, d, WorkbookCalc::GlidePolar);
}
bool WriteMigrationRun(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return s.UseTextFiles ? WriteMigrationText(s, d) : WriteWorkbookRun(s, o, d, WorkbookCalc::Migration);
}

WorkbookSaveOutcome SaveResultWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return SaveWorkbook(s, o, d, WorkbookCalc::PowerCurve);
}
WorkbookSaveOutcome SaveGlideWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return SaveWorkbook(s, o, d, WorkbookCalc::GlidePolar);
}
WorkbookSaveOutcome SaveMigrationWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d) {
    return SaveWorkbook(s, o, d, WorkbookCalc::Migration);
}

}  // namespace ornivo::output
