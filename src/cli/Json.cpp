#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace ornivo::cli {

Json Single(float x) {
    if (!std::isfinite(x)) return nullptr;  // never print NaN or infinity
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, x);
    *r.ptr = '\0';
    return std::strtod(buf, nullptr);
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

void PrintJson(const Json& j) { std::cout << j.dump(1) << "\n"; }

}  // namespace ornivo::cli
