#include "birddb/BirdList.h"

#include <map>
#include <set>

#include "state/numtext.h"

namespace ornivo::birddb {

const char* ListField(ListBy by) { return by == ListBy::ShortName ? "Short name" : "Scientific name"; }

std::vector<std::string> BuildList(external::RecordSet& rs, ListBy by) {
    std::vector<std::string> names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) names.push_back(rs.text(ListField(by)));
    return names;
}

namespace {

// The masses of one group of records that read the same, with the fewest significant digits (3 to 7)
// at which they all differ; empty when no number of digits tells them apart.
std::vector<std::string> distinctMasses(const std::vector<float>& masses) {
    for (int digits = 3; digits <= 7; ++digits) {
        std::vector<std::string> texts;
        std::set<std::string> seen;
        for (float m : masses) {
            texts.push_back(FormatSig(m, digits));
            seen.insert(texts.back());
        }
        if (seen.size() == masses.size()) return texts;
    }
    return {};
}

}  // namespace

std::vector<std::string> BuildDistinctList(external::RecordSet& rs, ListBy by) {
    std::vector<std::string> names;
    std::vector<float> masses;
    std::map<std::string, std::vector<std::size_t>> byName;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        byName[rs.text(ListField(by))].push_back(names.size());
        names.push_back(rs.text(ListField(by)));
        masses.push_back(rs.single("Empty mass"));
    }
    std::vector<std::string> entries = names;
    for (const auto& [name, rows] : byName) {
        if (rows.size() < 2) continue;
        std::vector<float> groupMasses;
        for (std::size_t r : rows) groupMasses.push_back(masses[r]);
        const std::vector<std::string> texts = distinctMasses(groupMasses);
        for (std::size_t i = 0; i < rows.size(); ++i)
            entries[rows[i]] += texts.empty() ? " (record " + std::to_string(rows[i] + 1) + ")" : " (" + texts[i] + " kg)";
    }
    return entries;
}

bool FindEntry(external::RecordSet& rs, ListBy by, const std::string& entry) {
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (rs.text(ListField(by)) == entry) return true;
    return false;
}

}  // namespace ornivo::birddb
