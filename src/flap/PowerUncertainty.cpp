#include "flap/PowerUncertainty.h"

#include <cmath>

#include "state/ControlNames.h"
#include "state/Single.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

const char* const kMessages[UCount] = {
    "Mass uncertainty must be between 0 and 0.4",
    "Wing span uncertainty must be between 0 and 0.2",
    "Wing area uncertainty must be between 0 and 0.3",
    "Body frontal area uncertainty must be between 0 and 0.3",
    "Body drag coefficient uncertainty must be between 0 and 0.3",
    "Induced power factor uncertainty must be between 0 and 0.3",
    "Gravity uncertainty must be between 0 and 0.1",
    "Air density uncertainty must be between 0 and 0.1",
};
const char* const kNames[UCount] = {"mass", "wing span", "wing area", "body frontal area",
                                    "body drag coefficient", "induced power factor", "gravity", "air density"};
}  // namespace

UncertaintySet WildPopulation() { return {{0.15f, 0.05f, 0.1f, 0.2f, 0.2f, 0.15f, 0.005f, 0.02f}}; }
UncertaintySet MeasuredIndividual() { return {{0.01f, 0.01f, 0.05f, 0.05f, 0.2f, 0.2f, 0.005f, 0.01f}}; }
UncertaintySet AllZero() { return {}; }

const std::array<std::string, UCount>& UncertaintyFieldNames() {
    static const std::array<std::string, UCount> n = {ctl::txtMass, ctl::txtSpan, ctl::txtArea, ctl::txtSbody,
                                                      ctl::txtCdb,  ctl::txtKflap, ctl::txtG,   ctl::txtRho};
    return n;
}

const std::array<float, UCount>& UncertaintyLimits() {
    static const std::array<float, UCount> l = {0.4f, 0.2f, 0.3f, 0.3f, 0.3f, 0.3f, 0.1f, 0.1f};
    return l;
}

bool LoadUncertaintyModel(const ProgramState& s, platform::Dialogs& d, UncertaintyModel& model) {
    const BirdParams& b = s.slot();
    model.x = {b.AllUpMass, b.Span, b.WingArea, b.Sbody, b.Cdb, s.Kflap, s.slot(0).Gravity, s.AirDensity};
    for (int i = 0; i < UCount; ++i) {
        if (!(model.x[i] > 0) || !std::isfinite(model.x[i])) {
            d.error({"The uncertainty cannot be computed: the " + std::string(kNames[i]) + " is not positive"});
            return false;
        }
    }
    const double m = model.x[UMass], bs = model.x[USpan], S = model.x[UArea], Sb = model.x[USbody];
    const double Cdb = model.x[UCdb], k = model.x[UKflap], g = model.x[UGravity], rho = model.x[URho];
    const double C = S * std::pow(bs, -3.5) * std::pow(k, 0.75) * std::pow(m, 1.5) * std::pow(g, 1.5) *
                     std::pow(Sb, 0.25) * std::pow(Cdb, 0.25) * std::pow(rho, -0.5);
    model.profile = {f32(15 * C / m),    f32(-35 * C / bs),  f32(10 * C / S),   f32(2.5 * C / Sb),
                     f32(2.5 * C / Cdb), f32(7.5 * C / k),   f32(13.25 * C / g), f32(-5 * C / rho)};
    model.induced = {};
    model.induced[UMass] = f32(1.273 * k * m * g * g / (rho * bs * bs));
    model.induced[USpan] = f32(-1.273 * k * m * m * g * g / (rho * bs * bs * bs));
    model.induced[UKflap] = f32(0.6366 * m * m * g * g / (rho * bs * bs));
    model.induced[UGravity] = f32(1.273 * k * m * m * g / (rho * bs * bs));
    model.induced[URho] = f32(-0.6366 * k * m * m * g * g / (rho * rho * bs * bs));
    model.parasite = {};
    model.parasite[USbody] = f32(0.5 * rho * Cdb);
    model.parasite[UCdb] = f32(0.5 * rho * Sb);
    model.parasite[URho] = f32(0.5 * Sb * Cdb);
    return true;
}

bool ComputePowerUncertainty(ProgramState& s, platform::Dialogs& d, const UncertaintyModel& model,
                             const UncertaintySet& set) {
    const auto& limits = UncertaintyLimits();
    for (int i = 0; i < UCount; ++i) {
        if (!(set.u[i] >= 0) || set.u[i] > limits[i]) {
            d.error({kMessages[i]});
            return false;
        }
    }
    auto& t = s.Flap.PowerCurveTable;
    for (int sp = s.Flap.CurveFirstSpeed; sp <= s.Flap.CurveLastRow; ++sp) {
        const double V = sp;
        double sum = 0;
        for (int i = 0; i < UCount; ++i) {
            const double dPdx = double(model.profile[i]) + model.induced[i] / V + model.parasite[i] * V * V * V;
            const double c = double(model.x[i]) * set.u[i] * dPdx;
            sum += c * c;
        }
        const float dP = f32(std::sqrt(sum));
        const float P1 = t[1][sp];
        t[6][sp] = f32(double(P1) - dP);
        t[7][sp] = f32(double(P1) + dP);
        t[8][sp] = dP;
        t[9][sp] = f32(100 * double(dP) / P1);
    }
    const double m = model.x[UMass], bs = model.x[USpan], Sb = model.x[USbody], Cdb = model.x[UCdb];
    const double k = model.x[UKflap], g = model.x[UGravity], rho = model.x[URho];
    const double W = std::pow(k, 0.25) * std::sqrt(m) * std::sqrt(g) / std::sqrt(rho) / std::sqrt(bs) *
                     std::pow(Sb, -0.25) * std::pow(Cdb, -0.25);
    const double dV[UCount] = {0.4037 * W / m, -0.4037 * W / bs, 0, -0.2018 * W / Sb,
                               -0.2018 * W / Cdb, 0.2018 * W / k, 0.4037 * W / g, -0.4037 * W / rho};
    double sum = 0;
    for (int i = 0; i < UCount; ++i) {
        const double c = double(model.x[i]) * set.u[i] * dV[i];
        sum += c * c;
    }
    s.Flap.VmpUncert = f32(std::sqrt(sum));
    s.Flap.UncertDone = true;
    return true;
}

}  // namespace ornivo::flap
