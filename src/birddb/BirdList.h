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
// The names as BuildList gives them, where entries that read the same carry what tells their records
// apart: the body mass (" (0.0500 kg)", with as many digits as it takes), else the record's place in
// the table (" (record 12)"). Entry i stands for record i of the record set.
std::vector<std::string> BuildDistinctList(external::RecordSet& rs, ListBy by);
bool FindEntry(external::RecordSet& rs, ListBy by, const std::string& entry);
const char* ListField(ListBy by);

}  // namespace ornivo::birddb
