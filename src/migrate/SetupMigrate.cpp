#include "migrate/SetupMigrate.h"

#include <cfloat>
#include <cmath>
#include <map>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerModel.h"
#include "flap/SetupFlap.h"
#include "migrate/GpsRun.h"
#include "state/Derived.h"
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

// Marks set by a click into a setup screen field.
const std::map<std::string, Mark>& setupMarks() {
    static const std::map<std::string, Mark> m = {
        {"txtEmptyMass", Mark::EmptyMass}, {"txtMuscleMass", Mark::MuscleMass}, {"txtFatMass", Mark::FatMass},
        {"txtCropMass", Mark::CropMass}, {"txtSpan", Mark::Span}, {"txtArea", Mark::WingArea},
        {"txtAR", Mark::AspectRatio}, {"txtRho", Mark::AirDensity}, {"txtAlt", Mark::Altitude},
        {"txtRhoCruise", Mark::CruiseDensity}, {"txtAltCruise", Mark::CruiseAltitude},
        {"txtSbody", Mark::Sbody}, {"txtFrontalAreaFactor", Mark::FrontalAreaFactor}, {"txtCdb", Mark::Cdb},
        {"txtPayDragFactor", Mark::PayDragFactor}, {"txtMuscleFrac", Mark::MuscleFrac},
        {"txtFatFrac", Mark::FatFrac}, {"txtPbmr", Mark::Pbmr}, {"txtPbmrFactor", Mark::PbmrFactor},
        {"txtWbeatFreq", Mark::WbeatFreq}, {"txtFreqFactor", Mark::WbeatFreq}, {"txtPowerFrac", Mark::PowerFrac},
        {"txtVratio", Mark::Vratio}, {"txtVratioGPS", Mark::VratioGPS}, {"txtGoalDist", Mark::GoalDist},
    };
    return m;
}

// Marks set by a click into a settings screen field.
const std::map<std::string, Mark>& settingsMarks() {
    static const std::map<std::string, Mark> m = {
        {"txtSigmaMax", Mark::SigmaMax}, {"txtLambda", Mark::Lambda}, {"txtCprof", Mark::Cprof},
        {"txtX1", Mark::X1}, {"txtGravity", Mark::Gravity}, {"txtKflap", Mark::Kflap}, {"txtResp", Mark::Resp},
        {"txtEta", Mark::Eta}, {"txtKmito", Mark::Kmito}, {"txtOutputInt", Mark::OutputInterval},
        {"txtEfat", Mark::Efat}, {"txtEprotein", Mark::Eprotein}, {"txtProtHydr", Mark::ProtHydr},
        {"txtProtFracTarget", Mark::ProtFracTarget}, {"txtVclimbThreshold", Mark::VclimbThreshold},
    };
    return m;
}

void setCruiseEnabled(ScreenUpdate& u, bool on) {
    for (const char* c : {"lblAltCruise", "lblRhoCruise", "txtAltCruise", "txtRhoCruise"}) u.setEnabled(c, on);
}

void setGpsControls(ScreenUpdate& u, bool gps) {
    u.setEnabled("chkProgress", gps);
    u.setEnabled("chkKMLfile", gps);
    for (const char* c : {"lblRho", "txtRho", "lblAlt", "txtAlt", "lblAltCruise", "lblRhoCruise", "txtAltCruise",
                          "txtRhoCruise", "lblGoalDist", "txtGoalDist", "fraSpeedControl", "optVratioConst",
                          "optVconst", "optMaxRange"})
        u.setEnabled(c, !gps);
}

// The mixed fuel energy density from the typed protein values, and the energy heights.
void fuelChanged(ProgramState& s, ScreenUpdate& u) {
    const double ew = double(s.Eprotein) / (1 + double(s.ProtHydr)), ef = s.Efat, p = s.ProtFracTarget;
    s.Efuel = f32(ew * ef / (p * ef + (1 - p) * ew));
    u.show("txtEmixed", FormatScientific(s.Efuel));
    UpdateEnergyHeightConstants(s);
    UpdateEnergyHeights(s);
}

}  // namespace

ScreenUpdate LoadSetupMigrate(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    ClearEditMarks(s);
    s.CalcMode = ModeMigrate;
    u.show("txtSpName", s.SpName);
    u.show("txtShortName", s.ShortName);
    u.show("txtTaxon", s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
    if (s.FreqFactor == 0 || !s.KeepFactors) {
        s.FrontalAreaFactor = 1;
        s.PbmrFactor = 1;
        s.FreqFactor = 1;
    }
    s.Migration.ProjectedMode = true;
    s.Migration.StopMassReturn = false;
    const BirdParams& b0 = s.slot(0);
    BirdParams& b = s.slot(Slot);
    b.EmptyMass = b0.EmptyMass;
    u.showSig("txtEmptyMass", b.EmptyMass);
    b.CropMass = b0.CropMass;
    u.showSig("txtCropMass", b.CropMass);
    b.CropFrac = b0.CropFrac;
    u.showSig("txtCropFrac", b.CropFrac);
    u.showSig("txtPayDragFactor", s.PayDragFactor);
    b.AllUpMass = f32(AllUpMassOf(b));
    u.showSig("txtAllUpMass", b.AllUpMass);
    b.MuscleFrac = b0.MuscleFrac;
    b.MuscleMass = f32(double(b.MuscleFrac) * b.EmptyMass);
    u.showSig("txtMuscleFrac", b.MuscleFrac);
    u.showSig("txtMuscleMass", b.MuscleMass);
    b.FatFrac = b0.FatFrac;
    b.FatMass = f32(double(b.FatFrac) * b.EmptyMass);
    u.showSig("txtFatFrac", b.FatFrac);
    u.showSig("txtFatMass", b.FatMass);
    b.AirframeMass = f32(double(b.EmptyMass) - b.FatMass - b.MuscleMass);
    u.showSig("txtAirframeMass", b.AirframeMass);
    b.Span = b0.Span;
    u.showSig("txtSpan", b.Span);
    b.DiscArea = f32(s.Pi * b.Span * b.Span / 4);
    b.WingArea = b0.WingArea;
    u.showSig("txtArea", b.WingArea);
    b.MeanChord = f32(double(b.WingArea) / b.Span);
    b.AspectRatio = b0.AspectRatio;
    u.showSig("txtAR", b.AspectRatio);
    u.append(bird::UpdateBodyDrag(s));
    b.BodyDiameter = f32(0.102 * std::cbrt(double(b.AllUpMass)));
    b.Cdb = b0.Cdb;
    u.showSig("txtCdb", b.Cdb);
    bmrStep(s, u);
    s.slot(0).Pbmr = b.Pbmr;
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
    u.showSig("txtRho", s.AirDensity);
    u.show("txtAlt", FormatPattern(s.Altitude, "0"));
    b.PowerFracBound = b0.PowerFracBound;
    b.PowerFracFG = b0.PowerFracFG;
    b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
    s.Migration.Vratio = 1.2f;
    s.Migration.VratioGPS = 1;
    u.show("txtVratio", FormatSig(s.Migration.Vratio, 3));
    u.show("txtVratioGPS", FormatSig(s.Migration.VratioGPS, 3));
    s.Migration.SpeedControl = 3;
    s.Migration.VclimbThreshold = 0.02;
    u.show("txtGoalDist", PlainText(s.GoalDist));
    flap::WingbeatFrequency(s, Slot);
    s.slot(0).WbeatFreq = b.WbeatFreq;
    showFrequency(s, u);
    s.Migration.MitoControl = 2;
    LoadEnergyConstants(s);
    u.showSig("txtFatProtHeight", f32(double(s.FuelEnergyHeight) / 1000));
    s.Flap.MaxSpecificWork = f32(double(s.SigmaMax) * 0.3 * s.Lambda / s.MuscleDensity);
    s.ExistenceRatio = 3.0;
    u.append(bird::CheckAndDeriveMasses(s, d));
    s.Migration.TimeStep = 6;
    s.Migration.OutputInterval = 6;
    s.WorkbookUnsaved = 0;
    s.OutputCount = 0;
    s.OutFileName.clear();
    s.SigDigits = 3;
    // The screen opens with empty cruise fields, Standard speed control, specific work held, a
    // programmed run and continuous flapping selected.
    s.Migration.MigScreen = {};
    u.show("txtAltCruise", "");
    u.show("txtRhoCruise", "");
    u.setChecked("optMaxRange", true);
    u.setChecked("optSpWorkConst", true);
    u.setChecked("optProj", true);
    u.setChecked("optFlap", true);
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
    u.showSig("txtFatProtHeight", f32(double(s.FuelEnergyHeight) / 1000));
    return u;
}

ScreenUpdate LoadSetDefaultsMigr(ProgramState& s) {
    ScreenUpdate u;
    s.Migration.MigScreen.SettingsOpen = true;
    u.setChecked(s.Migration.MitoControl == 1 ? "optMitoFracConst" : "optPdensityConst", true);
    s.Efuel = MixedFuelEnergy(s);
    u.showSig("txtSigmaMax", s.SigmaMax);
    u.showSig("txtLambda", s.Lambda);
    u.showSig("txtCprof", s.Cprof);
    u.showSig("txtX1", s.X1);
    u.showSig("txtGravity", s.slot(0).Gravity);
    u.showSig("txtKflap", s.Kflap);
    u.showSig("txtResp", s.Resp);
    u.showSig("txtEta", s.Eta);
    u.show("txtKmito", FormatScientific(s.Kmito));
    u.showSig("txtOutputInt", s.Migration.OutputInterval);
    u.show("txtEfat", FormatScientific(s.Efat));
    u.show("txtEprotein", FormatScientific(s.Eprotein));
    u.showSig("txtProtHydr", s.ProtHydr);
    u.showSig("txtProtFracTarget", f32(double(s.ProtFracTarget) * 100));
    u.show("txtVclimbThreshold", FormatSig(f32(s.Migration.VclimbThreshold), 3));
    u.show("txtEmixed", FormatScientific(s.Efuel));
    return u;
}

ScreenUpdate SetDefaultsMigrEdit(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) {
        if (c == "optMitoFracConst" || c == "optPdensityConst") {
            s.Migration.MitoControl = c == "optMitoFracConst" ? 1 : 2;
            s.Marks.set(Mark::MitoControl);
        } else if (settingsMarks().count(c)) {
            s.Marks.set(settingsMarks().at(c));
        } else if (c != "cmdOK" && c != "cmdReturn") {
            throw UnknownControl("no control " + c + " that takes a click on the migration settings screen");
        }
        return u;
    }
    if (e.kind != Edit::Kind::Text) throw UnknownControl("no check box " + c + " on the migration settings screen");
    auto mark = settingsMarks().find(c);
    if (mark == settingsMarks().end())
        throw UnknownControl("no text field " + c + " on the migration settings screen");
    s.Marks.set(mark->second);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v)) {
        u.refused = true;
        return u;
    }
    if (c == "txtEfat" || c == "txtEprotein" || c == "txtProtHydr" || c == "txtProtFracTarget") {
        if (c == "txtEfat") s.Efat = fv;
        else if (c == "txtEprotein") s.Eprotein = fv;
        else if (c == "txtProtHydr") s.ProtHydr = fv;
        else s.ProtFracTarget = f32(v / 100);
        fuelChanged(s, u);
    } else if (c == "txtEta") {
        s.Eta = fv;
        UpdateEnergyHeightConstants(s);
        UpdateEnergyHeights(s);
    } else if (c == "txtGravity") {
        s.slot(0).Gravity = fv;
        UpdateEnergyHeightConstants(s);
    } else if (c == "txtCprof") {
        s.Cprof = fv;
        if (s.slot(Slot).AspectRatio > 0) {
            s.X1 = bird::ProfilePowerRatio(s.Cprof, s.slot(Slot).AspectRatio);
            u.showSig("txtX1", s.X1);
        }
    } else if (c == "txtX1") { s.X1 = fv;
    } else if (c == "txtKflap") { s.Kflap = fv;
    } else if (c == "txtKmito") { s.Kmito = fv;
    } else if (c == "txtResp") { s.Resp = fv;
    } else if (c == "txtSigmaMax") { s.SigmaMax = fv;
    } else if (c == "txtLambda") { s.Lambda = fv;
    } else if (c == "txtOutputInt") { s.Migration.OutputInterval = fv;
    } else if (c == "txtVclimbThreshold") { s.Migration.VclimbThreshold = v;
    }
    return u;
}

namespace {

// The rule of one control of the setup screen, as the screen's handler for it.
ScreenUpdate setupFieldRule(ProgramState& s, platform::Dialogs& d, const std::string& c, const Edit& e) {
    ScreenUpdate u;
    BirdParams& b = s.slot(Slot);
    if (e.kind == Edit::Kind::Check) {
        if (c == "chkKMLfile") s.Migration.MigScreen.KmlChecked = e.checked;
        else if (c == "chkProgress") s.Migration.MigScreen.ProgressChecked = e.checked;
        else throw UnknownControl("no check box " + c + " on the migration setup screen");
        return u;
    }
    if (e.kind == Edit::Kind::Click || e.kind == Edit::Kind::DoubleClick) {
        const bool dbl = e.kind == Edit::Kind::DoubleClick;
        if (c == "optFlap") {
            s.FlightStyle = 1;
            b.Gravity = s.slot(0).Gravity;
            HidePowerFraction(u);
            flap::ReferenceWingbeatFrequency(s, Slot);
            flap::WingbeatFrequency(s, Slot);
            showFrequency(s, u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "optFG") {
            s.FlightStyle = 2;
            b.Gravity = s.slot(0).Gravity;
            ShowPowerFraction(u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "optBound") {
            s.FlightStyle = 3;
            b.Gravity = f32(double(s.slot(0).Gravity) / b.PowerFracBound);
            ShowPowerFraction(u);
            s.Marks.set(Mark::FlightStyle);
        } else if (c == "optVratioConst" || c == "optVconst") {
            s.Migration.SpeedControl = c == "optVratioConst" ? 1 : 2;
            s.Migration.MigScreen.SpeedOption = s.Migration.SpeedControl;
            s.Marks.set(Mark::SpeedControl);
            setCruiseEnabled(u, false);
        } else if (c == "optMaxRange") {
            s.Migration.SpeedControl = 3;
            s.Migration.MigScreen.SpeedOption = 3;
            s.Marks.set(Mark::SpeedControl);
            setCruiseEnabled(u, true);
        } else if (c == "optSpWorkConst" || c == "optSpPowerConst" || c == "optMuscleMassConst") {
            s.Migration.MuscleControl = c == "optSpWorkConst" ? 1 : c == "optSpPowerConst" ? 2 : 3;
            s.Migration.MigScreen.MuscleOption = s.Migration.MuscleControl;
            s.Marks.set(Mark::MuscleControl);
        } else if (c == "optGPS") {
            s.Migration.MigScreen.ProjOption = false;
            setGpsControls(u, true);
        } else if (c == "optProj") {
            s.Migration.MigScreen.ProjOption = true;
            setGpsControls(u, false);
        } else if (c == "txtTaxon" && dbl) {
            s.TaxonGroup = s.TaxonGroup == 1 ? 2 : 1;
            u.show("txtTaxon", s.TaxonGroup == 1 ? "Passerine" : "Non-Passerine");
            bmrStep(s, u);
        } else if (c == "txtFatHeight") {
            u.showSig("txtFatHeight", f32(double(s.FatEnergyHeight) / 1000));
        } else if (c == "txtVmrRatio") {
            u.append(MigrationStart(s, d));
            u.showSig("txtVmrRatio", s.Migration.Mig.VmrRatio);
        } else if (setupMarks().count(c)) {
            // A click into a field marks it; double-clicks on txtRho and txtGoalDist open the air density
            // calculator and the goal distance screen, which are screens of their own.
            s.Marks.set(setupMarks().at(c));
        } else {
            throw UnknownControl("no control " + c + " that takes a click on the migration setup screen");
        }
        return u;
    }
    // Typing into a field: the click into it marks it, leaving it commits the text.
    if (auto it = setupMarks().find(c); it != setupMarks().end()) s.Marks.set(it->second);
    const double v = LeadingNumber(e.text);
    const float fv = f32(v);
    if (c == "txtMuscleFrac" && std::isfinite(v) && !(v > 0)) {
        // A migration burns its muscle's power: with no flight muscle no climb rate or speed exists.
        d.error({"The Flight muscle fraction must be more than 0 for a migration (at most 1)",
                 "Please enter a value in that range"});
        u.refused = true;
        return u;
    }
    if (bird::CommonFieldRule(s, d, c, v, e.text, bmrStep, u)) return u;
    if (c != "txtAltCruise" && c != "txtRhoCruise" && (!bird::FieldInRange(d, c, v) || !bird::UsableNumber(d, v))) {
        u.refused = true;
        return u;
    }
    if (c == "txtAlt") {
        auto rho = AltitudeFieldRule(s, d, v);
        if (rho) u.show("txtRho", *rho); else u.refused = true;
        if (rho) s.Marks.set(Mark::AirDensity);
    } else if (c == "txtRho") {
        const float rel = s.RelDensity;
        auto alt = DensityFieldRule(s, d, v, AltitudeShown::SetupScreen);
        s.RelDensity = rel;  // this screen's density rule leaves the density ratio as it was
        if (alt) u.show("txtAlt", *alt); else u.refused = true;
        if (alt) s.Marks.set(Mark::Altitude);
    } else if (c == "txtAltCruise") {
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
        u.show("txtRhoCruise", s.Migration.MigScreen.RhoCruiseText);
        s.Marks.set(Mark::CruiseDensity);
    } else if (c == "txtRhoCruise") {
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
        u.show("txtAltCruise", s.Migration.MigScreen.AltCruiseText);
        s.Migration.CruiseKinViscosity = KinViscosityAt(s.Migration.CruiseAlt);
        s.Marks.set(Mark::CruiseAltitude);
    } else if (c == "txtAR") {
        if (!bird::WingAreaFits(d, b.Span, v)) {
            u.refused = true;
            return u;
        }
        b.AspectRatio = fv;
        if (b.AspectRatio > 0) {  // a non-positive ratio is stored but derives nothing
            b.WingArea = f32(WingAreaOf(b.Span, b.AspectRatio));
            u.showSig("txtArea", b.WingArea);
            s.X1 = bird::ProfilePowerRatio(s.Cprof, b.AspectRatio);
        }
    } else if (c == "txtFreqFactor") {
        s.FreqFactor = fv;
        flap::WingbeatFrequency(s, Slot);
        showFrequency(s, u);
    } else if (c == "txtWbeatFreq") {
        if (s.slot(0).WbeatFreq > 0) s.FreqFactor = f32(v / s.slot(0).WbeatFreq);
        s.Marks.set(Mark::WbeatFreq);
        flap::WingbeatFrequency(s, Slot);
        showFrequency(s, u);
    } else if (c == "txtPbmrFactor") {
        s.PbmrFactor = fv;
        s.Marks.set(Mark::PbmrFactor);
        bmrStep(s, u);
    } else if (c == "txtPbmr") {
        if (s.slot(0).Pbmr > 0) s.PbmrFactor = f32(v / s.slot(0).Pbmr);
        bmrStep(s, u);
    } else if (c == "txtPowerFrac") {
        u.append(flap::PowerFractionRule(s, d, v));
    } else if (c == "txtGoalDist") {
        s.GoalDist = fv;
    } else if (c == "txtVratio") {
        if (v >= 1 && v <= 3) {
            s.Migration.Vratio = fv;
        } else {
            d.error({"Starting air speed must be between 1 and 3 times Vmp"});
            u.refused = true;
        }
    } else if (c == "txtVratioGPS") {
        if (v >= 1) {
            s.Migration.VratioGPS = fv;
        } else {
            d.error({"Air speed between GPS points must be at least Vmp"});
            u.refused = true;
        }
    } else {
        throw UnknownControl("no text field " + c + " on the migration setup screen");
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
