#include "api/Json.h"

#include "api/TidyTables.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace ornivo::api {

Json Single(float x) {
    if (!std::isfinite(x)) return nullptr;  // never print NaN or infinity
    return SingleValue(x);
}

Json Double(double x) {
    if (!std::isfinite(x)) return nullptr;
    return x;
}

Json SingleTable(const std::vector<std::vector<float>>& rows) {
    Json t = Json::array();
    for (const auto& r : rows) {
        Json row = Json::array();
        for (float v : r) row.push_back(Single(v));
        t.push_back(std::move(row));
    }
    return t;
}

Json SingleTable(const MigrationTable& rows) {
    Json t = Json::array();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        Json row = Json::array();
        for (float v : rows[r]) row.push_back(Single(v));
        t.push_back(std::move(row));
    }
    return t;
}

std::string FirstMissingNumber(const Json& j, const std::string& path) {
    if (j.is_null() || (j.is_number_float() && !std::isfinite(j.get<double>()))) return path.empty() ? "(value)" : path;
    if (j.is_object()) {
        for (auto it = j.begin(); it != j.end(); ++it) {
            std::string w = FirstMissingNumber(it.value(), path.empty() ? it.key() : path + "." + it.key());
            if (!w.empty()) return w;
        }
    } else if (j.is_array()) {
        for (size_t i = 0; i < j.size(); ++i) {
            std::string w = FirstMissingNumber(j[i], path + "[" + std::to_string(i) + "]");
            if (!w.empty()) return w;
        }
    }
    return {};
}

void PrintJson(const Json& j) { std::cout << j.dump(1) << "\n"; }

}  // namespace ornivo::api
