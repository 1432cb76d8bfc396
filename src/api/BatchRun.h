#pragma once
// One bird of a batch, run exactly as a single call would run it: whatever would end the single call
// (a refusal, an unreadable value, a value out of range) becomes the row's status instead, so that
// one bad row never stops the others.
#include <functional>
#include <string>
#include <vector>

#include "api/BatchTable.h"
#include "api/Calculations.h"

namespace ornivo::api {

struct RowOutcome {
    Json out;                        // the run's JSON when it ended on its results or on the abort screen
    std::string status;              // "ok", or why not
    std::vector<std::string> lines;  // the refusal's lines, or the reason, when not ok
    std::string spName, shortName;   // the names of the bird the run entered
    const Json& results() const;     // out's "results" (an empty object when none)
};

// The scalar results of each calculation, in the order of a batch's result columns.
const std::vector<std::string>& ResultColumns(Calculation calc);

// Called with the state of a run that ended on its results, before the state is dropped.
using StateReader = std::function<void(ProgramState&, const RowOutcome&)>;

// Runs one row. opt.tables false leaves the tables out of the results (batch rows show scalars).
RowOutcome RunBatchRow(Calculation calc, const BatchRow& row, const std::string& folder, const RunOptions& opt,
                       const StateReader& read = {});

// A result value as a cell's text: integers as such, other numbers as their shortest text.
std::string CellText(const Json& v);

}  // namespace ornivo::api
