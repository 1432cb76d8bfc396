#include "cli/Command.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ornivo::cli {

static std::vector<CommandInfo>& registry() {
    static std::vector<CommandInfo> r;
    return r;
}

bool RegisterCommand(CommandInfo info) {
    registry().push_back(std::move(info));
    return true;
}

const std::vector<CommandInfo>& Commands() { return registry(); }

bool Args::has(const std::string& flag) const { return std::find(a_.begin(), a_.end(), flag) != a_.end(); }

std::optional<std::string> Args::value(const std::string& flag) const {
    for (std::size_t i = 0; i < a_.size(); ++i) {
        if (a_[i] == flag) {
            if (i + 1 >= a_.size()) throw UsageError(flag + " needs a value");
            return a_[i + 1];
        }
    }
    return std::nullopt;
}

std::optional<double> Args::number(const std::string& flag) const {
    auto v = value(flag);
    if (!v) return std::nullopt;
    return ParseNumber(*v, flag);
}

std::vector<std::string> Args::positional(const std::vector<std::string>& valueFlags) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < a_.size(); ++i) {
        const std::string& x = a_[i];
        if (std::find(valueFlags.begin(), valueFlags.end(), x) != valueFlags.end()) { ++i; continue; }
        if (x.size() > 1 && x[0] == '-' && x != "-" && !(std::isdigit(static_cast<unsigned char>(x[1])) || x[1] == '.'))
            continue;
        out.push_back(x);
    }
    return out;
}

double ParseNumber(const std::string& text, const std::string& what) {
    const char* b = text.c_str();
    char* e = nullptr;
    double v = std::strtod(b, &e);
    if (text.empty() || e == b || *e != '\0' || !std::isfinite(v))
        throw UsageError(what + ": \"" + text + "\" is not a number");
    return v;
}

}  // namespace ornivo::cli
