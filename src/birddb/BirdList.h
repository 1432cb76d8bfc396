#pragma once
// The list of a bird table as the preset and user screens show it: short or scientific names in
// record-set order (the scientific-name order of the table), and the record an entry stands for.
#include <string>
#include <vector>

#include "external/database/Database.h"

namespace ornivo::birddb {

enum class ListBy { ShortName, ScientificName };

// The names of every record in record-set order; leaves the record set past its last record.
std::vector<std::string> BuildList(external::RecordSet& rs, ListBy by);
// Makes current the first record whose listed name equals the entry exactly; false if none does.
bool FindEntry(external::RecordSet& rs, ListBy by, const std::string& entry);
const char* ListField(ListBy by);

}  // namespace ornivo::birddb
