// The power uncertainty of a power-curve run: the bird file's "uncertainty" key or --uncertainty.
#include "api/BirdFile.h"
#include "api/Calculations.h"
#include "api/Errors.h"
#include "flap/PowerUncertainty.h"

namespace ornivo::api {
namespace {

flap::UncertaintySet setFromJson(const Json& u) {
    if (u.is_string()) {
        const std::string name = u.get<std::string>();
        if (name == "wild") return flap::WildPopulation();
        if (name == "individual") return flap::MeasuredIndividual();
        if (name == "zero") return flap::AllZero();
        throw UsageError("\"uncertainty\" must be \"wild\", \"individual\", \"zero\" or an object of the eight fields");
    }
    if (!u.is_object()) throw UsageError("\"uncertainty\" must be a name or an object");
    flap::UncertaintySet set = flap::WildPopulation();  // the screen loads the wild population set
    const auto& names = flap::UncertaintyFieldNames();
    for (auto it = u.begin(); it != u.end(); ++it) {
        bool found = false;
        for (int i = 0; i < flap::UCount; ++i) {
            if (names[i] != it.key()) continue;
            if (!it.value().is_number()) throw UsageError("uncertainty " + it.key() + " must be a number");
            set.u[i] = static_cast<float>(it.value().get<double>());
            found = true;
        }
        if (!found) throw UsageError("unknown uncertainty field " + it.key());
    }
    return set;
}

}  // namespace

int RunUncertainty(ProgramState& s, RunDialogs& d, const Json& bird, const RunOptions& opt) {
    if (!bird.contains("uncertainty") && !opt.uncertainty) return ExitOk;
    flap::UncertaintySet set = bird.contains("uncertainty") ? setFromJson(bird["uncertainty"]) : flap::WildPopulation();
    flap::UncertaintyModel model;
    if (!flap::LoadUncertaintyModel(s, d, model)) return d.refuse();
    if (!flap::ComputePowerUncertainty(s, d, model, set)) return d.refuse();
    return ExitOk;
}

}  // namespace ornivo::api
