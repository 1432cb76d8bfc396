#include "track/FixFiles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include <pugixml.hpp>

namespace ornivo::track {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (auto& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// A finite number filling the whole (trimmed) field; false for empty text, "NA" and the like.
bool parseNumber(std::string_view s, double& out) {
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool parseInteger(std::string_view s, int64_t& out) {
    s = trimmed(s);
    if (s.empty()) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool validPosition(double lat, double lon) { return std::fabs(lat) <= 90 && std::fabs(lon) <= 180; }

// Splits CSV text into records of fields: commas between fields, double quotes around a field that
// holds commas, quotes ("") or line ends; LF or CR LF between records.
class CsvRecords {
public:
    explicit CsvRecords(std::string_view text) : t_(text) {
        if (t_.substr(0, 3) == "\xEF\xBB\xBF") t_.remove_prefix(3);
    }
    // The next record; false at the end of the text. Blank lines are passed over.
    bool next(std::vector<std::string>& fields, std::size_t& count) {
        while (p_ < t_.size() && (t_[p_] == '\n' || t_[p_] == '\r')) ++p_;
        if (p_ >= t_.size()) return false;
        count = 0;
        for (;;) {
            if (count == fields.size()) fields.emplace_back();
            std::string& f = fields[count++];
            f.clear();
            if (p_ < t_.size() && t_[p_] == '"') {
                ++p_;
                for (;;) {
                    auto q = t_.find('"', p_);
                    if (q == std::string_view::npos) {  // unterminated: the rest is the field
                        f.append(t_.substr(p_));
                        p_ = t_.size();
                        break;
                    }
                    f.append(t_.substr(p_, q - p_));
                    p_ = q + 1;
                    if (p_ < t_.size() && t_[p_] == '"') {
                        f.push_back('"');
                        ++p_;
                    } else {
                        break;
                    }
                }
                // Anything between the closing quote and the separator belongs to the field.
                while (p_ < t_.size() && t_[p_] != ',' && t_[p_] != '\n') f.push_back(t_[p_++]);
            } else {
                auto e = t_.find_first_of(",\n", p_);
                if (e == std::string_view::npos) e = t_.size();
                f.assign(t_.substr(p_, e - p_));
                p_ = e;
            }
            if (!f.empty() && f.back() == '\r') f.pop_back();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            if (p_ < t_.size()) ++p_;  // the line end
            return true;
        }
    }

private:
    std::string_view t_;
    std::size_t p_ = 0;
};

int32_t animalIndex(FixFile& out, std::unordered_map<std::string, int32_t>& index, const std::string& id) {
    auto it = index.find(id);
    if (it != index.end()) return it->second;
    const auto n = int32_t(out.animals.size());
    index.emplace(id, n);
    out.animals.push_back(id);
    out.rowsPerAnimal.push_back(0);
    return n;
}

std::string_view localName(const char* name) {
    std::string_view n(name);
    auto colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node parent, std::string_view name) {
    for (auto c : parent.children())
        if (c.type() == pugi::node_element && localName(c.name()) == name) return c;
    return {};
}

// The first element of that name anywhere below the node (extensions nest their values).
pugi::xml_node descendant(pugi::xml_node parent, std::string_view name) {
    for (auto c : parent.children()) {
        if (c.type() != pugi::node_element) continue;
        if (localName(c.name()) == name) return c;
        if (auto d = descendant(c, name)) return d;
    }
    return {};
}

void collectTrackPoints(pugi::xml_node node, std::vector<pugi::xml_node>& out) {
    for (auto c : node.children()) {
        if (c.type() != pugi::node_element) continue;
        if (localName(c.name()) == "trkpt") out.push_back(c);
        else collectTrackPoints(c, out);
    }
}

}  // namespace

bool ReadMovebankCsv(std::string_view text, FixFile& out, std::string& error) {
    out = FixFile{};
    out.format = FixFormat::MovebankCsv;
    CsvRecords records(text);
    std::vector<std::string> f;
    std::size_t n = 0;
    if (!records.next(f, n)) {
        error = "The file is empty";
        return false;
    }
    std::unordered_map<std::string, int> col;
    for (std::size_t i = 0; i < n; ++i) col.emplace(lower(trimmed(f[i])), int(i));
    auto column = [&](const char* name) {
        auto it = col.find(name);
        return it == col.end() ? -1 : it->second;
    };
    const int cTime = column("timestamp"), cLon = column("location-long"), cLat = column("location-lat");
    if (cTime < 0 || cLon < 0 || cLat < 0) {
        const char* missing = cTime < 0 ? "timestamp" : cLon < 0 ? "location-long" : "location-lat";
        error = std::string("Not a Movebank export: no column \"") + missing + "\" in the header line";
        return false;
    }
    const int cEvent = column("event-id"), cVisible = column("visible"), cFix = column("eobs:type-of-fix");
    const int cSpeed = column("ground-speed"), cHeading = column("heading");
    const int cAnimal = column("individual-local-identifier");
    int cHeight = column("height-above-ellipsoid");
    if (cHeight < 0 && (cHeight = column("height-above-msl")) >= 0) out.heightKind = "sea level";

    std::unordered_map<std::string, int32_t> animals;
    const std::string none;
    while (records.next(f, n)) {
        auto field = [&](int c) -> std::string_view { return c >= 0 && std::size_t(c) < n ? std::string_view(f[std::size_t(c)]) : std::string_view(); };
        RawFix x;
        x.animal = animalIndex(out, animals, cAnimal >= 0 ? std::string(trimmed(field(cAnimal))) : none);
        x.row = out.rowsPerAnimal[std::size_t(x.animal)]++;
        x.hasEventId = parseInteger(field(cEvent), x.eventId);
        double v = 0;
        if (cVisible >= 0 && lower(trimmed(field(cVisible))) == "false") {
            x.status = FixStatus::Invisible;
        } else if (auto m = ParseUtcMoment(field(cTime))) {
            x.moment = *m;
            if (!parseNumber(field(cLat), x.lat) || !parseNumber(field(cLon), x.lon) || !validPosition(x.lat, x.lon))
                x.status = FixStatus::NoPosition;
        } else {
            x.status = FixStatus::NoTime;
        }
        x.hasHeight = parseNumber(field(cHeight), x.height);
        x.hasTagSpeed = parseNumber(field(cSpeed), x.tagSpeed);
        x.hasTagHeading = parseNumber(field(cHeading), x.tagHeading);
        if (parseNumber(field(cFix), v) && v >= -32768 && v <= 32767 && v == std::floor(v)) x.fixType = int16_t(v);
        out.fixes.push_back(x);
    }
    if (out.animals.empty()) {
        out.animals.push_back("");
        out.rowsPerAnimal.push_back(0);
    }
    return true;
}

bool ReadGpx(std::string_view text, FixFile& out, std::string& error) {
    out = FixFile{};
    out.format = FixFormat::Gpx;
    out.heightKind = "GPX elevation";
    out.animals.push_back("");
    out.rowsPerAnimal.push_back(0);
    pugi::xml_document doc;
    auto r = doc.load_buffer(text.data(), text.size());
    if (!r) {
        error = std::string("Not a readable GPX file: ") + r.description() + " at character " + std::to_string(r.offset);
        return false;
    }
    auto root = doc.document_element();
    if (localName(root.name()) != "gpx") {
        error = "Not a GPX file: the document element is <" + std::string(root.name()) + ">, not <gpx>";
        return false;
    }
    std::vector<pugi::xml_node> points;
    collectTrackPoints(root, points);
    out.fixes.reserve(points.size());
    for (auto pt : points) {
        RawFix x;
        x.row = out.rowsPerAnimal[0]++;
        if (auto m = ParseUtcMoment(child(pt, "time").text().get())) {
            x.moment = *m;
            auto la = pt.attribute("lat"), lo = pt.attribute("lon");
            if (!la || !lo || !parseNumber(la.value(), x.lat) || !parseNumber(lo.value(), x.lon) ||
                !validPosition(x.lat, x.lon))
                x.status = FixStatus::NoPosition;
        } else {
            x.status = FixStatus::NoTime;
        }
        x.hasHeight = parseNumber(child(pt, "ele").text().get(), x.height);
        auto speed = child(pt, "speed"), course = child(pt, "course");
        if (auto ext = child(pt, "extensions")) {
            if (!speed) speed = descendant(ext, "speed");
            if (!course) course = descendant(ext, "course");
        }
        x.hasTagSpeed = speed && parseNumber(speed.text().get(), x.tagSpeed);
        x.hasTagHeading = course && parseNumber(course.text().get(), x.tagHeading);
        if (lower(trimmed(child(pt, "fix").text().get())) == "2d") x.fixType = 2;
        out.fixes.push_back(x);
    }
    return true;
}

bool ReadFixFile(const std::string& path, FixFile& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "The file " + path + " cannot be opened";
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = "The file " + path + " cannot be read";
        return false;
    }
    const std::string text = std::move(ss).str();
    std::string ext = lower(path.substr(std::min(path.size(), path.rfind('.') == std::string::npos ? path.size() : path.rfind('.'))));
    std::string_view start = text;
    if (start.substr(0, 3) == "\xEF\xBB\xBF") start.remove_prefix(3);
    while (!start.empty() && std::isspace(static_cast<unsigned char>(start.front()))) start.remove_prefix(1);
    const bool gpx = ext == ".gpx" || (!start.empty() && start.front() == '<');
    const bool ok = gpx ? ReadGpx(text, out, error) : ReadMovebankCsv(text, out, error);
    if (!ok) error = path + ": " + error;
    return ok;
}

}  // namespace ornivo::track
