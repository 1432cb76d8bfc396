#pragma once
// JSON helpers of the CLI: singles printed so that they read back as the same 32-bit value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "state/MigrationResults.h"

namespace ornivo::api {

using Json = nlohmann::ordered_json;

// A single as the shortest decimal that reads back as the same float (at most 9 digits).
Json Single(float x);
Json Double(double x);
Json SingleTable(const std::vector<std::vector<float>>& rows);
Json SingleTable(const MigrationTable& rows);
// Whether rows 0..lastRow of a table (rows of floats) hold only finite values: a table left out of
// the results (batch rows) must still refuse the run where its JSON would hold a null.
template <class Rows>
bool RowsFinite(const Rows& rows, std::size_t lastRow = static_cast<std::size_t>(-1)) {
    std::size_t r = 0;
    for (const auto& row : rows) {
        if (r++ > lastRow) break;
        for (float v : row)
            if (!std::isfinite(v)) return false;
    }
    return true;
}
inline bool RowsFinite(const MigrationTable& t, std::size_t lastRow = static_cast<std::size_t>(-1)) {
    for (std::size_t r = 0; r < t.size() && r <= lastRow; ++r)
        for (float v : t[r])
            if (!std::isfinite(v)) return false;
    return true;
}

// The path ("results.GoalDist", "results.StateLog[3][2]") of the first null in j, where Single and
// Double put a value that is NaN or infinite; empty when every number is finite.
std::string FirstMissingNumber(const Json& j, const std::string& path = {});
// Prints the object with a trailing newline.
void PrintJson(const Json& j);

}  // namespace ornivo::api
