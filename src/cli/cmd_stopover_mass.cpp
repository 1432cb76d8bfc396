// ornivo-cli stopover-mass: the stopover mass calculator with the begin and move-on moments, the
// masses at the begin and the two rates, then "Compute new mass".
#include "bird/EnterBird.h"
#include "api/BirdFile.h"
#include "api/RunDialogs.h"
#include "cli/Command.h"
#include "api/Json.h"
#include "migrate/StopoverMass.h"
#include "state/StateOps.h"

namespace ornivo::cli {
namespace {

std::pair<std::string, std::string> moment(const std::string& text, const std::string& flag) {
    const auto sp = text.find_last_of(' ');
    if (sp == std::string::npos) throw UsageError(flag + " needs \"DATE TIME\", e.g. \"26-Apr-2008 08:30\"");
    return {text.substr(0, sp), text.substr(sp + 1)};
}

int runStopoverMass(const std::vector<std::string>& a) {
    Args args(a);
    auto begin = args.value("--begin"), moveOn = args.value("--move-on");
    auto mass = args.number("--mass"), fat = args.number("--fat");
    if (!begin || !moveOn || !mass || !fat)
        throw UsageError("give --begin \"DATE TIME\" --move-on \"DATE TIME\" --mass KG --fat KG");
    const double taxon = args.number("--taxon").value_or(2);
    if (taxon != 1 && taxon != 2) throw UsageError("--taxon must be 1 (passerine) or 2 (non-passerine)");
    ProgramState s;
    RunDialogs d;
    bird::LoadEnterBird(s);
    LoadEnergyConstants(s);
    s.TaxonGroup = static_cast<int16_t>(taxon);
    migrate::LoadStopoverMass(s);
    migrate::StopoverForm f;
    std::tie(f.DateBegin, f.TimeBegin) = moment(*begin, "--begin");
    std::tie(f.DateMoveOn, f.TimeMoveOn) = moment(*moveOn, "--move-on");
    f.MassBegin = NumberText(*mass);
    f.FatBegin = NumberText(*fat);
    if (auto e = args.number("--existence")) f.ExistenceText = NumberText(*e);
    if (auto q = args.number("--intake")) f.FeedText = NumberText(*q);
    ScreenUpdate u;
    auto r = migrate::ComputeStopoverMass(s, f, d, &u);
    if (!r) return d.refuse();
    Json out;
    out["Hours"] = r->Hours;
    out["ExistenceRatio"] = Double(s.ExistenceRatio);
    out["FeedQ"] = Double(s.FeedQ);
    out["MassBegin"] = Single(r->MassBegin);
    out["FatBegin"] = Single(r->FatBegin);
    out["FatFracBegin"] = Single(r->FatFracBegin);
    out["FuelEnergyHeightBegin"] = Single(r->FuelHeightBegin);
    out["MassMoveOn"] = Single(r->MassMoveOn);
    out["FatMoveOn"] = Single(r->FatMoveOn);
    out["FatFracMoveOn"] = Single(r->FatFracMoveOn);
    out["FuelEnergyHeightMoveOn"] = Single(r->FuelHeightMoveOn);
    out["FatEnergyHeight"] = Single(s.FatEnergyHeight);
    out["FuelEnergyHeight"] = Single(s.FuelEnergyHeight);
    Json shown;
    for (const auto& [control, text] : u.texts) shown[control] = text;
    out["shown"] = shown;
    PrintJson(out);
    return ExitOk;
}

}  // namespace

ORNIVO_CLI_COMMAND(stopover_mass, "stopover-mass",
                   "stopover-mass --begin \"26-Apr-2008 08:30\" --move-on \"27-Apr-2008 08:10\" --mass KG --fat KG "
                   "[--existence 3] [--intake 4.5] [--taxon 1|2]",
                   runStopoverMass);

}  // namespace ornivo::cli
