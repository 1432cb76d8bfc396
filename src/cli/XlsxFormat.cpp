// --format xlsx of power-curve, glide-polar and migrate: the result workbook of one run, as the
// setup screen would save it after that run, written to --out without a dialog.
#include <iostream>

#include "cli/CalcOutput.h"
#include "output/WorkbookRunOutput.h"

namespace ornivo::cli {
namespace {

int writeWorkbook(ProgramState& s, const CalcOptions& opt, output::WorkbookCalc calc) {
    if (!opt.out || opt.out->empty()) {
        std::cerr << "--format xlsx needs --out FILE\n";
        return ExitFailure;
    }
    OutputState o;
    s.Comment = opt.comment.value_or("");
    s.OutputCount = 1;
    std::string error;
    if (!output::OpenResultWorkbook(s, o, calc, error)) {
        std::cerr << "cannot read the workbook template: " << error << "\n";
        return ExitFailure;
    }
    output::AddRunSheet(s, o, calc);
    const sheet::Status st = output::SaveWorkbookAs(s, o, calc, *opt.out);
    if (!st.ok()) {
        std::cerr << "cannot write " << *opt.out << ": " << st.text << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

}  // namespace

OutputWriter XlsxFormatWriter(const std::string& calculation) {
    const output::WorkbookCalc calc = calculation == "power-curve"   ? output::WorkbookCalc::PowerCurve
                                      : calculation == "glide-polar" ? output::WorkbookCalc::GlidePolar
                                                                     : output::WorkbookCalc::Migration;
    return [calc](ProgramState& s, RunDialogs&, const CalcOptions& o) { return writeWorkbook(s, o, calc); };
}

}  // namespace ornivo::cli
