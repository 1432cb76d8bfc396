#pragma once
// The JSON of a glide-polar run: the gliding settings and every result the run leaves in the state.
#include "api/FlapJson.h"
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

// The gliding settings a run read, as the walks of api/FlapJson.h.
template <class Fn>
void EachGlideConstant(const ProgramState& s, Fn&& fn) {
    fn("TonicMuscFrac", static_cast<float>(s.Glide.TonicMuscFrac));
    fn("SpanLaw", s.Glide.SpanLaw);
}
Json GlideResultsJson(const ProgramState& s, bool tables = true);  // results, the slot's Reynolds numbers, both tables

}  // namespace ornivo::api
