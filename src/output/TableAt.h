#pragma once
// A cell of one of the results tables the engines fill (rows of singles): 0 outside the table, so that
// a writer reading a row or column the run did not reach writes 0 rather than failing.
#include <cstddef>
#include <vector>

namespace ornivo::output {

inline float TableAt(const std::vector<std::vector<float>>& t, int row, int col) {
    if (row < 0 || static_cast<std::size_t>(row) >= t.size() || col < 0) return 0;
    const auto& r = t[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < r.size() ? r[static_cast<std::size_t>(col)] : 0.0f;
}

}  // namespace ornivo::output
