#pragma once
// Saving runs as sheets of a result workbook, the life cycle the three calculations share, and the
// entry points the results and setup screens call.
//
// One workbook collects the runs of a setup-screen visit. The first run creates it in memory from
// the calculation's template (keeping only the template's first sheet); every run copies the last
// sheet (the blank one) directly after itself and fills the original, so the workbook always ends
// with a blank sheet. Leaving the setup screen saves the workbook: the blank sheet is left out, the
// save dialog proposes a free name in the output tree and the file's path goes into the sheet.
//
// Nothing is lost on the way: a save that fails shows why and keeps the workbook, and cancelling
// the save dialog asks before the unsaved runs are dropped.
#include <string>

#include "external/spreadsheet/Workbook.h"
#include "platform/Dialogs.h"
#include "state/OutputState.h"
#include "state/ProgramState.h"

namespace ornivo::output {

enum class WorkbookCalc { PowerCurve, GlidePolar, Migration };

// ---- What the results screens call on "Return to Setup" with the save box checked ----
// Each saves the current run: with UseTextFiles as a text block (WriteRunText and its kin), otherwise
// as a new sheet of the result workbook. OutputCount counts the run. Returns true when the run was
// saved (in the workbook in memory, or in the text file on disk).
//  - The workbook branch asks "Please supply comment for insertion on worksheet".
//  - A template that is missing or cannot be read shows the three-line "Excel is not installed"
//    message, sets UseTextFiles and saves this run as text (dialogs and all); text files stay selected.
bool WriteRunOutput(ProgramState& s, OutputState& o, platform::Dialogs& d);
bool WriteGlideOutput(ProgramState& s, OutputState& o, platform::Dialogs& d);
bool WriteMigrationRun(ProgramState& s, OutputState& o, platform::Dialogs& d);

// ---- What the setup screens call on "Get New Bird" and "Exit Program" ----
enum class WorkbookSaveOutcome {
    Saved,      // on disk at OutPath; OutputCount and WorkbookUnsaved are 0 and the workbook is closed
    Discarded,  // the user cancelled the dialog and agreed to drop the runs; nothing written
    Kept,       // not saved (a failure, shown to the user): the workbook and its runs stay in memory
                // with OutputCount and WorkbookUnsaved as they were; the screen should stay open
    Nothing,    // no unsaved workbook (text files, or nothing saved since the last save)
};
// The screen leaves unless the outcome is Kept.
inline bool MayLeaveSetup(WorkbookSaveOutcome o) { return o != WorkbookSaveOutcome::Kept; }

// Saves the open result workbook when WorkbookUnsaved is 1 and UseTextFiles is false:
// EnsureOutputFolder(ExcelFiles, PowerCurves | GlidePolars | Migration), NextFreeOutputName(".xlsx"),
// the save dialog "Save Excel Workbook" (initial folder LastOutputFolder, filter "*.xlsx"), OutPath =
// the name chosen (".xlsx" added to a name without an extension) in F3 of sheet 1 (G3 for the glide
// polar), then the file, written whole or not at all.
//  - Cancelling the dialog asks whether to discard the unsaved runs; No brings the dialog back.
//  - A failure shows "File error No " + code + " has occurred" and the reason; the earlier file of
//    that name, if any, is left as it was, and OutPath keeps its earlier value.
WorkbookSaveOutcome SaveResultWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d);
WorkbookSaveOutcome SaveGlideWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d);
WorkbookSaveOutcome SaveMigrationWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d);

// The screens pass the state alone: the workbook is the state's own.
inline bool WriteRunOutput(ProgramState& s, platform::Dialogs& d) { return WriteRunOutput(s, s.Output, d); }
inline bool WriteGlideOutput(ProgramState& s, platform::Dialogs& d) { return WriteGlideOutput(s, s.Output, d); }
inline bool WriteMigrationRun(ProgramState& s, platform::Dialogs& d) { return WriteMigrationRun(s, s.Output, d); }
inline WorkbookSaveOutcome SaveResultWorkbook(ProgramState& s, platform::Dialogs& d) { return SaveResultWorkbook(s, s.Output, d); }
inline WorkbookSaveOutcome SaveGlideWorkbook(ProgramState& s, platform::Dialogs& d) { return SaveGlideWorkbook(s, s.Output, d); }
inline WorkbookSaveOutcome SaveMigrationWorkbook(ProgramState& s, platform::Dialogs& d) { return SaveMigrationWorkbook(s, s.Output, d); }

// ---- The steps, for the CLI and for tests ----

// The workbook branch of the three writers (UseTextFiles false): as above.
bool WriteWorkbookRun(ProgramState& s, OutputState& o, platform::Dialogs& d, WorkbookCalc calc);
// The save on leaving the setup screen, for any calculation.
WorkbookSaveOutcome SaveWorkbook(ProgramState& s, OutputState& o, platform::Dialogs& d, WorkbookCalc calc);

// ProgramFolder + "/XLTemplates/" + "PowerCurve.xlsx" | "GlidePolar.xlsx" | "Migrate.xlsx".
std::string TemplatePath(const ProgramState& s, WorkbookCalc calc);

// Opens the result workbook from the template when OutputCount is 1 (or none is open): sheets 3
// and 2 deleted. False with the reason when the template cannot be read; nothing changes then.
bool OpenResultWorkbook(const ProgramState& s, OutputState& o, WorkbookCalc calc, std::string& error);
// Fills the run's sheet OutputCount (after copying it as the next blank sheet); WorkbookUnsaved = 1.
// The workbook must be open.
void AddRunSheet(ProgramState& s, OutputState& o, WorkbookCalc calc);

// Saves the open workbook as `path` without asking: the blank last sheet left out, `path` in F3
// (G3) of sheet 1. On success OutPath = path, OutputCount = 0, WorkbookUnsaved = 0 and the workbook
// is closed; otherwise the status says why and everything stays as it was.
sheet::Status SaveWorkbookAs(ProgramState& s, OutputState& o, WorkbookCalc calc, const std::string& path);

// The three lines shown when the spreadsheet side is not available (the template cannot be read).
std::vector<std::string> SpreadsheetMissingMessage();

}  // namespace ornivo::output
