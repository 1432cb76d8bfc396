#include "api/BatchTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "api/BirdFile.h"
#include "api/Errors.h"
#include "state/Parameters.h"

namespace ornivo::api {
namespace {

const char* const kTextKeys[] = {"SpName", "ShortName", "Preset", "User", "gps", "sites"};
const char* const kNumberKeys[] = {"EmptyMass", "Span", "WingArea", "AspectRatio", "Altitude", "AirDensity",
                                   "TaxonGroup", "Sex", "Age"};

bool isIn(const std::string& k, const char* const* list, std::size_t n) {
    return std::find(list, list + n, k) != list + n;
}

std::string trim(const std::string& t) {
    auto b = t.find_first_not_of(" \t"), e = t.find_last_not_of(" \t");
    return b == std::string::npos ? "" : t.substr(b, e - b + 1);
}

bool strictNumber(const std::string& t, double& v) {
    const char* b = t.c_str();
    char* e = nullptr;
    v = std::strtod(b, &e);
    return !t.empty() && e != b && *e == '\0' && std::isfinite(v);
}

std::string lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// A setup control's name as an edit column gives it: txt, opt or chk, with its screen's name in
// front for another screen (frmSetDefaultsMigr.txtEfat).
bool controlShaped(const std::string& key) {
    const std::size_t dot = key.find('.');
    if (dot != std::string::npos && key.rfind("frm", 0) != 0) return false;
    const std::string base = key.substr(dot == std::string::npos ? 0 : dot + 1);
    for (const char* prefix : {"txt", "opt", "chk"})
        if (base.size() > 3 && base.rfind(prefix, 0) == 0) return true;
    return false;
}

const std::string SettingsScreen = "frmSetDefaultsMigr.";

// Whether a control column names a control of a setup screen (or of the migration settings screen,
// with its prefix). Which calculation's screen has it is each row's matter.
bool knownControl(const std::string& key) {
    if (key.rfind(SettingsScreen, 0) == 0) return ScreenHasControl(OnSettingsMigr, key.substr(SettingsScreen.size()));
    return key.find('.') == std::string::npos && ScreenHasControl(OnSetupScreens, key);
}

std::vector<std::string> setupControls() {
    std::vector<std::string> names;
    for (const Parameter& p : Parameters()) {
        if (p.screens & OnSetupScreens) names.emplace_back(p.control);
        if (p.screens & OnSettingsMigr) names.push_back(SettingsScreen + std::string(p.control));
    }
    for (const Choice& c : Choices()) {
        if (c.screens & OnSetupScreens) names.emplace_back(c.control);
        if (c.screens & OnSettingsMigr) names.push_back(SettingsScreen + std::string(c.control));
    }
    return names;
}

// A column that is neither a bird-file key nor a setup control: most likely a misspelt key or control,
// which would otherwise fail every row that fills it.
void checkColumn(const std::string& key) {
    if (isIn(key, kTextKeys, std::size(kTextKeys)) || isIn(key, kNumberKeys, std::size(kNumberKeys))) return;
    if (controlShaped(key)) {
        if (knownControl(key)) return;
        throw UsageError("the bird table's column \"" + key + "\" names no setup control (the closest is \"" +
                         ClosestKey(key, setupControls()) + "\")");
    }
    std::vector<std::string> known(std::begin(kTextKeys), std::end(kTextKeys));
    known.insert(known.end(), std::begin(kNumberKeys), std::end(kNumberKeys));
    throw UsageError("the bird table's column \"" + key + "\" is neither a bird-file key nor a setup control (txt..., opt..., "
                     "chk...; the closest key is \"" + ClosestKey(key, known) + "\")");
}
}  // namespace

std::vector<std::vector<std::string>> SplitCsv(const std::string& input) {
    std::string text = input.compare(0, 3, "\xEF\xBB\xBF") == 0 ? input.substr(3) : input;
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> rec;
    std::string field;
    bool quoted = false, inQuotes = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') { field += '"'; ++i; }
            else if (c == '"') inQuotes = false;
            else field += c;
            continue;
        }
        if (c == '"' && trim(field).empty()) { field.clear(); inQuotes = quoted = true; continue; }
        if (c == ',') { rec.push_back(quoted ? field : trim(field)); field.clear(); quoted = false; continue; }
        if (c == '\r') continue;
        if (c == '\n') {
            rec.push_back(quoted ? field : trim(field));
            records.push_back(std::move(rec));
            rec.clear();
            field.clear();
            quoted = false;
            continue;
        }
        field += c;
    }
    if (!field.empty() || !rec.empty() || quoted) {
        rec.push_back(quoted ? field : trim(field));
        records.push_back(std::move(rec));
    }
    return records;
}

std::string CsvField(const std::string& t) {
    if (t.find_first_of(",\"\r\n") == std::string::npos) return t;
    std::string q = "\"";
    for (char c : t) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

void CheckBatchHeader(const std::vector<std::string>& header) {
    for (const auto& h : header) {
        if (h.empty()) throw UsageError("the bird table's header has an empty column name");
        checkColumn(h);
    }
}

BatchRow ReadBatchRow(const std::vector<std::string>& header, const std::vector<std::string>& rec, int line) {
    BatchRow row;
    row.line = line;
    row.bird = Json::object();
    Json edits = Json::array();
    if (rec.size() != header.size()) {
        row.readError = "line " + std::to_string(row.line) + " has " + std::to_string(rec.size()) +
                        " fields where the header has " + std::to_string(header.size());
        return row;
    }
    for (std::size_t c = 0; c < header.size() && row.readError.empty(); ++c) {
        const std::string& key = header[c];
        const std::string& cell = rec[c];
        if (cell.empty()) continue;  // no value, no edit
        double v;
        if ((key == "Preset" || key == "User") && strictNumber(cell, v) && v == std::floor(v)) {
            row.bird[key] = v;  // a record number, as the bird file's {"Preset": 57}
        } else if (isIn(key, kTextKeys, std::size(kTextKeys))) {
            row.bird[key] = cell;
        } else if (isIn(key, kNumberKeys, std::size(kNumberKeys))) {
            if (!strictNumber(cell, v)) row.readError = key + " \"" + cell + "\" is not a number";
            else row.bird[key] = v;
        } else {
            const std::string base = key.substr(key.find('.') == std::string::npos ? 0 : key.find('.') + 1);
            if (base.rfind("opt", 0) == 0 || base.rfind("chk", 0) == 0) {
                const std::string v = lower(cell);
                bool on;
                if (v == "1" || v == "true" || v == "yes") on = true;
                else if (v == "0" || v == "false" || v == "no") on = false;
                else { row.readError = key + " \"" + cell + "\" is not 1/0, true/false or yes/no"; break; }
                if (base.rfind("opt", 0) == 0) { if (on) edits.push_back(Json::array({key, nullptr})); }
                else edits.push_back(Json::array({key, on}));
            } else {
                // A text box takes the cell's text as typed, as a person would type it.
                edits.push_back(Json::array({key, cell}));
            }
        }
    }
    if (!edits.empty()) row.bird["edits"] = edits;
    return row;
}

std::vector<BatchRow> ReadBatchTable(const std::string& text) {
    auto records = SplitCsv(text);
    if (records.empty()) throw UsageError("the bird table is empty");
    const std::vector<std::string> header = records[0];
    CheckBatchHeader(header);
    std::vector<BatchRow> rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const auto& rec = records[r];
        if (rec.size() == 1 && rec[0].empty()) continue;  // a blank line
        rows.push_back(ReadBatchRow(header, rec, static_cast<int>(r) + 1));
    }
    return rows;
}

}  // namespace ornivo::api
