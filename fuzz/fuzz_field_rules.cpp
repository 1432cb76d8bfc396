// The field rules of Enter Bird and the three setup screens on arbitrary typed text: a bird typed,
// a calculation pressed, then a sequence of (field, text) edits and option clicks, then the
// calculation. Every text a rule shows must be finite (the formatting throws NumberTextError for NaN
// or infinity, which ends the run as a finding); a rule may refuse with a message, never crash.
#include <string>

#include "FieldControls.h"
#include "bird/EnterBird.h"
#include "flap/PowerCurve.h"
#include "flap/SetupFlap.h"
#include "glide/GlidePolar.h"
#include "glide/SetupGlide.h"
#include "migrate/SetupMigrate.h"
#include "platform/ScriptedDialogs.h"
#include "state/Edit.h"

using namespace ornivo;

namespace {

// Reads the input as records: one byte choosing the control, one byte the text length, the text.
struct Reader {
    const uint8_t* p;
    size_t n;
    bool more() const { return n >= 2; }
    uint8_t byte() { --n; return *p++; }
    std::string text() {
        size_t len = std::min<size_t>(byte() % 32, n);
        std::string t(reinterpret_cast<const char*>(p), len);
        p += len;
        n -= len;
        return t;
    }
};

void checkTexts(const ScreenUpdate& u) {
    for (const auto& [control, text] : u.texts)
        for (const char* bad : {"nan", "inf", "NaN", "Inf"})
            if (text.find(bad) != std::string::npos && control != "txtSpName" && control != "txtShortName" &&
                control != "txtTaxon") {
                fprintf(stderr, "finding: %s shows \"%s\"\n", control.c_str(), text.c_str());
                std::abort();
            }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    Reader in{data + 1, size - 1};
    const int calc = data[0] % 3;
    ProgramState s;
    platform::ScriptedDialogs d;
    checkTexts(bird::LoadEnterBird(s));
    for (const auto& [c, t] : {std::pair{"txtSpName", "Fuzz bird"}, {"txtShortName", "Fz"}, {"txtEmptyMass", "0.5"},
                               {"txtSpan", "0.8"}, {"txtArea", "0.08"}, {"txtAlt", "0"}})
        checkTexts(bird::EnterBirdField(s, d, c, t));
    // Enter Bird fields first, while the first control byte is below 32.
    while (in.more() && in.p[0] < 32) {
        const std::string& c = fuzz::EnterBirdFields()[in.byte() % fuzz::EnterBirdFields().size()];
        checkTexts(bird::EnterBirdField(s, d, c, in.text()));
    }
    const bird::Calculation which[] = {bird::Calculation::PowerCurve, bird::Calculation::GlidePolar,
                                       bird::Calculation::Migrate};
    ScreenUpdate pressed;
    if (!bird::PressCalculation(s, d, which[calc], &pressed)) return 0;
    checkTexts(pressed);
    const std::vector<std::string>& fields =
        calc == 0 ? fuzz::FlapFields() : calc == 1 ? fuzz::GlideFields() : fuzz::MigrateFields();
    auto edit = [&](const std::string& c, const Edit& e) {
        try {
            if (calc == 0) return flap::SetupFlapEdit(s, d, c, e);
            if (calc == 1) return glide::SetupGlideEdit(s, d, c, e);
            return migrate::SetupMigrateEdit(s, d, c, e);
        } catch (const UnknownControl&) {
            return ScreenUpdate{};  // a read-only field on this screen
        }
    };
    checkTexts(calc == 0 ? flap::LoadSetupFlap(s, d) : calc == 1 ? glide::LoadSetupGlide(s, d)
                                                               : migrate::LoadSetupMigrate(s, d));
    for (int steps = 0; in.more() && steps < 64; ++steps) {
        const uint8_t k = in.byte();
        if (k >= 250 && calc != 1) {
            checkTexts(edit(fuzz::FlapOptions()[k % 3], Edit::click()));
            continue;
        }
        const std::string& c = fields[k % fields.size()];
        checkTexts(edit(c, Edit::typed(in.text())));
    }
    if (calc == 0) flap::ComputePowerCurve(s, d);
    if (calc == 1) glide::ComputeGlidePolar(s, d);
    return 0;
}
