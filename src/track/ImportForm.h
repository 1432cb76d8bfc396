#pragma once
// The import options as the desktop's import screen shows them: one text field per option with its
// caption and default text, and the reading of the typed texts into ImportOptions with a message that
// names the field of a value that cannot be used.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "track/TrackImport.h"

namespace ornivo::track {

struct ImportField {
    std::string control;      // the screen's field, e.g. "txtGrid"
    std::string caption;      // its label, units included
    std::string flag;         // the matching option of "ornivo-cli track import"
    std::string defaultText;  // what the field shows when the screen opens ("" for an option left out)
};

// The fields in reading order.
const std::vector<ImportField>& ImportFields();

// The options from the typed texts (control -> text; a missing or blank text is the default). Nothing,
// with a one-line reason naming the field, when a text is not a number or the options cannot be used.
std::optional<ImportOptions> ReadImportForm(const std::map<std::string, std::string>& texts, std::string& error);

}  // namespace ornivo::track
