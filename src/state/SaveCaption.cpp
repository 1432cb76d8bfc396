#include "state/SaveCaption.h"

namespace ornivo {

std::string ResultsSaveCaption(const ProgramState& s, const std::string& what, int textIndent) {
    if (s.OutputCount > 0)
        return s.UseTextFiles ? "Append results of this run to file " + s.OutFileName
                              : "Save " + what + " as a new sheet in workbook " + s.OutFileName;
    return s.UseTextFiles ? std::string(textIndent, ' ') + "Open a text file to save results of this run"
                          : "Save " + what + " as Sheet 1 of a new Excel workbook";
}

}  // namespace ornivo
