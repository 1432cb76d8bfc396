#include "birddb/BirdList.h"

namespace ornivo::birddb {

const char* ListField(ListBy by) { return by == ListBy::ShortName ? "Short name" : "Scientific name"; }

std::vector<std::string> BuildList(external::RecordSet& rs, ListBy by) {
    std::vector<std::string> names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) names.push_back(rs.text(ListField(by)));
    return names;
}

bool FindEntry(external::RecordSet& rs, ListBy by, const std::string& entry) {
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (rs.text(ListField(by)) == entry) return true;
    return false;
}

}  // namespace ornivo::birddb
