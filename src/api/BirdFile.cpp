#include "api/BirdFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "api/Errors.h"
#include "api/TableBirds.h"
#include "state/ControlNames.h"

namespace ornivo::api {
BirdFile ReadBirdFile(const std::string& path) {
    std::string text;
    BirdFile out;
    if (path == "-") {
        std::stringstream ss;
        ss << std::cin.rdbuf();
        text = ss.str();
        out.folder = ".";
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw UsageError("cannot read the bird file " + path);
        std::stringstream ss;
        ss << in.rdbuf();
        text = ss.str();
        auto parent = std::filesystem::path(path).parent_path();
        out.folder = parent.empty() ? "." : parent.string();
    }
    try {
        out.json = Json::parse(text);
    } catch (const std::exception& e) {
        throw UsageError("the bird file " + path + " is not valid JSON: " + e.what());
    }
    if (!out.json.is_object()) throw UsageError("the bird file " + path + " must hold a JSON object");
    return out;
}

std::string NumberText(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

namespace {
std::string valueText(const Json& v, const std::string& key) {
    if (v.is_number()) return NumberText(v.get<double>());
    if (v.is_string()) return v.get<std::string>();
    throw UsageError("the bird file's \"" + key + "\" must be a number or a text");
}

bool commit(ProgramState& s, RunDialogs& d, const std::string& control, const std::string& text) {
    ScreenUpdate u = bird::EnterBirdField(s, d, control, text);
    if (u.refused) {
        d.refuse();
        return false;
    }
    return true;
}

int wholeKey(const Json& v, const std::string& key, int lo, int hi) {
    if (!v.is_number()) throw UsageError("the bird file's \"" + key + "\" must be a number");
    double x = v.get<double>();
    // The range first: a number past int's range has no int to compare with.
    if (!(x >= lo && x <= hi) || x != static_cast<int>(x))
        throw UsageError("the bird file's \"" + key + "\" must be a whole number from " + std::to_string(lo) +
                         " to " + std::to_string(hi));
    return static_cast<int>(x);
}
}  // namespace

const std::vector<std::string>& BirdFileKeys() {
    static const std::vector<std::string> keys = {
        "SpName", "ShortName", "EmptyMass", "Span", "WingArea", "AspectRatio", "Altitude", "AirDensity",
        "TaxonGroup", "Sex", "Age", "Preset", "User", "edits", "gps", "sites", "uncertainty"};
    return keys;
}

namespace {
// Edits needed to turn a into b, letters compared without regard to case.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            const std::size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = row[j];
            row[j] = next;
        }
    }
    return row[b.size()];
}
}  // namespace

std::string ClosestKey(const std::string& name, const std::vector<std::string>& known) {
    std::string best;
    std::size_t bestDistance = static_cast<std::size_t>(-1);
    for (const auto& k : known) {
        const std::size_t dist = editDistance(name, k);
        if (dist < bestDistance) {
            bestDistance = dist;
            best = k;
        }
    }
    return best;
}

void CheckBirdFileKeys(const Json& b) {
    const auto& keys = BirdFileKeys();
    for (auto it = b.begin(); it != b.end(); ++it)
        if (std::find(keys.begin(), keys.end(), it.key()) == keys.end())
            throw UsageError("the bird file has an unknown key \"" + it.key() + "\" (the closest known key is \"" +
                             ClosestKey(it.key(), keys) + "\")");
}

bool EnterBirdFromFile(ProgramState& s, RunDialogs& d, const Json& b) {
    CheckBirdFileKeys(b);
    bird::LoadEnterBird(s);
    if (b.contains("Preset") || b.contains("User")) return EnterBirdFromTable(s, d, b);
    if (!b.contains("SpName")) throw UsageError("the bird file needs \"SpName\"");
    if (!b.contains("EmptyMass")) throw UsageError("the bird file needs \"EmptyMass\"");
    if (!b.contains("Span")) throw UsageError("the bird file needs \"Span\"");
    if (!b.contains("WingArea") && !b.contains("AspectRatio"))
        throw UsageError("the bird file needs \"WingArea\" or \"AspectRatio\"");
    struct Key { const char* key; const char* control; };
    const Key keys[] = {{"SpName", ctl::txtSpName}, {"ShortName", ctl::txtShortName}, {"EmptyMass", ctl::txtEmptyMass},
                        {"Span", ctl::txtSpan}, {"WingArea", ctl::txtArea}, {"AspectRatio", ctl::txtAR},
                        {"Altitude", ctl::txtAlt}, {"AirDensity", ctl::txtRho}};
    for (const Key& k : keys) {
        if (!b.contains(k.key)) continue;
        if (std::string(k.key) == "AspectRatio" && b.contains("WingArea")) continue;
        if (std::string(k.key) == "AirDensity" && b.contains("Altitude")) continue;
        if (!commit(s, d, k.control, valueText(b[k.key], k.key))) return false;
    }
    if (b.contains("TaxonGroup"))
        bird::EnterBirdOption(s, wholeKey(b["TaxonGroup"], "TaxonGroup", 1, 2) == 1 ? ctl::optPass : ctl::optNonPass);
    if (b.contains("Sex")) {
        static const char* opts[] = {ctl::optMF, ctl::optMale, ctl::optFemale, ctl::optSexUnknown};
        bird::EnterBirdOption(s, opts[wholeKey(b["Sex"], "Sex", 1, 4) - 1]);
    }
    if (b.contains("Age")) {
        static const char* opts[] = {ctl::optAdult, ctl::optImm, ctl::optAgeUnknown};
        bird::EnterBirdOption(s, opts[wholeKey(b["Age"], "Age", 1, 3) - 1]);
    }
    return true;
}

Edit EditFromJson(const std::string& control, const Json& v) {
    if (v.is_string() && (v == "dblclick")) return Edit::doubleClick();
    if (v.is_string() && (v == "click")) return Edit::click();
    const std::string base = control.substr(control.find('.') == std::string::npos ? 0 : control.find('.') + 1);
    if (base.rfind("opt", 0) == 0) return Edit::click();
    if (base.rfind("chk", 0) == 0) {
        if (v.is_boolean()) return Edit::check(v.get<bool>());
        if (v.is_number()) return Edit::check(v.get<double>() != 0);
        throw UsageError("the edit of " + control + " needs true or false");
    }
    if (v.is_number()) return Edit::typed(NumberText(v.get<double>()));
    if (v.is_string()) return Edit::typed(v.get<std::string>());
    if (v.is_null()) return Edit::click();
    throw UsageError("the edit of " + control + " needs a number or a text");
}

void ReplayEdits(ProgramState& s, RunDialogs& d, const Json& bird, const EditFn& apply,
                 const std::function<bool(const std::string&)>& skip) {
    if (!bird.contains("edits")) return;
    const Json& edits = bird["edits"];
    if (!edits.is_array()) throw UsageError("\"edits\" must be a list of [control, value] pairs");
    for (const Json& e : edits) {
        if (!e.is_array() || e.size() != 2 || !e[0].is_string())
            throw UsageError("each edit must be a pair [control, value]");
        const std::string control = e[0].get<std::string>();
        if (skip && skip(control)) continue;
        std::size_t before = d.shown.size();
        try {
            apply(s, d, control, EditFromJson(control, e[1]));
        } catch (const UnknownControl& ex) {
            throw UsageError(std::string("unknown control in edits: ") + ex.what());
        }
        d.strictCheck(before);  // under --strict the replay stops at the first message
        d.printWarnings(before);
    }
}

Json MessagesJson(const RunDialogs& d) {
    Json m = Json::array();
    for (const auto& lines : d.messages()) {
        std::string t;
        for (const auto& l : lines) t += (t.empty() ? "" : "\n") + l;
        m.push_back(t);
    }
    return m;
}

}  // namespace ornivo::api
