// A bird file as ornivo-cli reads it: the JSON, its keys through the Enter Bird rules, a calculation
// button, then its "edits" replayed on the setup screen and the calculation. A bad file is a
// UsageError or a refusal; a finished calculation shows only finite values.
#include <nlohmann/json.hpp>

#include "api/BirdFile.h"
#include "api/Errors.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "migrate/SetupMigrate.h"

using namespace ornivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    api::Json bird = api::Json::parse(data, data + size, nullptr, false);
    if (bird.is_discarded()) return 0;
    ProgramState s;
    api::RunDialogs d;
    d.err = nullptr;
    // The calculation is picked by the input's length, so every seed reaches all three.
    const int calc = static_cast<int>(size % 3);
    try {
        if (!api::EnterBirdFromFile(s, d, bird)) return 0;
        if (calc == 0) {
            if (!bird::PressCalculation(s, d, bird::Calculation::PowerCurve)) return 0;
            flap::LoadSetupFlap(s, d);
            api::ReplayEdits(s, d, bird, flap::SetupFlapEdit);
            flap::ComputePowerCurve(s, d);
        } else if (calc == 1) {
            if (!bird::PressCalculation(s, d, bird::Calculation::GlidePolar)) return 0;
            glide::LoadSetupGlide(s, d);
            api::ReplayEdits(s, d, bird, glide::SetupGlideEdit);
            glide::ComputeGlidePolar(s, d);
        } else {
            if (!bird::PressCalculation(s, d, bird::Calculation::Migrate)) return 0;
            migrate::LoadSetupMigrate(s, d);
            api::ReplayEdits(s, d, bird, migrate::SetupMigrateEdit);
        }
    } catch (const api::UsageError&) {
    } catch (const UnknownControl&) {
    } catch (const api::Json::exception&) {
        // a value of the wrong JSON type where the contract names one
    }
    return 0;
}
