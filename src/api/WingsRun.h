#pragma once
// The wings database screen driven as a person would: genus level, the genus typed at the prompt,
// the species picked from the list, the sample options, "Find sample means" with every record
// included, and "OK - accept".
#include <string>

#include "api/Json.h"
#include "api/RunDialogs.h"

namespace ornivo::api {

// sexOption: optMale, optFemale or optAnySex; ageOption: optAdult, optImm or optAllAge. Fills `out`
// with the genus, species, counts, means, whether accepted and the state it entered; ExitRefused when
// the genus is refused (the dialogs hold why) or has no such species (out["species"] says so).
int SearchWings(const std::string& genus, const std::string& species, const char* sexOption, const char* ageOption,
                RunDialogs& d, Json& out);

}  // namespace ornivo::api
