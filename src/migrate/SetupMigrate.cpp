#include "migrate/SetupMigrate.h"

#include <cfloat>
#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerModel.h"
#include "flap/SetupFlap.h"
#include "migrate/GpsRun.h"
#include "state/ControlNames.h"
#include "state/Derived.h"
#include "state/Parameters.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

const std::string SettingsPrefix = "frmSetDefaultsMigr.";

std::string PlainText(double x) {
    std::string t = SignedNumberText(x);
    if (!t.empty() && t[0] == ' ') t.erase(0, 1);
    return t;
}

void showFrequency(ProgramState& s, ScreenUpdate& u) { bird::ShowWingbeatFrequency(s, Slot, u); }
using bird::HidePowerFraction;
using bird::ShowPowerFraction;

void bmrStep(ProgramState& s, ScreenUpdate& u) {
    flap::BasalMetabolicRate(s, Slot);
    flap::ShowBmr(s, u);
}

void setCruiseEnabled(ScreenUpdate& u, bool on) {
    for (const char* c : {ctl::lblAltCruise, ctl::lblRhoCruise, ctl::txtAltCruise, ctl::txtRhoCruise})
        u.setEnabled(c, on);
}

void setGpsControls(ScreenUpdate& u, bool gps) {
    u.setEnabled(ctl::chkProgress, gps);
    u.setEnabled(ctl::chkKMLfile, gps);
    for (const char* c : {ctl::lblRho, ctl::txtRho, ctl::lblAlt, ctl::txtAlt, ctl::lblAltCruise, ctl::lblRhoCruise,
                          ctl::txtAltCruise, ctl::txtRhoCruise, ctl::lblGoalDist, ctl::txtGoalDist,
                          ctl::fraSpeedControl, ctl::optVratioConst, ctl::optVconst, ctl::optMaxRange})
        u.setEnabled(c, !gps);
}

// The mixed fuel energy density from the typed protein values, and the energy heights.
void fuelChanged(ProgramState& s, ScreenUpdate& u) {
    const double ew = double(s.Eprotein) / (1 + double(s.ProtHydr)), ef = s.Efat, p = s.ProtFracTarget;
    s.Efuel = f32(ew * ef / (p * ef + (1 - p) * ew));
    u.show(Param::Emixed, FormatScientific(s.Efuel));
    UpdateEnergyHeightConstants(s);
    UpdateEnergyHeights(s);
}

}  // namespace

ScreenUpdate LoadSetupMigrate(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    ClearEditMarks(s);
    s.CalcMode = ModeMigrate;
    bird::ShowNames(s, u);
    if (s.FreqFactor == 0 || !s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
        s.FreqFactor = 1;
    }
    s.Migration.ProjectedMode = true;
    s.Migration.StopMassReturn = false;
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    b.CropFrac = b0.CropFrac;  // this screen also takes the payload fraction as Enter Bird left it
    bird::LoadMasses(s, bird::FractionsOf::EmptyMass);
    bird::ShowFields(s, u,
                     {Param::EmptyMass, Param::CropMass, Param::CropFrac, Param::PayDragFactor, Param::AllUpMass,
                      Param::MuscleFrac, Param::MuscleMass, Param::FatFrac, Param::FatMass, Param::AirframeMass});
    bird::LoadWing(s, u);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    u.showSig(Param::Cdb, b.Cdb);
    bmrStep(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
    u.showSig(Param::Rho, s.AirDensity);
    u.show(Param::Alt, FormatPattern(s.Altitude, "0"));
    b.PowerFracBound = b0.PowerFracBound;
    b.PowerFracFG = b0.PowerFracFG;
    b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    s.Migration.Vratio = 1.2f;
    s.Migration.VratioGPS = 1;
    u.show(Param::Vratio, FormatSig(s.Migration.Vratio, 3));
    u.show(Param::VratioGPS, FormatSig(s.Migration.VratioGPS, 3));
    s.Migration.SpeedControl = 3;
    s.Migration.VclimbThreshold = 0.02;
    u.show(Param::GoalDist, PlainText(s.GoalDist));
    flap::WingbeatFrequency(s, Slot);
    s.slot(0).WbeatFreq = b.WbeatFreq;
    showFrequency(s, u);
    s.Migration.MitoControl = 2;
    LoadEnergyConstants(s);
    u.showSig(Param::FatProtHeight, f32(double(s.FuelEnergyHeight) / 1000));
    s.Flap.MaxSpecificWork = f32(double(s.SigmaMax) * 0.3 * s.Lambda / s.MuscleDensity);
    s.ExistenceRatio = 3.0;
    u.append(bird::CheckAndDeriveMasses(s, d));
    s.Migration.TimeStep = 6;
    s.Migration.OutputInterval = 6;
    bird::StartSetupOutput(s);
    // The screen opens with empty cruise fields, Standard speed control, specific work held, a
    // programmed run and continuous flapping selected.
    s.Migration.MigScreen = {};
    u.show(Param::AltCruise, "");
    u.show(Param::RhoCruise, "");
    u.setChecked(ctl::optMaxRange, true);
    u.setChecked(ctl::optSpWorkConst, true);
    u.setChecked(ctl::optProj, true);
    u.setChecked(ctl::optFlap, true);
    HidePowerFraction(u);
    setGpsControls(u, false);
    u.refused = false;  // a mass refusal during the load is a notice, not a failed load
    return u;
}

ScreenUpdate ActivateSetupMigrate(ProgramState& s) {
    ScreenUpdate u;
    s.CalcMode = ModeMigrate;
    s.Migration.StopMassReturn = false;  // the stopover mass calculator's BMR factor is taken up below
    // The tools and the settings screen may have changed what the boxes derive from (the BMR factor,
    // Eta, gravity, the fuel values).
    RefreshDerivedMigrate(s, u);
    u.showSig(Param::FatProtHeight, f32(double(s.FuelEnergyHeight) / 1000));
    return u;
}

ScreenUpdate LoadSetDefaultsMigr(ProgramState& s) {
    ScreenUpdate u;
    s.Migration.MigScreen.SettingsOpen = true;
    u.setChecked(s.Migration.MitoControl == 1 ? ctl::optMitoFracConst : ctl::optPdensityConst, true);
    s.Efuel = MixedFuelEnergy(s);
    using enum Param;
    bird::ShowFields(s, u, {SigmaMax, Lambda, Cprof, X1, Gravity, Kflap, Resp, Eta});
    u.show(Kmito, FormatScientific(s.Kmito));  // energies and the mitochondria value read best as powers of 10
    bird::ShowFields(s, u, {OutputInt});
    u.show(Efat, FormatScientific(s.Efat));
    u.show(Eprotein, FormatScientific(s.Eprotein));
    bird::ShowFields(s, u, {ProtHydr, ProtFracTarget, VclimbThreshold});
    u.show(Emixed, FormatScientific(s.Efuel));
    return u;
}

ScreenUpdate SetDefaultsMigrEdit(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) {
        if (c == ctl::optMitoFracConst || c == ctl::optPdensityConst) {
            s.Migration.MitoControl = c == ctl::optMitoFracConst ? 1 : 2;
            s.Marks.set(Mark::MitoControl);
        } else if (!bird::MarkField(s, OnSettingsMigr, c) && c != ctl::cmdOK && c != ctl::cmdReturn) {
            throw UnknownControl("no control " + c + " that takes a click on the migration settings screen");
        }
        return u;
    }
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the migration settings screen");
    const Parameter* field = FieldOn(OnSettingsMigr, c);
    if (!bird::MarkField(s, OnSettingsMigr, c))
        throw UnknownControl("no text field " + c + " on the migration settings screen");
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v)) {
        u.refused = true;
        return u;
    }
    switch (field->id) {
        case Param::Efat: s.Efat = fv; fuelChanged(s, u); break;
        case Param::Eprotein: s.Eprotein = fv; fuelChanged(s, u); break;
        case Param::ProtHydr: s.ProtHydr = fv; fuelChanged(s, u); break;
        case Param::ProtFracTarget: s.ProtFracTarget = f32(v / 100); fuelChanged(s, u); break;
        case Param::Eta:
            s.Eta = fv;
            UpdateEnergyHeightConstants(s);
            UpdateEnergyHeights(s);
            break;
        case Param::Gravity:
            s.slot(0).Gravity = fv;
            UpdateEnergyHeightConstants(s);
            break;
        case Param::Cprof:
            s.Cprof = fv;
            if (s.slot(Slot).AspectRatio > 0) {
                s.X1 = bird::ProfilePowerRatio(s.Cprof, s.slot(Slot).AspectRatio);
                u.showSig(Param::X1, s.X1);
            }
            break;
        default:
            // The constants whose rule is only to hold the typed value.
            if (field->store) field->store(s, Slot, v);
    }
    return u;
}

namespace {

// The rule of one control of the setup screen, as the screen's handler for it.
ScreenUpdate setupFieldRule(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    if (e.kind == Edit::Kind::Check) {
        if (c == ctl::chkKMLfile) s.Migration.MigScreen.KmlChecked = e.checked;
        else if (c == ctl::chkProgress) s.Migration.MigScreen.ProgressChecked = e.checked;
        else throw UnknownControl("no check box " + c + " on the migration setup screen");
        return u;
    }
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) {
        const bool dbl = e.kind == Edit::Kind::DoubleClick;
        if (const int style = flap::FlightStyleOfOption(c)) {
            u.append(flap::FlightStyleRule(s, Slot, style));
        } else if (c == ctl::optVratioConst || c == ctl::optVconst) {
            s.Migration.SpeedControl = c == ctl::optVratioConst ? 1 : 2;
            s.Migration.MigScreen.SpeedOption = s.Migration.SpeedControl;
            s.Marks.set(Mark::SpeedControl);
            setCruiseEnabled(u, false);
        } else if (c == ctl::optMaxRange) {
            s.Migration.SpeedControl = 3;
            s.Migration.MigScreen.SpeedOption = 3;
            s.Marks.set(Mark::SpeedControl);
            setCruiseEnabled(u, true);
        } else if (c == ctl::optSpWorkConst || c == ctl::optSpPowerConst || c == ctl::optMuscleMassConst) {
            s.Migration.MuscleControl = c == ctl::optSpWorkConst ? 1 : c == ctl::optSpPowerConst ? 2 : 3;
            s.Migration.MigScreen.MuscleOption = s.Migration.MuscleControl;
            s.Marks.set(Mark::MuscleControl);
        } else if (c == ctl::optGPS) {
            s.Migration.MigScreen.ProjOption = false;
            setGpsControls(u, true);
        } else if (c == ctl::optProj) {
            s.Migration.MigScreen.ProjOption = true;
            setGpsControls(u, false);
        } else if (bird::SharedClick(s, c, dbl, bmrStep, u)) {
        } else if (c == ctl::txtVmrRatio) {
            u.append(MigrationStart(s, d));
            u.showSig(Param::VmrRatio, s.Migration.Mig.VmrRatio);
        } else if (!bird::MarkField(s, OnSetupMigrate, c)) {
            // A click into a field marks it; double-clicks on txtRho and txtGoalDist open the air density
            // calculator and the goal distance screen, which are screens of their own.
            throw UnknownControl("no control " + c + " that takes a click on the migration setup screen");
        }
        return u;
    }
    // Typing into a field: the click into it marks it, leaving it commits the text.
    bird::MarkField(s, OnSetupMigrate, c);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    const Parameter* field = FieldOn(OnSetupMigrate, c);
    const Param id = field ? field->id : Param::Count;
    if (id == Param::MuscleFrac && std::isfinite(v) && !(v > 0)) {
        // A migration burns its muscle's power: with no flight muscle no climb rate or speed exists.
        d.error({"The Flight muscle fraction must be more than 0 for a migration (at most 1)",
                 "Please enter a value in that range"});
        u.refused = true;
        return u;
    }
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmrStep, u)) return u;
    // The cruise fields keep what was typed and have messages of their own.
    const bool cruise = id == Param::AltCruise || id == Param::RhoCruise;
    if (!cruise && (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v))) {
        u.refused = true;
        return u;
    }
    switch (id) {
            case Param::Alt:
                if (auto rho = AltitudeFieldRule(s, d, v)) {
                    u.show(Param::Rho, *rho);
                    s.Marks.set(Mark::AirDensity);
                } else {
                    u.refused = true;
                }
                break;
            case Param::Rho: {
                const float rel = s.RelDensity;
                auto alt = DensityFieldRule(s, d, v, AltitudeShown::SetupScreen);
                s.RelDensity = rel;  // this screen's density rule leaves the density ratio as it was
                if (alt) u.show(Param::Alt, *alt); else u.refused = true;
                if (alt) s.Marks.set(Mark::Altitude);
                break;
        }
        case Param::AltCruise:
            s.Migration.MigScreen.AltCruiseText = e.text;
            if (!AltitudeInAtmosphere(v)) {
                d.error(AltitudeOutOfRangeMessage());
                u.refused = true;
                return u;
            }
            s.Migration.CruiseAlt = fv;
            s.Migration.CruiseKinViscosity = KinViscosityAt(s.Migration.CruiseAlt);
            s.RelDensity = StdDensityRatio(s.Migration.CruiseAlt);
            s.Migration.CruiseDensity = f32(1.225 * double(s.RelDensity));
            s.Migration.MigScreen.RhoCruiseText = FormatSig(s.Migration.CruiseDensity, 4);
            u.show(Param::RhoCruise, s.Migration.MigScreen.RhoCruiseText);
            s.Marks.set(Mark::CruiseDensity);
            break;
        case Param::RhoCruise:
            s.Migration.MigScreen.RhoCruiseText = e.text;
            if (!(v <= FLT_MAX)) {  // a single holds the density
                d.error(DensityTooLargeMessage());
                u.refused = true;
                return u;
            }
            if (!(v >= 0)) {
                d.error(NegativeDensityMessage());
                u.refused = true;
                return u;
            }
            s.Migration.CruiseDensity = fv;
            s.Migration.CruiseAlt = AltitudeFromDensity(s.Migration.CruiseDensity);
            s.Migration.MigScreen.AltCruiseText = FormatPattern(s.Migration.CruiseAlt, "0");
            u.show(Param::AltCruise, s.Migration.MigScreen.AltCruiseText);
            s.Migration.CruiseKinViscosity = KinViscosityAt(s.Migration.CruiseAlt);
            s.Marks.set(Mark::CruiseAltitude);
            break;
        case Param::AR:
            if (!bird::AspectRatioRule(s, d, v, u)) return u;
            break;
        case Param::FreqFactor:
        case Param::WbeatFreq:
            u.append(flap::WingbeatRule(s, Slot, id, v));
            break;
        case Param::PbmrFactor:
            s.PbmrFactor = fv;
            s.Marks.set(Mark::PbmrFactor);
            bmrStep(s, u);
            break;
        case Param::Pbmr:
            if (s.slot(0).Pbmr > 0) s.PbmrFactor = f32(v / s.slot(0).Pbmr);
            bmrStep(s, u);
            break;
        case Param::PowerFrac: u.append(flap::PowerFractionRule(s, d, v)); break;
        case Param::Vratio:
            if (v >= 1 && v <= 3) {
                s.Migration.Vratio = fv;
            } else {
                d.error({"Starting air speed must be between 1 and 3 times Vmp"});
                u.refused = true;
            }
            break;
        case Param::VratioGPS:
            if (v >= 1) {
                s.Migration.VratioGPS = fv;
            } else {
                d.error({"Air speed between GPS points must be at least Vmp"});
                u.refused = true;
            }
            break;
        default:
            // The settings whose rule is only to hold the typed value (the goal distance).
            if (!field || !field->store) throw UnknownControl("no text field " + c + " on the migration setup screen");
            field->store(s, Slot, v);
    }
    return u;
}

}  // namespace

void RefreshDerivedMigrate(ProgramState& s, ScreenUpdate& u) {
    bmrStep(s, u);
    flap::WingbeatFrequency(s, Slot);
    showFrequency(s, u);
}

ScreenUpdate SetupMigrateEdit(ProgramState& s, platform::Dialogs& d, const std::string& control, const Edit& e) {
    if (control.rfind(SettingsPrefix, 0) == 0) {
        ScreenUpdate u;
        if (!s.Migration.MigScreen.SettingsOpen) u.append(LoadSetDefaultsMigr(s));
        u.append(SetDefaultsMigrEdit(s, d, control.substr(SettingsPrefix.size()), e));
        return u;
    }
    s.Migration.MigScreen.SettingsOpen = false;  // back on the setup screen: "Return to Migration Setup"
    ScreenUpdate u = setupFieldRule(s, d, control, e);
    if (bird::ChangesInputs(control, e)) RefreshDerivedMigrate(s, u);
    return u;
}

std::vector<std::string> OutputIntervalMessage() {
    return {"The output interval must be at least 0.02 hours:",
            "the output tables hold rows for 600 hours of flight"};
}

StartOutcome StartMigrating(ProgramState& s, platform::Dialogs& d) {
    s.CalcMode = ModeMigrate;
    if (!(s.slot(Slot).FatMass > 0)) {
        d.error({"You need some fat before migrating"});
        return StartOutcome::Refused;
    }
    if (!(s.AirDensity > 0)) {
        d.error({"You need to set Air density or Altitude"});
        return StartOutcome::Refused;
    }
    // The mass limits' messages do not stop a migration, but masses a refused field left as typed
    // can leave no airframe at all, and a body of fuel alone gives no numbers to fly with.
    if (const BirdParams& b = s.slot(Slot); !(double(b.EmptyMass) - b.FatMass - b.MuscleMass > 0)) {
        d.error({"That won't do. Sum of muscle + fat mass must be less than the Body mass",
                 "(a migration needs an airframe mass of more than 0 kg)"});
        return StartOutcome::Refused;
    }
    if (!(s.slot(Slot).MuscleMass > 0)) {  // from a stored bird with no flight muscle
        d.error({"The Flight muscle fraction must be more than 0 for a migration (at most 1)"});
        return StartOutcome::Refused;
    }
    // The tables hold 600 hours at the output interval: 0 or a tiny interval cannot size them.
    const double rows = std::floor(600.0 / double(s.Migration.OutputInterval));
    if (!(s.Migration.OutputInterval > 0) || !(rows <= 32767)) {
        d.error(OutputIntervalMessage());
        return StartOutcome::Refused;
    }
    const bool cruiseTyped = !s.Migration.MigScreen.AltCruiseText.empty();
    if (cruiseTyped && !AltitudeInAtmosphere(LeadingNumber(s.Migration.MigScreen.AltCruiseText))) {
        d.error(AltitudeOutOfRangeMessage());
        return StartOutcome::Refused;
    }
    // The cruising density is read from its field's text, which keeps what was typed even when
    // the field refused it.
    if (!s.Migration.MigScreen.RhoCruiseText.empty()) {
        const double rho = LeadingNumber(s.Migration.MigScreen.RhoCruiseText);
        if (!(rho <= FLT_MAX) || !(rho >= 0)) {
            d.error(rho >= 0 ? DensityTooLargeMessage() : NegativeDensityMessage());
            return StartOutcome::Refused;
        }
    }
    SaveLastBird(s);
    s.Migration.MaxRow = static_cast<int16_t>(rows);
    CreateOutputTables(s);
    s.Migration.SpeedControl = s.Migration.MigScreen.SpeedOption;
    s.Migration.CruiseDensity = s.Migration.MigScreen.RhoCruiseText.empty() ? s.AirDensity
                                                        : f32(LeadingNumber(s.Migration.MigScreen.RhoCruiseText));
    s.Migration.CruiseAlt = cruiseTyped ? f32(LeadingNumber(s.Migration.MigScreen.AltCruiseText)) : s.Altitude;
    s.Migration.ClimbFlag = cruiseTyped && s.Migration.CruiseAlt > s.Altitude;
    s.Migration.MuscleControl = s.Migration.MigScreen.MuscleOption == 1 ? 1 : s.Migration.MigScreen.MuscleOption == 2 ? 2 : 3;
    s.Migration.TrackEnded = false;
    StartOutcome out;
    if (s.Migration.MigScreen.ProjOption) {
        s.Migration.GpsMode = false;
        s.Migration.ProjectedMode = true;
        switch (MigrationRun(s, d)) {
            case RunOutcome::Finished: out = StartOutcome::Finished; break;
            case RunOutcome::CannotClimb: out = StartOutcome::CannotClimb; break;
            default: out = StartOutcome::Failed; break;
        }
    } else {
        s.Migration.GpsMode = true;
        s.Migration.ProjectedMode = false;
        out = StartGpsRun(s, d);
    }
    s.KeepFactors = false;
    return out;
}

}  // namespace ornivo::migrate
