#include "migrate/MigrationEngine.h"

#include <cmath>

#include "atmosphere/Atmosphere.h"
#include "bird/SetupCommon.h"
#include "flap/PowerModel.h"
#include "state/ControlNames.h"
#include "state/Single.h"
#include "state/StateOps.h"
#include "state/numtext.h"

namespace ornivo::migrate {
namespace {

double g0(const ProgramState& s) { return s.slot(0).Gravity; }

// The run needed an output row beyond the tables: it ends there.
struct RowsEnd {};

void checkFinite(float v, const char* what) {
    if (!std::isfinite(v))
        throw MigrationError(std::string("The migration cannot go on: the ") + what +
                             " has no value (check the masses, wing and air density)");
}

// Flight hours on a multiple of the output interval: sets Row and returns true.
bool OutputTime(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    const float q = f32(double(m.HoursFlown) / s.Migration.OutputInterval);
    const double nearest = RoundHalfEven(q);
    if (nearest > 32767 || nearest < -32768) return false;
    const float diff = f32(double(q) - nearest);
    if (!(std::fabs(double(diff)) < 0.0001)) return false;
    m.Row = CInt(q);
    return true;
}

void RecordRowOrEnd(ProgramState& s) {
    if (!RecordRow(s)) throw RowsEnd{};
}

void RecordStateAndRowOrEnd(ProgramState& s) {
    if (!RecordState(s)) throw RowsEnd{};
    RecordRowOrEnd(s);
}

void SetRow(MigrationTable& t, int row, const std::array<float, TableColumns>& v) {
    std::copy(v.begin(), v.end(), t[row].begin());
}

bool EnsureRow(ProgramState& s, int row) {
    if (row < 0) return false;
    if (row < static_cast<int>(s.Migration.TravelTable.size())) return true;
    if (!s.Migration.GpsMode) return false;
    // A GPS run needs one row per track point and stop: its tables grow with the run.
    const std::size_t n = static_cast<std::size_t>(row) + 1;
    for (MigrationTable* t : {&s.Migration.TravelTable, &s.Migration.PowerTable, &s.Migration.FuelTable, &s.Migration.GpsTable})
        if (t->size() < n) t->resize(n);
    return true;
}

}  // namespace

float MigPowerFraction(const ProgramState& s) { return flap::StylePowerFraction(s, Slot); }

float FlightPower(const ProgramState& s) { return s.Migration.Plevel; }

void MigFindVmp(ProgramState& s) {
    MigrationState& mg = s.Migration.Mig;
    // The two factors of the start estimate's divisor stand the other way round in the migration's own
    // formula; a product of two doubles does not depend on their order.
    const auto settled = flap::SettleVmp(s, s.slot(Slot), mg.AllUpMass, mg.BodyDragArea);
    if (!settled)
        throw MigrationError("The minimum power speed of the migrating bird could not be found "
                             "(the iteration did not settle); check the masses, wing and air density");
    mg.Vmp = *settled;
}

void MigFindVmr(ProgramState& s) {
    MigrationState& mg = s.Migration.Mig;
    const BirdParams& b = s.slot(Slot);
    const double m = mg.AllUpMass, g = g0(s);
    const float d = f32(double(s.Kflap) * m * m * g * g);
    const float f = f32(double(s.AirDensity) * b.DiscArea);
    const float h = f32(double(s.AirDensity) * mg.BodyDragArea);
    const float R = f32(double(s.Resp) / s.Eta);
    const double P = s.Flap.Ppro, E = b.EtaPbmr;
    const float V = f32(1.5 * double(mg.Vmp));
    const auto settled = flap::SettleSpeed(V, [&](double v) {
        const float F = f32((double(h) * v - d / (f * v * v * v) - P / (v * v) - E / (v * v)) * R);
        const float dF = f32((double(h) + 3 * double(d) / (f * v * v * v * v) + 2 * P / (v * v * v) +
                              2 * E / (v * v * v)) * R);
        return f32(v - double(F) / dF);
    });
    if (!settled)
        throw MigrationError("The maximum range speed of the migrating bird could not be found "
                             "(the iteration did not settle); check the masses, wing and air density");
    mg.Vmr = *settled;
}

void MigPowerAtSpeed(ProgramState& s, float V) {
    const MigrationState& mg = s.Migration.Mig;
    const BirdParams& b = s.slot(Slot);
    const double m = mg.AllUpMass, g = g0(s), g2 = b.Gravity, Sd = b.DiscArea, rho = s.AirDensity;
    const double v = V, k = s.Kflap;
    float Pflap;
    if (s.FlightStyle == 3) Pflap = f32((k * (m * g2) * (m * g2) / (2 * rho * Sd * v) + s.Flap.Ppro) * b.PowerFracBound);
    else Pflap = f32(k * (m * g) * (m * g) / (2 * rho * Sd * v) + s.Flap.Ppro);
    const double drag = rho * v * v * v * mg.BodyDragArea / 2;
    s.Migration.Plevel = f32(drag + Pflap);
    s.Flap.Pmech = f32(drag + Pflap + m * mg.ClimbRateInPower * g);
    // A descent steeper than the level-flight power can absorb is a glide: the surplus is lost to drag,
    // it never turns into fuel. The effective lift:drag ratio keeps its last value while gliding.
    if (s.Flap.Pmech < 0) s.Flap.Pmech = 0;
    if (s.Flap.Pmech > 0) s.Flap.EffLD = f32(m * g * v / s.Flap.Pmech);
    s.Flap.Pchem = f32((double(s.Flap.Pmech) + b.EtaPbmr) * s.Resp / s.Eta);
    s.Flap.EffLDChem = f32(m * g * v / (double(s.Flap.Pchem) * s.Eta));
}

void MuscleStateInit(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    const double P = s.Flap.Pmech, q = MigPowerFraction(s);
    m.MitoFracTarget = f32(double(s.MuscleDensity) * (P / m.MuscleMass) * s.Kmito);
    m.MitoFrac = m.MitoFracTarget;
    m.MitoMass = f32(double(m.MitoFrac) * m.MuscleMass);
    m.MitoMassPrev = m.MitoMass;
    m.MyofibrilMassConst = f32((1 - double(m.MitoFrac)) * m.MuscleMass);
    m.MyofibrilMass = m.MyofibrilMassConst;
    m.SpecificWorkTarget = f32(P / (double(m.MyofibrilMassConst) * m.WbeatFreq0 * q));
    m.SpecificWork = m.SpecificWorkTarget;
    m.MyoSpecificPowerTarget = f32(P / m.MyofibrilMassConst);
    m.MyoSpecificPower = m.MyoSpecificPowerTarget;
}

void MuscleState(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    const double Pf = FlightPower(s), q = MigPowerFraction(s);
    m.MuscleSpecificPower = f32(Pf / m.MuscleMass);
    if (s.Migration.MitoControl == 2) {
        m.MitoFrac = f32(double(s.MuscleDensity) * m.MuscleSpecificPower * s.Kmito);
        m.MitoMass = f32(double(m.MuscleMass) * m.MitoFrac);
    }
    m.MyofibrilMass = s.Migration.MuscleControl == 3 ? m.MyofibrilMassConst : f32((1 - double(m.MitoFrac)) * m.MuscleMass);
    m.SpecificWork = f32(Pf / (double(m.MyofibrilMass) * m.WbeatFreq * q));
    m.MyoSpecificPower = f32(Pf / m.MyofibrilMass);
    m.MuscleFrac = f32(double(m.MuscleMass) / m.AllUpMass);
}

void ClimbRateNow(ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    s.Flap.ClimbRate = f32((double(s.Flap.MaxSpecificWork) - m.SpecificWork) * s.slot(Slot).MuscleFrac *
                      (1 - double(s.Migration.MitoFracStart)) * m.WbeatFreq / g0(s));
}

void UpdateBodyState(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    BirdParams& b = s.slot(Slot);
    m.AllUpMass = f32(double(m.AirframeMass) + m.MuscleMass + m.FatMass + m.CropMass);
    s.FuelMass = (double(s.Efat) / s.EwetProtein * s.ProtFracTarget + 1) * m.FatMass;
    m.FatFrac = f32(double(m.FatMass) / m.AllUpMass);
    m.CropFrac = f32(double(m.CropMass) / m.AllUpMass);
    m.FuelFrac = f32(s.FuelMass / m.AllUpMass);
    s.FatEnergyHeight = f32(double(s.FatHeightConst) * std::log(1 / (1 - double(m.FatFrac))));
    s.FuelEnergyHeight = f32(double(s.FuelHeightConst) * std::log(1 / (1 - double(m.FuelFrac))));
    m.Sbody = f32(0.00813 * std::pow(double(m.AllUpMass), 0.666) * s.FrontalAreaFactor);
    m.BodyDiameter = f32(0.102 * std::cbrt(double(m.AllUpMass)));
    const double lean = double(m.AllUpMass) - m.FatMass;
    if (s.TaxonGroup == 1) b.Pbmr = f32(double(s.PbmrFactor) * 6.25 * std::pow(lean, 0.724));
    else b.Pbmr = f32(double(s.PbmrFactor) * 3.79 * std::pow(lean, 0.723));
    b.EtaPbmr = f32(double(s.Eta) * b.Pbmr);
    s.Migration.MetabolicSink = f32(double(s.Eta) * b.Pbmr / (double(m.AllUpMass) * g0(s) * (1 - double(m.FuelFrac))));
    m.BodyDragArea = f32(double(m.Sbody) * b.Cdb * s.PayDragFactor);
    checkFinite(m.AllUpMass, "body mass");
    checkFinite(b.Pbmr, "basal metabolic rate");
    MigFindVmp(s);
    MigFindVmr(s);
    s.Flap.Ppro = 0;
    MigPowerAtSpeed(s, m.Vmp);
    s.Flap.Ppro = f32(double(s.Migration.Plevel) * s.X1);
    if (s.Migration.ProjectedMode) {
        if (s.Migration.SpeedControl == 1) {
            m.Speed = f32(double(s.Migration.Vratio) * m.Vmp);
        } else if (s.Migration.SpeedControl == 3 && m.Speed >= m.Vmr) {
            m.Speed = m.Vmr;
            m.SpeedBelowVmr = 0;
        }
    }
    m.ReWing = f32(double(b.MeanChord) * m.Speed / s.KinViscosity);
    m.ReBody = f32(double(m.BodyDiameter) * m.Speed / s.KinViscosity);
    m.WbeatFreq = f32(double(m.WbeatFreq0) * std::sqrt(double(m.AllUpMass) / m.AllUpMass0));
    m.ReducedFreq = f32(double(m.WbeatFreq) * s.Pi * b.MeanChord / m.Speed);
}

void CreditFat(ProgramState& s, double x) {
    s.Migration.Mig.FatMass = f32(double(s.Migration.Mig.FatMass) + x / (double(s.ProtHydr) + 1) * s.Eprotein / s.Efat);
}

namespace {

// The new mitochondria mass after a change of the myofibrils or the power, crediting fat for the
// mitochondria released since MitoMassPrev.
void AdjustMitochondria(ProgramState& s, double Pf) {
    MigrationState& m = s.Migration.Mig;
    if (s.Migration.MitoControl == 2) m.MitoMass = f32(Pf * s.Kmito * s.MuscleDensity);
    else m.MitoMass = f32(double(m.MitoFracTarget) / (1 - double(m.MitoFracTarget)) * m.MyofibrilMass);
    const float released = f32(double(m.MitoMassPrev) - m.MitoMass);
    CreditFat(s, released);
    m.MitoMassPrev = m.MitoMass;
    m.MuscleMass = f32(double(m.MyofibrilMass) + m.MitoMass);
    m.MitoFrac = f32(double(m.MitoMass) / m.MuscleMass);
}

void Recompute(ProgramState& s) {
    UpdateBodyState(s);
    MigPowerAtSpeed(s, s.Migration.Mig.Speed);
    MuscleState(s);
}

bool SpeedsUpInstead(const ProgramState& s) {
    return s.Migration.ProjectedMode && s.Migration.SpeedControl == 3 && s.Migration.Mig.SpeedBelowVmr != 0;
}

// Flies faster in 0.01 m/s steps until reached() holds.
template <class Reached>
void SpeedUp(ProgramState& s, Reached reached) {
    for (int i = 0;; ++i) {
        if (i >= MaxSpeedUpSteps || !std::isfinite(s.Migration.Mig.Speed))
            throw MigrationError("The migration stopped: speeding up to hold the muscle work did not reach "
                                 "its target (check the settings of the run)");
        s.Migration.Mig.Speed = f32(double(s.Migration.Mig.Speed) + 0.01);
        MigPowerAtSpeed(s, s.Migration.Mig.Speed);
        MuscleState(s);
        if (reached()) return;
    }
}

[[noreturn]] void ProteinLoopFailed() {
    throw MigrationError("The migration stopped: the protein burn criterion did not settle within " +
                         std::to_string(MaxProteinPasses) + " passes (check the settings of the run)");
}

}  // namespace

void HoldMuscleMass(ProgramState& s) {
    AdjustMitochondria(s, FlightPower(s));
    Recompute(s);
}

namespace {

// Brings a quantity of the myofibrils (`value`, recomputed by `current`) down to its target by burning
// myofibril protein, `cutFor` of it per pass, or by speeding up where the criterion says so.
template <class Current, class CutFor>
void CutMyofibrilsToTarget(ProgramState& s, float& value, const float& target, Current current, CutFor cutFor) {
    MigrationState& m = s.Migration.Mig;
    value = current();
    for (int passes = 0;; ++passes) {
        const float r = f32((double(target) - value) / target);
        if (0.0001 > r || std::isnan(r)) break;
        if (passes >= MaxProteinPasses) ProteinLoopFailed();
        if (SpeedsUpInstead(s)) {
            SpeedUp(s, [&] { return value >= target; });
            break;
        }
        const double Pf = FlightPower(s);
        const float cut = cutFor(Pf);
        m.MyofibrilMass = f32(double(m.MyofibrilMass) - cut);
        CreditFat(s, cut);
        // The released mitochondria are measured from their previous mass (MitoMassPrev), so that the
        // myofibril cut just credited is not credited a second time.
        AdjustMitochondria(s, Pf);
        Recompute(s);
        value = current();
    }
}

float SpecificWorkNow(const ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    return f32(double(FlightPower(s)) / (double(m.MyofibrilMass) * m.WbeatFreq * MigPowerFraction(s)));
}

float MyoSpecificPowerNow(const ProgramState& s) {
    return f32(double(FlightPower(s)) / s.Migration.Mig.MyofibrilMass);
}

}  // namespace

void HoldSpecificPower(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    CutMyofibrilsToTarget(
        s, m.MyoSpecificPower, m.MyoSpecificPowerTarget, [&] { return MyoSpecificPowerNow(s); },
        [&](double Pf) { return f32((double(m.MyofibrilMass) - Pf / m.MyoSpecificPowerTarget) * 0.5); });
    m.SpecificWork = SpecificWorkNow(s);
}

void HoldSpecificWork(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    CutMyofibrilsToTarget(s, m.SpecificWork, m.SpecificWorkTarget, [&] { return SpecificWorkNow(s); },
                          [&](double Pf) {
                              return f32((double(m.MyofibrilMass) -
                                          Pf / (double(m.WbeatFreq) * m.SpecificWorkTarget * MigPowerFraction(s))) *
                                         0.5);
                          });
    m.MyoSpecificPower = MyoSpecificPowerNow(s);
}

void HoldProteinCriterion(ProgramState& s) {
    if (s.Migration.MuscleControl == 1) HoldSpecificWork(s);
    else if (s.Migration.MuscleControl == 2) HoldSpecificPower(s);
    else HoldMuscleMass(s);
}

void EmptyFatStore(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    m.FatMass = 0;
    m.FatFrac = 0;
    s.FatEnergyHeight = 0;
    s.FuelEnergyHeight = 0;
}

void EnergyBudget(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    m.BmrEnergy = f32(double(m.BmrEnergy) + double(s.Migration.TimeStep) * s.slot(Slot).Pbmr * 60);
    m.FatEnergy = f32((double(m.FatMass0) - m.FatMass) * s.Efat);
    m.ProteinEnergy = f32(((double(m.MuscleMass0) - m.MuscleMass) + (double(m.AirframeMass0) - m.AirframeMass)) /
                          (double(s.ProtHydr) + 1) * s.Eprotein);
    m.FuelEnergy = f32(double(m.FatEnergy) + m.ProteinEnergy);
    // No fuel burnt yet (a segment of no distance): the share keeps its previous value.
    if (m.FuelEnergy != 0) m.ProteinShare = f32(double(m.ProteinEnergy) / m.FuelEnergy);
}

void ProteinMinimum(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    const float shortfall = f32((double(s.ProtFracTarget) - m.ProteinShare) * m.FuelEnergy);
    if (shortfall > 0) {
        m.FatMass = f32(double(m.FatMass) + double(shortfall) / s.Efat);
        m.AirframeMass = f32(double(m.AirframeMass) - (double(s.ProtHydr) + 1) * shortfall / s.Eprotein);
    }
}

void CruiseStep(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    m.StepEnergy = f32(double(s.Flap.Pchem) * s.Migration.TimeStep * 60);
    m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
    Recompute(s);
    HoldProteinCriterion(s);
    EnergyBudget(s);
    ProteinMinimum(s);
}

ScreenUpdate MigrationStart(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    MigrationState& m = s.Migration.Mig;
    BirdParams& b = s.slot(Slot);
    // Start from the state's density and altitude, not from their rounded field texts.
    s.Migration.StartDensity = s.AirDensity;
    s.Migration.StartAltitude = s.Altitude;
    if (s.Migration.MigScreen.RhoCruiseText.empty()) {
        s.Migration.CruiseDensity = s.AirDensity;
        s.Migration.CruiseAlt = s.Altitude;
        s.Migration.MigScreen.RhoCruiseText = FormatSig(s.Migration.CruiseDensity, 3);
        s.Migration.MigScreen.AltCruiseText = FormatSig(s.Migration.CruiseAlt, 3);
        u.show(ctl::txtRhoCruise, s.Migration.MigScreen.RhoCruiseText);
        u.show(ctl::txtAltCruise, s.Migration.MigScreen.AltCruiseText);
    }
    m.SpeedBelowVmr = -1;
    m.AllUpMass = m.AllUpMass0 = b.AllUpMass;
    m.FatMass = m.FatMass0 = b.FatMass;
    m.CropMass = b.CropMass;
    m.MuscleMass = m.MuscleMass0 = b.MuscleMass;
    m.AirframeMass = m.AirframeMass0 = b.AirframeMass;
    m.FatFrac = b.FatFrac;
    m.FuelFrac = b.FuelFrac;
    m.MuscleFrac = b.MuscleFrac;
    s.FatEnergyHeight = f32(double(s.FatHeightConst) * std::log(1 / (1 - double(m.FatFrac))));
    s.FuelEnergyHeight = f32(double(s.FuelHeightConst) * std::log(1 / (1 - double(m.FuelFrac))));
    m.FuelEnergyHeight0 = s.FuelEnergyHeight;
    m.Sbody = b.Sbody;
    m.BodyDiameter = f32(0.102 * std::cbrt(double(m.AllUpMass)));
    m.BodyDragArea = f32(double(m.Sbody) * b.Cdb * s.PayDragFactor);
    flap::BasalMetabolicRate(s, Slot);
    u.showSig(ctl::txtPbmr, b.Pbmr);
    u.showSig(ctl::txtPbmrFactor, s.PbmrFactor);
    MigFindVmp(s);
    s.Migration.MetabolicSink = f32(double(s.Eta) * b.Pbmr / (double(m.AllUpMass) * g0(s) * (1 - double(m.FuelFrac))));
    s.Flap.Ppro = 0;
    MigPowerAtSpeed(s, m.Vmp);
    s.Flap.Ppro = f32(double(s.Migration.Plevel) * s.X1);
    m.StartSpeed = f32(double(s.Migration.Vratio) * m.Vmp);
    m.Speed = m.StartSpeed;
    m.ClimbRateInPower = 0;
    m.ReWing = f32(double(b.MeanChord) * m.Speed / s.KinViscosity);
    m.ReBody = f32(double(m.BodyDiameter) * m.Speed / s.KinViscosity);
    m.SavedStyle = s.FlightStyle;
    s.Migration.StartAltitude = s.Altitude;
    m.ProteinToMuscle = 0.8f;
    const int16_t mode = s.CalcMode;
    s.CalcMode = ModeMigrate;
    u.append(bird::CheckAndDeriveMasses(s, d));
    s.CalcMode = mode;
    u.refused = false;  // mass-limit messages do not stop the run
    MigFindVmr(s);
    m.VmrRatio = f32(double(m.Vmr) / m.Vmp);
    flap::WingbeatFrequency(s, Slot);
    u.showSig(ctl::txtWbeatFreq, b.WbeatFreq);
    u.showSig(ctl::txtFreqFactor, s.FreqFactor);
    m.WbeatFreq0 = b.WbeatFreq;
    m.WbeatFreq = m.WbeatFreq0;
    m.ReducedFreq = f32(double(m.WbeatFreq) * s.Pi * b.MeanChord / m.Speed);
    m.ElapsedSec = 0;
    m.HoursFlown = 0;
    s.Migration.Distance = 0;
    m.BmrEnergy = m.FatEnergy = m.ProteinEnergy = m.FuelEnergy = 0;
    m.ProteinShare = 0;
    s.Migration.Arrived = false;
    m.ClimbSeconds = 0;
    s.Migration.ClimbTime = s.Migration.ClimbDist = s.Migration.FinalGlideDist = s.Migration.FinalGlideTime = 0;
    s.Migration.InitialVclimb = s.Migration.FinalVclimb = 0;
    return u;
}

void CreateOutputTables(ProgramState& s) {
    MigrationResults& r = s.Migration;
    const std::size_t n = static_cast<std::size_t>(std::max<int>(r.MaxRow, 0)) + 1;
    for (MigrationTable* t : {&r.TravelTable, &r.PowerTable, &r.FuelTable, &r.GpsTable}) t->assign(n);
    r.StateLog.assign(n, MigrationRecord{});
    r.EndStates = {};
}

bool RecordRow(ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    const BirdParams& b = s.slot(Slot);
    const int row = m.Row;
    if (!EnsureRow(s, row)) return false;
    // A GPS run counts its rows in trip hours (stops included) and, while it follows the track, shows the
    // recorded air speed rather than the model's floor speed.
    const float h = s.Migration.GpsMode ? s.Gps.TripHours : m.HoursFlown;
    const float hShown = f32(LeadingNumber(FormatPattern(h, "0.0")));
    const bool onTrack = s.Migration.GpsMode && !s.Migration.TrackEnded;
    const float shownSpeed = onTrack ? f32(s.Gps.GpsAirSpeed) : m.Speed;
    const float shownRatio = onTrack ? f32(s.Gps.GpsAirSpeed / m.Vmp) : f32(double(m.Speed) / m.Vmp);
    SetRow(s.Migration.TravelTable, row, {0, hShown, s.Migration.Distance, shownSpeed, m.Vmp, shownRatio, m.ReWing,
                                          m.ReBody, m.AllUpMass, m.FatMass, m.MuscleMass, m.AirframeMass});
    SetRow(s.Migration.PowerTable, row, {0, h, s.Flap.Pmech, s.Flap.Pchem, s.Flap.EffLDChem, m.WbeatFreq, m.ReducedFreq,
                                         m.MyoSpecificPower, m.SpecificWork, b.Pbmr, f32(double(s.Flap.Pchem) / b.Pbmr),
                                         f32(double(m.MitoFrac) * 100)});
    const float bmrShare = s.Migration.FuelTable[row][6];
    SetRow(s.Migration.FuelTable, row, {0, h, f32(double(m.FatEnergy) / 1000), f32(double(m.ProteinEnergy) / 1000),
                              f32(double(m.FuelEnergy) / 1000), f32(double(m.ProteinShare) * 100),
                              m.FuelEnergy > 0 ? f32(double(m.BmrEnergy) * 100 / m.FuelEnergy) : bmrShare,
                              m.MuscleFrac, f32(double(m.AirframeMass) / m.AllUpMass),
                              m.FatFrac > 0 ? m.FuelFrac : 0.0f,
                              s.FuelEnergyHeight > 0 ? f32(double(s.FuelEnergyHeight) / 1000) : 0.0f,
                              s.FuelEnergyHeight > 0 ? s.Migration.MetabolicSink : 0.0f});
    if (s.Migration.GpsMode) {
        MigrationTable::Row g = s.Migration.GpsTable[row];
        g[1] = h;
        g[2] = s.Gps.TrackAltitude;
        g[3] = s.AirDensity;
        g[4] = f32(m.ClimbRateInPower);
    }
    return true;
}

MigrationRecord CurrentRecord(const ProgramState& s, float index20) {
    const MigrationState& m = s.Migration.Mig;
    return {m.HoursFlown, s.Migration.Distance, m.Speed, m.Vmp, f32(double(m.Speed) / m.Vmp), m.WbeatFreq, m.AllUpMass,
            m.MuscleMass, m.FatMass, m.AirframeMass, s.Flap.Pmech, s.Flap.Pchem, m.MyoSpecificPower, m.SpecificWork,
            m.MitoFrac, m.FatEnergy, m.ProteinEnergy, m.FuelEnergy, f32(double(m.ProteinShare) * 100), m.BmrEnergy,
            index20, m.SpecificWork, m.FatFrac, s.Migration.MetabolicSink, m.ReWing, m.ReBody, m.ReducedFreq,
            s.FuelEnergyHeight};
}

bool RecordState(ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    const int row = m.Row;
    if (!EnsureRow(s, row)) return false;
    if (static_cast<std::size_t>(row) >= s.Migration.StateLog.size()) s.Migration.StateLog.resize(static_cast<std::size_t>(row) + 1);
    float i20 = s.Migration.StateLog[row][20];
    if (row == 0) i20 = 0;
    else if (m.FuelEnergy > 0) i20 = f32(double(m.BmrEnergy) * 100 / m.FuelEnergy);
    s.Migration.StateLog[row] = CurrentRecord(s, i20);
    return true;
}

void RecordEnd(ProgramState& s) {
    const MigrationState& m = s.Migration.Mig;
    // No fuel burnt yet (a track of stops only): the share keeps its previous value.
    const float i20 = m.FuelEnergy != 0 ? f32(double(m.BmrEnergy) * 100 / m.FuelEnergy) : s.Migration.EndStates.at(m.EndColumn)[20];
    s.Migration.EndStates.at(m.EndColumn) = CurrentRecord(s, i20);
    if (s.Migration.GpsMode) s.Migration.EndStates.at(m.EndColumn)[0] = s.Gps.TripHours;
}

void InitialClimb(ProgramState& s) {
    MigrationState& m = s.Migration.Mig;
    s.FlightStyle = 1;
    m.Speed = f32(double(s.Migration.Vratio) * m.Vmp);
    m.ClimbSeconds = 0;
    auto finish = [&] {
        s.Migration.ClimbTime = f32(double(m.ClimbSeconds) / 60);
        s.Migration.CruiseAlt = s.Altitude;
        s.FlightStyle = m.SavedStyle;
    };
    try {
        while (s.Altitude < s.Migration.CruiseAlt) {
            ClimbRateNow(s);
            if (double(s.Flap.ClimbRate) < s.Migration.VclimbThreshold || std::isnan(s.Flap.ClimbRate)) {
                s.Migration.ClimbAborted = true;
                break;
            }
            s.Altitude = f32(double(s.Altitude) + s.Flap.ClimbRate);
            s.AirDensity = StdDensity(s, s.Altitude);
            s.KinViscosity = KinViscosityAt(s.Altitude);
            m.StepEnergy = m.MaxPowerChem;
            m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
            UpdateBodyState(s);
            MigPowerAtSpeed(s, f32(double(s.Migration.Vratio) * m.Vmp));
            MuscleState(s);
            m.ClimbSeconds += 1;
            m.ElapsedSec = m.ClimbSeconds;
            m.HoursFlown = f32(double(m.ElapsedSec) / 3600);
            if (OutputTime(s)) RecordStateAndRowOrEnd(s);
            s.Migration.Distance = f32(double(s.Migration.Distance) + double(m.Speed) / 1000);
            s.Migration.ClimbDist = s.Migration.Distance;
        }
        s.Migration.FinalVclimb = s.Flap.ClimbRate;
        const int32_t step = CLng(double(s.Migration.TimeStep) * 60);
        const int32_t rem = step - (m.ClimbSeconds % step);
        m.StepEnergy = f32(double(s.Flap.Pchem) * rem);
        m.FatMass = f32(double(m.FatMass) - double(m.StepEnergy) / s.Efat);
        m.ElapsedSec = m.ClimbSeconds + rem;
        m.HoursFlown = f32(double(m.ElapsedSec) / 3600);
        if (OutputTime(s)) RecordStateAndRowOrEnd(s);
        s.Migration.Distance = f32(double(s.Migration.Distance) + double(m.Speed) * rem / 1000);
    } catch (const RowsEnd&) {
        finish();
        throw;
    }
    finish();
    UpdateBodyState(s);
    MigPowerAtSpeed(s, f32(double(s.Migration.Vratio) * m.Vmp));
    MuscleState(s);
    MuscleStateInit(s);
}

RunOutcome MigrationRun(ProgramState& s, platform::Dialogs& d) {
    MigrationState& m = s.Migration.Mig;
    s.Migration.MigrationAborted = false;
    s.Migration.RowsExhausted = false;
    try {
        MigrationStart(s, d);
        s.Migration.ClimbAborted = false;
        MigPowerAtSpeed(s, m.Speed);
        MuscleStateInit(s);
        const BirdParams& b = s.slot(Slot);
        m.MaxPowerMech = f32(double(s.Flap.MaxSpecificWork) * m.MyofibrilMass * m.WbeatFreq);
        m.MaxPowerChem = f32((double(m.MaxPowerMech) + b.EtaPbmr) * s.Resp / s.Eta);
        const float x = f32(double(s.Kmito) * 0.3 * s.SigmaMax * s.Lambda * m.WbeatFreq);
        s.Migration.MitoFracStart = f32(double(x) / (double(x) + 1));
        ClimbRateNow(s);
        if (s.Flap.ClimbRate < 0 || std::isnan(s.Flap.ClimbRate)) {
            s.Migration.MigrationAborted = true;
            return RunOutcome::CannotClimb;
        }
        s.Migration.InitialVclimb = s.Flap.ClimbRate;
        m.Row = 0;
        RecordState(s);
        RecordRow(s);
        try {
            if (s.Migration.ClimbFlag) InitialClimb(s);
            do {
                CruiseStep(s);
                m.ElapsedSec = CLng(double(m.ElapsedSec) + double(s.Migration.TimeStep) * 60);
                s.Migration.Distance = f32(double(s.Migration.Distance) + double(s.Migration.TimeStep) * m.Speed * 0.06);
                m.HoursFlown = f32(double(m.ElapsedSec) / 3600);
                if (OutputTime(s)) RecordRowOrEnd(s);
                if (s.GoalDist > 0 && !s.Migration.Arrived && s.Migration.Distance >= s.GoalDist) {
                    s.Migration.Arrived = true;
                    m.EndColumn = 0;
                    RecordEnd(s);
                }
                if (m.FatMass <= 0) {
                    EmptyFatStore(s);
                    m.EndColumn = 1;
                    m.Row = static_cast<int16_t>(m.Row + 1);
                    if (!RecordRow(s)) {
                        m.Row = static_cast<int16_t>(m.Row - 1);
                        RecordEnd(s);
                        throw RowsEnd{};
                    }
                    RecordEnd(s);
                }
            } while (m.FatMass > 0);
        } catch (const RowsEnd&) {
            s.Migration.RowsExhausted = true;
            m.Row = s.Migration.MaxRow;
        }
        if (s.Migration.ClimbFlag) {
            const float glide = f32((double(s.Migration.CruiseAlt) - s.Migration.StartAltitude) * s.Flap.EffLD);
            s.Migration.FinalGlideTime = f32(double(glide) / (double(m.Speed) * 60));
            s.Migration.FinalGlideDist = f32(double(glide) / 1000);
            s.Altitude = s.Migration.StartAltitude;
        }
        s.Migration.RowsWritten = m.Row;
        if (s.Migration.RowsExhausted) d.info(RowsExhaustedMessage());
        return RunOutcome::Finished;
    } catch (const MigrationError& e) {
        d.error({e.what()});
        return RunOutcome::Failed;
    } catch (const NumberTextError&) {
        d.error({"The migration stopped: a value of the run could not be computed (check the settings of the run)"});
        return RunOutcome::Failed;
    } catch (const OverflowError&) {
        d.error({"The migration stopped: a value of the run went out of range (check the settings of the run)"});
        return RunOutcome::Failed;
    }
}

namespace {
// A number as text with no leading space (the shortest form, up to 15 digits).
std::string PlainNumberText(double x) {
    std::string t = SignedNumberText(x);
    if (!t.empty() && t[0] == ' ') t.erase(0, 1);
    return t;
}
}  // namespace

std::string MigrAbortTitle() { return "Abort Migration"; }

std::vector<std::string> MigrAbortTexts() {
    return {"Migration aborted", "Bird cannot climb with these settings", "  Possible remedies:",
            "Reduce body mass          Reduce fat fraction      Increase flight muscle fraction   Reduce starting "
            "altitude"};
}

std::string ClimbAbortTitle() { return "Climb Aborted"; }

std::vector<std::string> ClimbAbortTexts(const ProgramState& s) {
    return {"Climb aborted at", FormatPattern(s.Migration.CruiseAlt, "0.#"), "metres",
            "because rate of climb dropped below " + PlainNumberText(s.Migration.VclimbThreshold) + " m/s",
            "Migration continues at this altitude"};
}

std::vector<std::string> RowsExhaustedMessage() {
    return {"The flight went past 600 hours, the last row the output tables hold:",
            "the run ends there and keeps what was recorded"};
}

}  // namespace ornivo::migrate
