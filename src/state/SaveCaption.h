#pragma once
#include <string>

#include "state/ProgramState.h"

namespace ornivo {

// The caption of a results screen's save box, saying where the next run's results go: a new workbook or
// text file before the first save, the file already chosen after it. `what` names the results ("power
// curve"); `textIndent` keeps each screen's own leading spaces before the text-file caption.
std::string ResultsSaveCaption(const ProgramState& s, const std::string& what, int textIndent);

}  // namespace ornivo
