#include "output/WorkbookCells.h"

#include <cfloat>
#include <cmath>

#include "output/TextLayout.h"
#include "state/numtext.h"

namespace ornivo::output {
namespace {
sheet::Value fromText(const std::string& t) {
    if (!HasLeadingNumber(t)) return sheet::Value(t);
    const double v = LeadingNumber(t);
    return std::isfinite(v) ? sheet::Value(v) : sheet::Value(0.0);
}
}  // namespace

sheet::Value SigValue(double x, int digits) {
    if (!std::isfinite(static_cast<float>(x))) return sheet::Value(0.0);
    return fromText(OutNumber(x, digits));
}

sheet::Value PatternValue(double x, const char* pattern) {
    if (!std::isfinite(x)) return sheet::Value(0.0);
    return fromText(FormatPattern(x, pattern));
}

sheet::Value PatternValue(float x, const char* pattern) {
    if (!std::isfinite(x)) return sheet::Value(0.0);
    return fromText(FormatPattern(x, pattern));
}

std::string TaxonCellText(int taxonGroup) { return taxonGroup == 1 ? "(Passerine)" : "(Non-Passerine)"; }

std::string SexCellText(int sex) {
    switch (sex) {
        case 1: return "Male and female";
        case 2: return "Male";
        case 3: return "Female";
        default: return "Unknown";
    }
}

std::string AgeCellText(int age, const char* immature) {
    switch (age) {
        case 1: return "Adult";
        case 2: return immature;
        default: return "Unknown";
    }
}

void WriteBirdGroupCells(int taxonGroup, int sex, int age, const char* immature, sheet::Sheet& sh) {
    sh.write("G2", TaxonCellText(taxonGroup));
    sh.write("B2", SexCellText(sex));
    sh.write("E2", AgeCellText(age, immature));
}

std::string FlightStyleCellText(int flightStyle) {
    switch (flightStyle) {
        case 2: return "  Flap-gliding";
        case 3: return "  Bounding";
        default: return "Continuous flapping";
    }
}

void ResetColours(sheet::Sheet& sh, std::initializer_list<const char*> ranges) {
    for (const char* r : ranges) sh.setFontColour(r, sheet::kBlack);
}

}  // namespace ornivo::output
