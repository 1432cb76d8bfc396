#include "migrate/StopoverSites.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

struct Field {
    std::string text;
    int line = 0;
};

// Splits the text after the heading line into fields separated by commas or line ends; a field may
// be enclosed in double quotes (a doubled quote inside stands for one).
std::vector<Field> splitFields(const std::string& text) {
    std::vector<Field> out;
    std::size_t i = 0;
    int line = 1;
    while (i < text.size() && text[i] != '\n') ++i;  // the heading
    if (i < text.size()) { ++i; ++line; }
    std::string cur;
    bool quoted = false, any = false;
    int fieldLine = line;
    auto flush = [&] {
        std::string t = cur;
        if (!quoted) {
            auto b = t.find_first_not_of(" \t\r"), e = t.find_last_not_of(" \t\r");
            t = b == std::string::npos ? "" : t.substr(b, e - b + 1);
        }
        if (any || !t.empty()) out.push_back({t, fieldLine});
        cur.clear();
        quoted = any = false;
    };
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"' && cur.find_first_not_of(" \t") == std::string::npos && !quoted) {
            cur.clear();
            quoted = any = true;
            fieldLine = line;
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') { cur += '"'; ++i; }
                    else break;
                } else {
                    if (text[i] == '\n') ++line;
                    cur += text[i];
                }
            }
            continue;
        }
        if (c == ',' || c == '\n') {
            if (c == ',') any = true;
            flush();
            if (c == '\n') ++line;
            fieldLine = line;
            continue;
        }
        if (quoted) continue;  // text after a closing quote is ignored
        if (cur.empty()) fieldLine = line;
        cur += c;
    }
    flush();
    // Empty fields from blank lines carry no value.
    std::vector<Field> kept;
    for (auto& f : out) if (!f.text.empty()) kept.push_back(f);
    return kept;
}

bool number(const Field& f, double& v) {
    const char* b = f.text.c_str();
    char* e = nullptr;
    v = std::strtod(b, &e);
    return e != b && *e == '\0' && std::isfinite(v);
}

}  // namespace

bool ReadStopoverSites(const std::string& path, std::vector<StopoverSite>& sites, std::string& error) {
    const std::string name = std::filesystem::path(path).filename().string();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Stopover site file " + name + " cannot be opened";
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::vector<Field> f = splitFields(text);
    auto fail = [&](std::size_t i, const std::string& what) {
        if (i < f.size())
            error = "Stopover site file " + name + ", line " + std::to_string(f[i].line) + ": expected " + what +
                    ", found \"" + f[i].text + "\"";
        else
            error = "Stopover site file " + name + " ends early: expected " + what;
        return false;
    };
    double count = 0;
    if (f.empty() || !number(f[0], count) || count != std::floor(count) || count < 0 || count > 32767)
        return fail(0, "the number of sites (a whole number)");
    std::vector<StopoverSite> out;
    std::size_t i = 1;
    for (int n = 0; n < static_cast<int>(count); ++n) {
        StopoverSite site;
        if (i >= f.size()) return fail(i, "the name of site " + std::to_string(n + 1));
        site.SiteName = f[i++].text;
        if (i >= f.size() || !number(f[i], site.SiteFeedQ)) return fail(i, "the intake rate of site " + std::to_string(n + 1));
        ++i;
        for (int c = 0; c < 4; ++c) {
            for (int k = 0; k < 2; ++k) {
                if (i >= f.size() || !number(f[i], site.SiteCorners[c][k]))
                    return fail(i, std::string(k == 0 ? "a latitude" : "a longitude") + " of corner " +
                                       std::to_string(c + 1) + " of site " + std::to_string(n + 1));
                ++i;
            }
        }
        out.push_back(std::move(site));
    }
    sites = std::move(out);
    return true;
}

void FindStopoverSite(ProgramState& s, double lat, double lon) {
    for (int n = 0; n < s.Gps.SiteCount && n < static_cast<int>(s.Gps.StopoverSites.size()); ++n) {
        const StopoverSite& site = s.Gps.StopoverSites[n];
        if (lat >= site.SiteCorners[0][0] && lat <= site.SiteCorners[1][0] && lon >= site.SiteCorners[1][1] &&
            lon <= site.SiteCorners[2][1]) {
            s.FeedQ = site.SiteFeedQ;
            s.Gps.SiteLabel = site.SiteName;
            s.Gps.AtKnownSite = true;
            return;
        }
    }
    s.FeedQ = 0;
    s.Gps.SiteLabel = "Non-feeding Stop";
    s.Gps.AtKnownSite = false;
}

}  // namespace ornivo::migrate
