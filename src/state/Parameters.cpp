#include "state/Parameters.h"

#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

#include "state/ControlNames.h"
#include "state/Single.h"

namespace ornivo {
namespace {

// The value a field shows: a value of the slot, of Enter Bird's slot, or held once.
#define SLOT(m) [](const ProgramState& s, int slot) { return double(s.slot(slot).m); }
#define ENTRY(m) [](const ProgramState& s, int) { return double(s.slot(ModeEnterBird).m); }
#define HELD(m) [](const ProgramState& s, int) { return double(s.m); }
// Rules that only store the typed value, rounded to the single the state holds.
#define STORE_SLOT(m) [](ProgramState& s, int slot, double v) { s.slot(slot).m = f32(v); }
#define STORE_HELD(m) [](ProgramState& s, int, double v) { s.m = f32(v); }

constexpr double NoLowerBound = -HUGE_VAL;
constexpr std::uint8_t AllSetups = OnSetupScreens;
constexpr std::uint8_t FlapAndMigrate = OnSetupFlap | OnSetupMigrate;
constexpr std::uint8_t FlapAndSettings = OnSetupFlap | OnSettingsMigr;
constexpr std::uint8_t EnterAndSetups = OnEnterBird | OnSetupScreens;
constexpr Cell None{};

// Cells by Output: power curve, migration, glide polar.
struct Cells3 { Cell flap, migrate, glide; };
constexpr Cells3 Same(Cell c) { return {c, c, c}; }

struct Row : Parameter {
    constexpr Row(Parameter p, Cells3 c) : Parameter(p) {
        cells[0] = c.flap;
        cells[1] = c.migrate;
        cells[2] = c.glide;
    }
};

using P = Param;
using M = Mark;

// Ranges: wide enough for any bird and any sensible experiment with the constants; narrow enough
// that squares, products and quotients of the values stay finite singles.
const Row Rows[] = {
    {Parameter{P::SpName, ctl::txtSpName, EnterAndSetups, "Species", {}}, {}},
    {Parameter{P::ShortName, ctl::txtShortName, EnterAndSetups, "Short name", {}}, {}},
    {Parameter{P::Taxon, ctl::txtTaxon, AllSetups, "Group", "Double-click to change"}, {}},
    {Parameter{P::EmptyMass, ctl::txtEmptyMass, EnterAndSetups, "Body mass (kg)", "Body mass with empty crop", SLOT(EmptyMass),
      nullptr, false, nullptr, NoLowerBound, 1000, M::EmptyMass, {}, "Empty body mass", " kg"},
     Same(MarkedCell("E4"))},
    {Parameter{P::CropMass, ctl::txtCropMass, AllSetups, "Payload mass (kg)", "Mass of food carried in the crop", SLOT(CropMass),
      nullptr, false, nullptr, 0, 1000, M::CropMass, {}, "Crop contents mass", " kg"},
     Same(MarkedCell("E8"))},
    {Parameter{P::CropFrac, ctl::txtCropFrac, AllSetups, "Payload fraction", {}, SLOT(CropFrac)}, Same(ValueCell("J8"))},
    {Parameter{P::AllUpMass, ctl::txtAllUpMass, AllSetups, "All-up mass (kg)", "Empty body mass + Crop mass", SLOT(AllUpMass),
      nullptr, false, nullptr, 1, 0, {}, {}, "All-up mass", " kg"},
     Same(ValueCell("E9"))},
    {Parameter{P::MuscleMass, ctl::txtMuscleMass, AllSetups, "Flight muscle mass (kg)",
      "Mass of pectoralis + supracoracoideus muscles of both sides", SLOT(MuscleMass), nullptr, false, nullptr, 0,
      1000, M::MuscleMass, {}, "Flight muscle mass", " kg"},
     Same(MarkedCell("E5"))},
    {Parameter{P::MuscleFrac, ctl::txtMuscleFrac, AllSetups, "Flight muscle fraction", "Ratio flight muscle mass to empty body mass",
      SLOT(MuscleFrac), nullptr, false, nullptr, 0, 1, M::MuscleFrac, {}, "Flight muscle fraction", {}},
     Same(MarkedCell("J5"))},
    {Parameter{P::FatMass, ctl::txtFatMass, AllSetups, "Fat mass (kg)", "Mass of consumable fat", SLOT(FatMass), nullptr, false,
      nullptr, 0, 1000, M::FatMass, {}, "Fat mass", " kg"},
     Same(MarkedCell("E6"))},
    {Parameter{P::FatFrac, ctl::txtFatFrac, AllSetups, "Fat fraction", "Ratio fat mass to empty body mass", SLOT(FatFrac), nullptr,
      false, nullptr, 0, 1, M::FatFrac, {}, "Fat fraction", {}},
     Same(MarkedCell("J6"))},
    {Parameter{P::AirframeMass, ctl::txtAirframeMass, AllSetups, "Airframe mass (kg)", "Empty mass - (fat mass + flight muscle mass)",
      SLOT(AirframeMass), nullptr, false, nullptr, 1, 0, {}, {}, "Airframe mass", " kg"},
     Same(ValueCell("E7"))},
    {Parameter{P::AirframeFrac, ctl::txtAirframeFrac, AllSetups, "Airframe fraction", "1 - (fat fraction + flight muscle fraction)",
      SLOT(AirframeFrac), nullptr, false, nullptr, 1, 0, {}, {}, "Airframe fraction", {}},
     Same(ValueCell("J7"))},
    {Parameter{P::FatProtHeight, ctl::txtFatProtHeight, AllSetups, "Energy height (km) fat+prot", {},
      [](const ProgramState& s, int) { return s.FuelEnergyHeight / 1000.0; }},
     {None, None, ValueCell("J17")}},
    {Parameter{P::FatHeight, ctl::txtFatHeight, AllSetups, "Energy height (km) fat only", "Click to show",
      [](const ProgramState& s, int) { return s.FatEnergyHeight / 1000.0; }, nullptr, false, nullptr, 1, 0, {}, {},
      "Fat energy height", " km"},
     {None, None, ValueCell("E17")}},
    {Parameter{P::Span, ctl::txtSpan, EnterAndSetups, "Wing span (m)", "Accurate measurement essential!", SLOT(Span), nullptr,
      false, nullptr, 0, 100, M::Span, {}, "Wing span", " m"},
     Same(MarkedCell("E10"))},
    {Parameter{P::Area, ctl::txtArea, EnterAndSetups, "Wing area (sq m)", "Automatic if wing span and aspect ratio supplied",
      SLOT(WingArea), nullptr, false, nullptr, 0, 100, M::WingArea, {}, "Wing area", " square m"},
     Same(MarkedCell("E11"))},
    {Parameter{P::AR, ctl::txtAR, EnterAndSetups, "Aspect ratio", "Automatic if wing span and wing area supplied",
      SLOT(AspectRatio), nullptr, false, nullptr, 0, 1000, M::AspectRatio, {}, "Aspect ratio", {}},
     Same(MarkedCell("E12"))},
    // A migration's workbook shows the density and altitude the run started at, in programmed runs.
    {Parameter{P::Rho, ctl::txtRho, EnterAndSetups, "Air density (kg/cu m)", "Double-click here to set density",
      HELD(AirDensity), nullptr, false, nullptr, 1, 0, M::AirDensity, {}, "Air density", " kg/cubic m"},
     {MarkedCell("E13"), MarkOnlyCell("E13"), MarkedCell("E13")}},
    {Parameter{P::Alt, ctl::txtAlt, EnterAndSetups, "Altitude (m) ASL",
      "Height above sea level in Standard Atmosphere (from density)\n"
      "Set zero to get Sea Level density in Standard Atmosphere",
      HELD(Altitude), nullptr, false, "0", 1, 0, M::Altitude, {}, "Density altitude in Std Atmosphere", " m"},
     {MarkedCell("E14"), MarkOnlyCell("E14"), MarkedCell("E14")}},
    {Parameter{P::AltCruise, ctl::txtAltCruise, OnSetupMigrate, "Cruise altitude (m ASL)", {}, HELD(Migration.CruiseAlt), nullptr, false,
      "0", 1, 0, M::CruiseAltitude},
     {None, MarkOnlyCell("J15"), None}},
    {Parameter{P::RhoCruise, ctl::txtRhoCruise, OnSetupMigrate, "Cruise air density (kg/cu m)", {}, HELD(Migration.CruiseDensity), nullptr,
      false, nullptr, 1, 0, M::CruiseDensity},
     {None, MarkOnlyCell("J14"), None}},
    {Parameter{P::GoalDist, ctl::txtGoalDist, OnSetupMigrate, "Distance to destination (km)", {}, HELD(GoalDist),
      STORE_HELD(GoalDist), false, nullptr, 0, 40000, M::GoalDist},
     {None, MarkOnlyCell("J23"), None}},
    {Parameter{P::Sbody, ctl::txtSbody, AllSetups, "Body frontal area (sq m)", "Calculated from body mass", SLOT(Sbody), nullptr,
      false, nullptr, 0, 100, M::Sbody, {}, "Body frontal area", " square m"},
     {ValueCell("E15"), MarkedCell("E15"), ValueCell("E18")}},
    {Parameter{P::FrontalAreaFactor, ctl::txtFrontalAreaFactor, AllSetups, "Frontal Area Factor", {}, HELD(FrontalAreaFactor),
      nullptr, false, nullptr, 0, 1000, M::FrontalAreaFactor},
     {MarkedCell("J15"), MarkOnlyCell("E15"), MarkedCell("J18")}},
    {Parameter{P::Cdb, ctl::txtCdb, AllSetups, "Body drag coefficient", {}, SLOT(Cdb), nullptr, false, nullptr, 0, 100, M::Cdb,
      {}, "Body drag coefficient", {}},
     {MarkedCell("E16"), MarkedCell("E16"), MarkedCell("J10")}},
    {Parameter{P::PayDragFactor, ctl::txtPayDragFactor, AllSetups, "Payload drag factor", {}, HELD(PayDragFactor), nullptr, false,
      nullptr, 0, 1000, M::PayDragFactor},
     {MarkedCell("E17"), MarkedCell("E17"), MarkedCell("J9")}},
    {Parameter{P::Gravity, ctl::txtGravity, OnSetupFlap | OnSetupGlide | OnSettingsMigr, "Gravity (m/s-sq)", {}, ENTRY(Gravity),
      [](ProgramState& s, int, double v) { s.slot(ModeEnterBird).Gravity = f32(v); }, false, nullptr, 0.01, 1000,
      M::Gravity, {}, "Acceleration due to gravity", " m/sec-squared"},
     {MarkedCell("J9"), MarkedCell("J25"), MarkedCell("J15")}},
    // The workbook's power fraction is that of the flight style, 1 for continuous flapping.
    {Parameter{P::PowerFrac, ctl::txtPowerFrac, FlapAndMigrate, "Power fraction:",
      "Ratio duration of flapping phase to duration of bound cycle", nullptr, nullptr, false, nullptr, 1, 0,
      M::PowerFrac},
     {MarkOnlyCell("J17"), MarkOnlyCell("J17"), None}},
    {Parameter{P::Kflap, ctl::txtKflap, FlapAndSettings, "Induced power factor", "See Power Curve Help Screen", HELD(Kflap),
      STORE_HELD(Kflap), false, nullptr, 0, 1000, M::Kflap, {}, "Induced power factor", {}},
     {MarkedCell("J10"), MarkedCell("J9"), None}},
    {Parameter{P::Cprof, ctl::txtCprof, FlapAndSettings, "Profile power constant", "See Power Curve Help Screen", HELD(Cprof),
      nullptr, false, nullptr, 0, 1000, M::Cprof, {}, "Profile power constant", {}},
     {MarkedCell("J11"), MarkedCell("J10"), None}},
    {Parameter{P::X1, ctl::txtX1, FlapAndSettings, "Profile power ratio", "See Power Curve Help Screen", HELD(X1), STORE_HELD(X1),
      false, nullptr, 0, 1000, M::X1, {}, "Profile power ratio", {}},
     {MarkedCell("J12"), MarkedCell("J11"), None}},
    {Parameter{P::Resp, ctl::txtResp, FlapAndSettings, "Respiration factor", "Metabolic cost of pumping heart and lungs",
      HELD(Resp), STORE_HELD(Resp), false, nullptr, 0, 1000, M::Resp, {}, "Respiration factor", {}},
     {MarkedCell("J13"), MarkedCell("J12"), None}},
    {Parameter{P::Eta, ctl::txtEta, FlapAndSettings, "Conversion efficiency",
      "Proportion of fuel energy converted to work by muscles", HELD(Eta), STORE_HELD(Eta), false, nullptr, 0.001, 1,
      M::Eta, {}, "Conversion efficiency", {}},
     {MarkedCell("J14"), MarkedCell("J13"), None}},
    {Parameter{P::Pbmr, ctl::txtPbmr, AllSetups, "Basal metabolic rate (W)",
      "Calculated from empty body mass - different for passerines and non-passerines", SLOT(Pbmr), nullptr, false,
      nullptr, 0, 1e6, M::Pbmr, {}, "Basal metabolic rate", " W"},
     {ValueCell("E18"), None, ValueCell("E19")}},
    {Parameter{P::PbmrFactor, ctl::txtPbmrFactor, AllSetups, "Basal metabolism factor", {}, HELD(PbmrFactor), nullptr, false,
      nullptr, 0, 1000, M::PbmrFactor},
     {MarkedCell("E19"), MarkedCell("J18"), MarkedCell("J19")}},
    {Parameter{P::Kmito, ctl::txtKmito, FlapAndSettings, "Mitochondria IPD (cu m/W)", "See \"Muscles as Engines\" Help Screen",
      HELD(Kmito), STORE_HELD(Kmito), false, nullptr, 0, 1, M::Kmito},
     {MarkedCell("E20"), MarkedCell("E18"), None}},
    {Parameter{P::SigmaMax, ctl::txtSigmaMax, FlapAndSettings, "Max isom stress (N/sq m)", {}, HELD(SigmaMax),
      STORE_HELD(SigmaMax), false, nullptr, 0, 1e12, M::SigmaMax, {}, "Max isometric stress in myofibrils",
      " N/sq m"},
     {MarkedCell("J19"), MarkedCell("E25"), None}},
    {Parameter{P::Lambda, ctl::txtLambda, FlapAndSettings, "Active strain", {}, HELD(Lambda), STORE_HELD(Lambda), false, nullptr,
      0, 1000, M::Lambda, {}, "Active strain in flight muscles", {}},
     {MarkedCell("J18"), MarkedCell("E26"), None}},
    {Parameter{P::WbeatFreq, ctl::txtWbeatFreq, FlapAndMigrate, "Wingbeat frequency (Hz)", {}, SLOT(WbeatFreq), nullptr, false,
      nullptr, 0, 1000, M::WbeatFreq},
     {}},
    {Parameter{P::FreqFactor, ctl::txtFreqFactor, FlapAndMigrate, "Wingbeat frequency factor", {}, HELD(FreqFactor), nullptr,
      false, nullptr, 0, 1000, M::WbeatFreq, {}, "Wingbeat frequency factor", {}},
     {MarkedCell("J20"), MarkedCell("J24"), None}},
    {Parameter{P::KGlide, ctl::txtKGlide, OnSetupGlide, "Induced drag factor", "Affects sink at low speeds", HELD(Kglide),
      STORE_HELD(Kglide), false, nullptr, 1, 0, M::Kglide, {}, "Induced drag factor", {}},
     {None, None, MarkedCell("J11")}},
    {Parameter{P::Cdw, ctl::txtCdw, OnSetupGlide, "Wing profile drag coeff", "See Glide Polar Help Screen", SLOT(Cdw),
      STORE_SLOT(Cdw), false, nullptr, 1, 0, M::Cdw, {}, "Wing profile drag coefficient", {}},
     {None, None, MarkedCell("J13")}},
    {Parameter{P::ClMax, ctl::txtClMax, OnSetupGlide, "Maximum lift coefficient", "Determines minimum gliding speed", HELD(ClMax),
      STORE_HELD(ClMax), false, nullptr, 1, 0, M::ClMax, {}, "Maximum lift coefficient", {}},
     {None, None, MarkedCell("J12")}},
    {Parameter{P::PlanformSlope, ctl::txtPlanformSlope, OnSetupGlide, "Planform slope", "See Glide Polar Help Screen",
      HELD(PlanformSlope), STORE_HELD(PlanformSlope), false, nullptr, 1, 0, M::PlanformSlope, {}, "Planform slope",
      {}},
     {None, None, MarkedCell("J14")}},
    // Shown and typed as a percentage of the body mass, held as a fraction.
    {Parameter{P::TonicMuscFrac, ctl::txtTonicMuscFrac, OnSetupGlide, "Tonic pectoralis mass (% body mass)", {},
      [](const ProgramState& s, int) { return 100.0 * s.Glide.TonicMuscFrac; },
      [](ProgramState& s, int, double v) { s.Glide.TonicMuscFrac = f32(v / 100); }, false, nullptr, 1, 0,
      M::TonicMuscFrac, {}, "Tonic pectoralis mass", "% body mass"},
     {None, None, MarkedCell("E16")}},
    // The span law's cell (D15) is a text; the mark colours the cell beside it.
    {Parameter{P::Bstop, ctl::txtBstop, OnSetupGlide, "Bstop", "See Glide Polar Help Screen", HELD(Bstop), nullptr, false, nullptr,
      1, 0, M::Bstop},
     {None, None, MarkOnlyCell("E15")}},
    {Parameter{P::MetSink, ctl::txtMetSink, OnSetupGlide, "Metabolic sink (m/s)", {}, HELD(Glide.MetSink), nullptr, false, nullptr, 1, 0,
      {}, {}, "Metablic sink (m/s)", " m/s"},
     {None, None, ValueCell("J16")}},
    {Parameter{P::Vratio, ctl::txtVratio, OnSetupMigrate, "Starting ratio V:Vmp", {}, HELD(Migration.Vratio), nullptr, false, nullptr, 1, 0,
      M::Vratio, {}, "Starting ratio air speed to Vmp", {}},
     {None, MarkOnlyCell("J20"), None}},
    {Parameter{P::VratioGPS, ctl::txtVratioGPS, OnSetupMigrate, "Min V:Vmp ratio GPS", {}, HELD(Migration.VratioGPS), nullptr, false,
      nullptr, 1, 0, M::VratioGPS},
     {}},
    {Parameter{P::VmrRatio, ctl::txtVmrRatio, OnSetupMigrate, "Click to see ratio Vmr:Vmp", {}, HELD(Migration.Mig.VmrRatio)}, {}},
    {Parameter{P::Efat, ctl::txtEfat, OnSettingsMigr, "Fat energy density (J/kg)", {}, HELD(Efat), nullptr, false, nullptr, 1,
      1e12, M::Efat, {}, "Fat energy density", " J/kg"},
     {None, MarkedCell("E19"), None}},
    // 0 with no fat share would leave the mixed fuel density 0 / 0.
    {Parameter{P::Eprotein, ctl::txtEprotein, OnSettingsMigr, "Dry protein energy density (J/kg)", {}, HELD(Eprotein), nullptr,
      false, nullptr, 1, 1e12, M::Eprotein, {}, "Dry protein energy density", " J/kg"},
     {None, MarkedCell("E20"), None}},
    {Parameter{P::ProtHydr, ctl::txtProtHydr, OnSettingsMigr, "Protein hydration ratio", {}, HELD(ProtHydr), nullptr, false,
      nullptr, 0, 1000, M::ProtHydr, {}, "Protein hydration ratio", {}},
     {None, MarkedCell("E21"), None}},
    // Shown and typed as a percentage, held as a fraction.
    {Parameter{P::ProtFracTarget, ctl::txtProtFracTarget, OnSettingsMigr, "Min energy from protein (%)", {},
      [](const ProgramState& s, int) { return 100.0 * s.ProtFracTarget; }, nullptr, false, nullptr, 0, 100,
      M::ProtFracTarget, {}, "Minimum energy taken from protein", " %"},
     {None, MarkedCell("E22"), None}},
    {Parameter{P::Emixed, ctl::txtEmixed, OnSettingsMigr, "Mixed fuel energy density (J/kg)", {}, HELD(Efuel)}, {}},
    {Parameter{P::VclimbThreshold, ctl::txtVclimbThreshold, OnSettingsMigr, "Rate of climb threshold (m/s)", {},
      HELD(Migration.VclimbThreshold), [](ProgramState& s, int, double v) { s.Migration.VclimbThreshold = v; },
      true, nullptr, 0, 1000, M::VclimbThreshold, {}, "Rate of climb threshold", " m/s"},
     {None, MarkOnlyCell("J26"), None}},  // written in runs that climb
    // Below 0.02 hours the start check has its own message; past 600 hours the tables hold one row.
    {Parameter{P::OutputInt, ctl::txtOutputInt, OnSettingsMigr, "Output interval (hours)", {}, HELD(Migration.OutputInterval),
      STORE_HELD(Migration.OutputInterval), false, nullptr, NoLowerBound, 1e6, M::OutputInterval},
     {None, MarkedCell("J22"), None}},
    {Parameter{P::OutDrive, ctl::txtOutDrive, OnEnterBird, "Output drive", {}}, {}},
    {Parameter{P::OutPath, ctl::txtOutPath, OnEnterBird, "Last output file", {}}, {}},
};

#undef SLOT
#undef ENTRY
#undef HELD
#undef STORE_SLOT
#undef STORE_HELD

constexpr std::uint8_t OnEnter = OnEnterBird;
const Choice ChoiceRows[] = {
    {ctl::optPass, OnEnter}, {ctl::optNonPass, OnEnter}, {ctl::optMF, OnEnter}, {ctl::optMale, OnEnter},
    {ctl::optFemale, OnEnter}, {ctl::optSexUnknown, OnEnter}, {ctl::optAdult, OnEnter}, {ctl::optImm, OnEnter},
    {ctl::optAgeUnknown, OnEnter},
    {ctl::optFlap, FlapAndMigrate}, {ctl::optFG, FlapAndMigrate}, {ctl::optBound, FlapAndMigrate},
    {ctl::optLinear, OnSetupGlide}, {ctl::optMinDrag, OnSetupGlide},
    {ctl::optVratioConst, OnSetupMigrate}, {ctl::optVconst, OnSetupMigrate}, {ctl::optMaxRange, OnSetupMigrate},
    {ctl::optSpWorkConst, OnSetupMigrate}, {ctl::optSpPowerConst, OnSetupMigrate},
    {ctl::optMuscleMassConst, OnSetupMigrate},
    {ctl::optGPS, OnSetupMigrate}, {ctl::optProj, OnSetupMigrate},
    {ctl::chkKMLfile, OnSetupMigrate}, {ctl::chkProgress, OnSetupMigrate},
    {ctl::optMitoFracConst, OnSettingsMigr}, {ctl::optPdensityConst, OnSettingsMigr},
};

// Fields that show a derived value and take no typing, on the screens that say so.
constexpr std::pair<Param, std::uint8_t> ReadOnly[] = {
    {P::Taxon, AllSetups},        {P::CropFrac, AllSetups},      {P::AllUpMass, AllSetups},
    {P::AirframeMass, AllSetups}, {P::AirframeFrac, AllSetups},  {P::FatProtHeight, AllSetups},
    {P::FatHeight, AllSetups},    {P::Sbody, OnSetupGlide},      {P::Pbmr, OnSetupGlide},
    {P::MetSink, OnSetupGlide},   {P::VmrRatio, OnSetupMigrate}, {P::Emixed, OnSettingsMigr},
};

// The rows in Param order, checked once.
const std::span<const Row> checkedRows() {
    static const bool inOrder = [] {
        for (std::size_t i = 0; i < std::size(Rows); ++i)
            if (static_cast<std::size_t>(Rows[i].id) != i) return false;
        return std::size(Rows) == static_cast<std::size_t>(Param::Count);
    }();
    if (!inOrder) throw std::logic_error("the parameter table is not in Param order");
    return Rows;
}

}  // namespace

std::span<const Parameter> Parameters() {
    static const std::vector<Parameter> all = [] {
        std::vector<Parameter> rows(checkedRows().begin(), checkedRows().end());
        for (const auto& [p, screens] : ReadOnly) rows[static_cast<std::size_t>(p)].readOnlyOn = screens;
        return rows;
    }();
    return all;
}

std::string_view ControlOf(Param p) { return ParameterOf(p).control; }

const Parameter& ParameterOf(Param p) { return Parameters()[static_cast<std::size_t>(p)]; }

const Parameter* FindParameter(std::string_view control) {
    for (const Parameter& p : Parameters())
        if (p.control == control) return &p;
    return nullptr;
}

const Parameter* FieldOn(std::uint8_t screen, std::string_view control) {
    const Parameter* p = FindParameter(control);
    return p && (p->screens & screen) ? p : nullptr;
}

std::optional<Mark> MarkOn(std::uint8_t screen, std::string_view control) {
    const Parameter* p = FieldOn(screen, control);
    if (!p || (p->readOnlyOn & screen)) return std::nullopt;
    return p->mark;
}

std::span<const Choice> Choices() { return ChoiceRows; }

bool ScreenHasControl(std::uint8_t screen, std::string_view control) {
    if (const Parameter* p = FindParameter(control)) return (p->screens & screen) != 0;
    for (const Choice& c : ChoiceRows)
        if (c.control == control) return (c.screens & screen) != 0;
    return false;
}

}  // namespace ornivo
