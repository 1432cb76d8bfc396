#include "api/TableBirds.h"

#include "api/BatchTable.h"
#include "api/BirdFile.h"
#include "api/Errors.h"
#include "birddb/EnterFromRecord.h"
#include "birddb/UserBirds.h"

namespace ornivo::api {


bool EnterBirdFromTable(ProgramState& s, RunDialogs& d, const Json& bird) {
    if (bird.contains("Preset") && bird.contains("User"))
        throw UsageError("the bird file may name a \"Preset\" or a \"User\" bird, not both");
    const bool user = bird.contains("User");
    const Json& ref = bird[user ? "User" : "Preset"];
    if (!ref.is_string() && !ref.is_number())
        throw UsageError(std::string("the bird file's \"") + (user ? "User" : "Preset") +
                         "\" must be a record number or a name");
    if (EnterTableBird(s, d, user ? BirdTable::User : BirdTable::Preset, ref) == EnterResult::Entered) return true;
    d.refuse();
    return false;
}

EnterResult EnterTableBird(ProgramState& s, RunDialogs& d, BirdTable table, const Json& ref, ScreenUpdate* entered) {
    const std::string which = table == BirdTable::User ? "user" : "preset";
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, table, list)) return EnterResult::Refused;
    birddb::BirdMatch m;
    std::string shown;
    if (ref.is_number()) {
        const double n = ref.get<double>();
        if (!(n >= 1 && n <= 1e15) || n != static_cast<double>(static_cast<int64_t>(n)))
            throw UsageError("a " + which + " bird's number is a whole number from 1 (birds list shows them)");
        m = birddb::MatchNumber(list, static_cast<int64_t>(n));
        shown = "#" + std::to_string(static_cast<int64_t>(n));
    } else {
        m = birddb::MatchBird(list, ref.get<std::string>());
        shown = ref.get<std::string>();
    }
    if (m.kind == birddb::BirdMatch::Kind::NotFound) {
        int64_t n;
        throw UsageError(birddb::ParseRecordNumber(shown, n) ? "no " + which + " bird has the number " + shown
                                                             : "no " + which + " bird named \"" + shown + "\"");
    }
    if (m.kind == birddb::BirdMatch::Kind::Ambiguous) {
        std::string numbers;
        for (std::size_t i = 0; i < m.candidates.size(); ++i)
            numbers += (i == 0 ? "#" : i + 1 == m.candidates.size() ? " or #" : ", #") + std::to_string(m.candidates[i]);
        throw UsageError(std::to_string(m.candidates.size()) + " " + which + " birds are named \"" + shown +
                         "\": give the number of one, " + numbers + " (birds list shows them)");
    }
    switch (birddb::EnterNumberedBird(s, d, table, m.number, entered)) {
    case birddb::EnterNumberOutcome::Entered: return EnterResult::Entered;
    case birddb::EnterNumberOutcome::NotFound: throw UsageError("no " + which + " bird has the number " + shown);
    case birddb::EnterNumberOutcome::Refused: break;
    }
    return EnterResult::Refused;
}

Json EnteredBirdJson(const ProgramState& s, BirdTable table) {
    const BirdParams& b = s.slot(0);
    Json j;
    j["SpName"] = s.SpName;
    j["ShortName"] = s.ShortName;
    // Each key is the name of the value it holds: the bird's (B) or the air's (S).
#define B(name) j[#name] = Single(b.name)
#define S(name) j[#name] = Single(s.name)
    B(EmptyMass); B(Span); B(WingArea); B(AspectRatio);
    S(AirDensity); S(RelDensity); S(Altitude); S(KinViscosity);
    B(MuscleFrac); B(FatFrac);
#undef B
#undef S
    j["TaxonGroup"] = s.TaxonGroup;
    j["Sex"] = s.Sex;
    j["Age"] = s.Age;
    if (table == BirdTable::User) {
        j["CropMass"] = Single(b.CropMass);
        static const char* names[] = {"Cprof", "PbmrFactor", "FreqFactor", "FrontalAreaFactor", "Cdb", "Cdw",
                                      "Kflap", "Kglide", "Kmito", "Resp", "Eta", "Efat", "Eprotein", "ProtHydr",
                                      "ProtFracTarget", "ClMax", "PlanformSlope", "Bstop", "Gravity"};
        ProgramState& ms = const_cast<ProgramState&>(s);
        for (std::size_t i = 0; i < birddb::UserParameters().size(); ++i)
            j[names[i]] = Single(birddb::ParameterValue(ms, birddb::UserParameters()[i]));
        j["KeepFactors"] = s.KeepFactors;
    }
    return j;
}

std::vector<BatchRow> TableRows(bool preset) {
    ProgramState s;
    RunDialogs d;
    d.err = nullptr;
    std::vector<birddb::NumberedBird> list;
    if (!birddb::ListNumberedBirds(s, d, preset ? birddb::BirdTable::Preset : birddb::BirdTable::User, list)) {
        std::string t;
        for (const auto& l : d.lastError()) t += (t.empty() ? "" : " ") + l;
        throw UsageError(t.empty() ? std::string("the ") + (preset ? "preset" : "user") + " bird table cannot be read"
                                   : t);
    }
    const char* key = preset ? "Preset" : "User";
    std::vector<BatchRow> rows;
    for (std::size_t i = 0; i < list.size(); ++i) {
        BatchRow row;
        row.line = static_cast<int>(i) + 1;
        // The names are only for the result row: a bird file with "Preset" or "User" takes nothing else.
        row.bird = Json{{key, list[i].number}, {"SpName", list[i].sciName}, {"ShortName", list[i].shortName}};
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace ornivo::api
