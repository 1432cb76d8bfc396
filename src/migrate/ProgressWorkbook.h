#pragma once
// The progress workbook of a GPS run: the departure row, a row per track point, the note of each
// stop, the heading and the summary of the track and of the projection to zero fuel.
#include <string>

#include "external/spreadsheet/Workbook.h"
#include "state/ProgramState.h"

namespace ornivo::migrate {

class ProgressWorkbook {
public:
    // Starts from the template (throws TrackError-like std::runtime_error when it cannot be read).
    explicit ProgressWorkbook(const std::string& templatePath);

    void writeStart(const ProgramState& s);                    // row 4
    void writePoint(const ProgramState& s, int row);           // a track point
    void writeNote(int row, const std::string& note);          // a stop's note in column A
    void finish(const ProgramState& s, int summaryRow);        // A1 and the summary block
    // Saves as InputFolder + FilePrefix + " Progress Update " + today's long date + ".xlsx"; sets ProgressFile.
    bool save(ProgramState& s, std::string& error);

    const sheet::Sheet& sheet() const { return *sheet_; }

private:
    sheet::Workbook wb_;
    sheet::Sheet* sheet_ = nullptr;
};

}  // namespace ornivo::migrate
