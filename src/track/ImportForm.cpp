#include "track/ImportForm.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include "state/ControlNames.h"

namespace ornivo::track {
namespace {

std::string trimmed(const std::string& t) {
    const auto a = t.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t") - a + 1);
}

// The whole text as a number (a decimal point, an optional exponent); nothing otherwise.
std::optional<double> number(const std::string& t) {
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

const ImportField& fieldOf(const std::string& control) {
    for (const ImportField& f : ImportFields())
        if (f.control == control) return f;
    throw std::logic_error("no import field " + control);
}

// A core message names the CLI option; the screen names its field instead.
std::string onScreen(std::string message) {
    for (const ImportField& f : ImportFields()) {
        const auto at = message.find(f.flag);
        if (at != std::string::npos) message.replace(at, f.flag.size(), "\"" + f.caption + "\"");
    }
    if (!message.empty()) message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(message[0])));
    return message;
}

}  // namespace

const std::vector<ImportField>& ImportFields() {
    static const std::vector<ImportField> fields = {
        {ctl::txtAnimal, "Animal (individual-local-identifier)", "--animal", ""},
        {ctl::txtGrid, "Time grid (minutes)", "--grid", "20"},
        {ctl::txtStart, "First mark (UTC, YYYY-MM-DD HH:MM)", "--start", ""},
        {ctl::txtEnd, "Last mark (UTC, YYYY-MM-DD HH:MM)", "--end", ""},
        {ctl::txtWindFrom, "Wind from (degrees)", "--wind-from", ""},
        {ctl::txtWindSpeed, "Wind speed (m/s)", "--wind-speed", ""},
        {ctl::txtMaxSpeed, "Maximum ground speed (m/s)", "--max-speed", "40"},
        {ctl::txtGroundSpeed, "On ground below tag speed (m/s)", "--ground-speed", "2"},
        {ctl::txtGroundSegSpeed, "On ground below segment speed (m/s)", "--ground-seg-speed", "0.5"},
        {ctl::txtGroundTagMax, "... with a tag speed below (m/s)", "--ground-tag-max", "10"},
        {ctl::txtStopFixes, "On-ground fixes that make a stop", "--stop-fixes", "3"},
        {ctl::txtStopGapHours, "Gap that makes a stop (hours)", "--stop-gap-hours", "2"},
        // Two numbers: shown with a point and a separator no one reads as a decimal comma.
        {ctl::txtEmptyRowHours, "Stop hours for 2 and 3 empty rows", "--empty-row-hours", "3.0; 8.0"},
    };
    return fields;
}

std::optional<ImportOptions> ReadImportForm(const std::map<std::string, std::string>& texts, std::string& error) {
    auto text = [&](const std::string& control) {
        auto it = texts.find(control);
        return it == texts.end() ? std::string() : trimmed(it->second);
    };
    auto notNumber = [&](const std::string& control) {
        error = "\"" + fieldOf(control).caption + "\" must be a number, not \"" + text(control) + "\"";
        return std::nullopt;
    };
    ImportOptions o;
    // A blank field keeps the default; a field without a default leaves its option out.
    auto num = [&](const std::string& control, double& target) {
        const std::string t = text(control);
        if (t.empty()) return true;
        auto v = number(t);
        if (!v) return false;
        target = *v;
        return true;
    };
    auto optionalNum = [&](const std::string& control, std::optional<double>& target) {
        const std::string t = text(control);
        if (t.empty()) return true;
        target = number(t);
        return target.has_value();
    };
    for (auto [control, target] : {std::pair{ctl::txtGrid, &o.gridMinutes}, std::pair{ctl::txtMaxSpeed, &o.maxSpeed},
                                   std::pair{ctl::txtGroundSpeed, &o.groundSpeed},
                                   std::pair{ctl::txtGroundSegSpeed, &o.groundSegSpeed},
                                   std::pair{ctl::txtGroundTagMax, &o.groundTagMax},
                                   std::pair{ctl::txtStopGapHours, &o.stopGapHours}})
        if (!num(control, *target)) return notNumber(control);
    if (!optionalNum(ctl::txtWindFrom, o.windFrom)) return notNumber(ctl::txtWindFrom);
    if (!optionalNum(ctl::txtWindSpeed, o.windSpeed)) return notNumber(ctl::txtWindSpeed);
    if (const std::string t = text(ctl::txtStopFixes); !t.empty()) {
        auto v = number(t);
        if (!v || *v != std::floor(*v) || *v < 2 || *v > 1e9) {
            error = onScreen("--stop-fixes must be a whole number of 2 or more");
            return std::nullopt;
        }
        o.stopFixes = static_cast<int>(*v);
    }
    if (const std::string t = text(ctl::txtEmptyRowHours); !t.empty()) {
        // The two hours apart by a semicolon, a comma (as the CLI takes them) or blanks.
        const auto sep = t.find_first_of(";, \t");
        std::optional<double> a, b;
        if (sep != std::string::npos) {
            const auto next = t.find_first_not_of(";, \t", sep);
            const auto between = t.substr(sep, next == std::string::npos ? std::string::npos : next - sep);
            const bool oneSeparator = std::count(between.begin(), between.end(), ';') +
                                          std::count(between.begin(), between.end(), ',') <= 1;
            a = number(trimmed(t.substr(0, sep)));
            if (oneSeparator && next != std::string::npos) b = number(trimmed(t.substr(next)));
        }
        if (!a || !b) {
            error = "\"" + fieldOf(ctl::txtEmptyRowHours).caption + "\" takes two numbers of hours, as 3.0; 8.0";
            return std::nullopt;
        }
        o.emptyRowHours = {*a, *b};
    }
    for (auto [control, target] : {std::pair{ctl::txtStart, &o.start}, std::pair{ctl::txtEnd, &o.end}}) {
        const std::string t = text(control);
        if (t.empty()) continue;
        *target = ParseMarkText(t);
        if (!*target) {
            error = "\"" + fieldOf(control).caption + "\" must be a UTC time as 2008-04-26 08:00, not \"" + t + "\"";
            return std::nullopt;
        }
    }
    o.animal = text(ctl::txtAnimal);
    if (std::string e = CheckOptions(o); !e.empty()) {
        error = onScreen(e);
        return std::nullopt;
    }
    error.clear();
    return o;
}

}  // namespace ornivo::track
