#pragma once
// The JSON of a glide-polar run: the gliding settings and every result the run leaves in the state.
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

Json GlideConstantsJson(const ProgramState& s);  // TonicMuscFrac, SpanLaw
Json GlideResultsJson(const ProgramState& s, bool tables = true);  // results, the slot's Reynolds numbers, both tables

}  // namespace ornivo::api
