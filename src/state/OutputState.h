#pragma once
// What the workbook writers keep between runs: the one result workbook that collects the runs of a
// setup-screen visit until it is saved. Part of the program state.
#include <optional>

#include "external/spreadsheet/Workbook.h"

namespace ornivo {

struct OutputState {
    // Sheets 1 to OutputCount - 1 hold saved runs and the last sheet is the blank copy for the next
    // run; empty when no workbook is open (before the first run, after saving or discarding).
    std::optional<sheet::Workbook> ResultWorkbook;
};

}  // namespace ornivo
