#include "birddb/UserBackup.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "birddb/EnterFromRecord.h"
#include "state/numtext.h"

namespace ornivo::birddb {

const std::array<const char*, 3>& BackupTextFields() {
    static const std::array<const char*, 3> f = {"Short name", "Scientific name", "Comment"};
    return f;
}
const std::array<const char*, 6>& BackupNumberFields() {
    static const std::array<const char*, 6> f = {"Empty mass", "Wing span", "Wing area",
                                                 "Air density", "Muscle fraction", "Fat fraction"};
    return f;
}
const std::array<const char*, 3>& BackupCodeFields() {
    static const std::array<const char*, 3> f = {"Taxon", "Sex", "Age"};
    return f;
}
const std::array<const char*, 20>& BackupExtraFields() {
    static const std::array<const char*, 20> f = {
        "Crop mass", "Cprof", "BMR factor", "Freq factor", "Sb factor", "Body Cd", "Wing Cd",
        "Kflap", "Kglide", "Kmito", "Resp", "Eta", "Efat", "Eprot", "ProtHydr", "ProtFracTarget",
        "ClMax", "Delta", "Bstop", "Gravity"};
    return f;
}

BackupFormatError::BackupFormatError(int l, const std::string& what)
    : std::runtime_error("line " + std::to_string(l) + ": " + what), line(l) {}

std::string BackupNumberText(float x) {
    if (!std::isfinite(x)) return "0";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    std::string sci(buf, r.ptr);  // shortest digits: d.dddde±XX
    const std::size_t e = sci.find('e');
    const int exponent = std::stoi(sci.substr(e + 1));
    const float ax = std::fabs(x);
    if (x != 0 && (ax < 1e-4f || ax >= 1e7f)) {
        char out[64];
        std::snprintf(out, sizeof out, "%sE%c%02d", sci.substr(0, e).c_str(), exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        return out;
    }
    r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

bool ReadBackupNumber(const std::string& line, double& out) {
    std::size_t b = line.find_first_not_of(" \t"), e = line.find_last_not_of(" \t");
    if (b == std::string::npos) return false;
    std::string t = line.substr(b, e - b + 1);
    if (t[0] == '+') t.erase(0, 1);
    if (t.size() > 1 && t[0] == '-' && t[1] == '.') t.insert(1, "0");
    else if (!t.empty() && t[0] == '.') t.insert(0, "0");
    double v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

BackupRecord ReadBackupRecord(const external::RecordSet& rs) {
    BackupRecord r;
    for (std::size_t i = 0; i < 3; ++i) r.texts[i] = rs.text(BackupTextFields()[i]);
    for (std::size_t i = 0; i < 6; ++i) r.numbers[i] = rs.single(BackupNumberFields()[i]);
    for (std::size_t i = 0; i < 3; ++i) r.codes[i] = CodeOf(rs, BackupCodeFields()[i]);
    r.full = true;
    for (std::size_t i = 0; i < 20; ++i) r.extra[i] = rs.single(BackupExtraFields()[i]);
    return r;
}

std::vector<std::string> BackupLines(const BackupRecord& r) {
    std::vector<std::string> lines;
    for (const auto& t : r.texts) {
        // One value per line: a line break inside a text would split the record.
        std::string one = t;
        for (char& c : one)
            if (c == '\r' || c == '\n') c = ' ';
        lines.push_back(one);
    }
    for (float v : r.numbers) lines.push_back(BackupNumberText(v));
    for (int16_t c : r.codes) lines.push_back(std::to_string(c));
    if (r.full)
        for (float v : r.extra) lines.push_back(BackupNumberText(v));
    return lines;
}

void WriteBackupRecord(external::RecordSet& rs, const BackupRecord& r) {
    for (std::size_t i = 0; i < 3; ++i) rs.set(BackupTextFields()[i], r.texts[i]);
    for (std::size_t i = 0; i < 6; ++i) rs.set(BackupNumberFields()[i], double(r.numbers[i]));
    for (std::size_t i = 0; i < 3; ++i) rs.set(BackupCodeFields()[i], int64_t(r.codes[i]));
    if (r.full)
        for (std::size_t i = 0; i < 20; ++i) rs.set(BackupExtraFields()[i], double(r.extra[i]));
}

std::vector<BackupRecord> ParseBackup(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    const std::size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;  // a byte-order mark
    for (std::size_t i = start; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    // Blank lines after the last record are not a record.
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) lines.pop_back();
    if (lines.empty()) throw BackupFormatError(1, "the file holds no records");

    std::vector<BackupRecord> records;
    std::size_t i = 0;
    auto number = [&](const char* field) {
        if (i >= lines.size())
            throw BackupFormatError(static_cast<int>(i) + 1,
                                    std::string("the file ends inside a record, where \"") + field + "\" should be");
        double v = 0;
        if (!ReadBackupNumber(lines[i], v))
            throw BackupFormatError(static_cast<int>(i) + 1, std::string("\"") + field +
                                                                 "\" should be a number, not \"" + lines[i] + "\"");
        ++i;
        return v;
    };
    while (i < lines.size()) {
        BackupRecord r;
        for (std::size_t k = 0; k < 3; ++k) {
            if (i >= lines.size())
                throw BackupFormatError(static_cast<int>(i) + 1, std::string("the file ends inside a record, where \"") +
                                                                     BackupTextFields()[k] + "\" should be");
            r.texts[k] = lines[i++];
        }
        for (std::size_t k = 0; k < 6; ++k) {
            double v = number(BackupNumberFields()[k]);
            if (std::fabs(v) > 3.4e38)
                throw BackupFormatError(static_cast<int>(i), std::string("\"") + BackupNumberFields()[k] + "\" is too large");
            r.numbers[k] = static_cast<float>(v);
        }
        for (std::size_t k = 0; k < 3; ++k) {
            double v = number(BackupCodeFields()[k]);
            if (!(v > -32768.5 && v < 32767.5))
                throw BackupFormatError(static_cast<int>(i), std::string("\"") + BackupCodeFields()[k] +
                                                                 "\" should be a whole number");
            r.codes[k] = CInt(v);
        }
        // A number next is the crop mass of a full record; anything else starts the next record.
        double probe = 0;
        if (i < lines.size() && ReadBackupNumber(lines[i], probe)) {
            r.full = true;
            for (std::size_t k = 0; k < 20; ++k) {
                double v = number(BackupExtraFields()[k]);
                if (std::fabs(v) > 3.4e38)
                    throw BackupFormatError(static_cast<int>(i), std::string("\"") + BackupExtraFields()[k] + "\" is too large");
                r.extra[k] = static_cast<float>(v);
            }
        }
        records.push_back(r);
    }
    return records;
}

}  // namespace ornivo::birddb
