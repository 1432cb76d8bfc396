#include "api/Calculations.h"

#include <cstdlib>
#include <mutex>

#include "api/BirdFile.h"
#include "api/FlapJson.h"
#include "api/GlideJson.h"
#include "api/MigrateRun.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "output/OutputTree.h"
#include "platform/Folders.h"

namespace ornivo::api {
namespace {

// The road both screens share: the bird, the calculation's button, the setup screen loaded (its
// messages as warnings), the bird file's edits, the compute button.
template <class Load, class Edit, class Compute>
bool enterAndCompute(ProgramState& s, RunDialogs& d, const Json& bird, bird::Calculation calc, Load load, Edit edit,
                     Compute compute) {
    if (!EnterBirdFromFile(s, d, bird)) return false;
    if (!bird::PressCalculation(s, d, calc)) return d.refuse(), false;
    const std::size_t before = d.shown.size();
    load(s, d);
    d.printWarnings(before);
    ReplayEdits(s, d, bird, edit);
    if (!compute(s, d)) return d.refuse(), false;
    return true;
}

int runPowerCurve(ProgramState& s, RunDialogs& d, const Json& bird, const RunOptions& opt, Json& out) {
    if (!enterAndCompute(s, d, bird, bird::Calculation::PowerCurve, flap::LoadSetupFlap, flap::SetupFlapEdit,
                         flap::ComputePowerCurve))
        return ExitRefused;
    if (int rc = RunUncertainty(s, d, bird, opt); rc != ExitOk) return rc;
    out["calculation"] = "power-curve";
    out["inputs"] = InputsJson(opt, [&](auto&& fn) {
        EachBirdSlotInput(s, ModePowerCurve, fn);
        EachSharedConstant(s, fn);
    });
    out["results"] = PowerCurveResultsJson(s, opt.tables);
    out["messages"] = MessagesJson(d);
    return ExitOk;
}

int runGlidePolar(ProgramState& s, RunDialogs& d, const Json& bird, const RunOptions& opt, Json& out) {
    if (!enterAndCompute(s, d, bird, bird::Calculation::GlidePolar, glide::LoadSetupGlide, glide::SetupGlideEdit,
                         glide::ComputeGlidePolar))
        return ExitRefused;
    out["calculation"] = "glide-polar";
    out["inputs"] = InputsJson(opt, [&](auto&& fn) {
        EachBirdSlotInput(s, ModeGlide, fn);
        EachSharedConstant(s, fn);
        EachGlideConstant(s, fn);
    });
    out["results"] = GlideResultsJson(s, opt.tables);
    out["messages"] = MessagesJson(d);
    return ExitOk;
}

}  // namespace

const char* CalculationName(Calculation c) {
    switch (c) {
    case Calculation::PowerCurve: return "power-curve";
    case Calculation::GlidePolar: return "glide-polar";
    case Calculation::Migrate: return "migrate";
    }
    return "";
}

std::optional<Calculation> CalculationNamed(const std::string& name) {
    for (Calculation c : {Calculation::PowerCurve, Calculation::GlidePolar, Calculation::Migrate})
        if (name == CalculationName(c)) return c;
    return std::nullopt;
}

namespace {
// The shipped folder of the program folder, looked up once rather than for every bird of a batch.
std::string shippedFolder() {
    static std::mutex m;
    static std::string program, shipped;
    std::string now = platform::ProgramFolder();
    std::lock_guard lock(m);
    if (now != program || shipped.empty()) {
        program = std::move(now);
        shipped = platform::ShippedFolder();
    }
    return shipped;
}
}  // namespace

void PrepareRunState(ProgramState& s) {
    SetVersionAndNotices(s);
    s.ProgramFolder = shippedFolder();
    const char* home = std::getenv("HOME");
    s.OutDrive = home ? home : ".";
}

int RunCalculation(Calculation c, ProgramState& s, RunDialogs& d, const Json& bird, const std::string& folder,
                   const RunOptions& opt, Json& out) {
    switch (c) {
    case Calculation::PowerCurve: return runPowerCurve(s, d, bird, opt, out);
    case Calculation::GlidePolar: return runGlidePolar(s, d, bird, opt, out);
    case Calculation::Migrate: return RunMigrate(s, d, bird, folder, opt, out);
    }
    return ExitRefused;
}

std::string NoFiniteValueRefusal(const Json& out) {
    for (const char* part : {"inputs", "results"}) {
        if (!out.contains(part)) continue;
        std::string where = FirstMissingNumber(out[part], part);
        if (!where.empty())
            return "The calculation gave no finite value for " + where +
                   ": check the values given for it and for what it depends on";
    }
    return "";
}

}  // namespace ornivo::api
