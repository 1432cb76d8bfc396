#pragma once
// The JSON of a power-curve run: the slot's inputs and every result the run leaves in the state.
#include "api/Json.h"
#include "state/ProgramState.h"

namespace ornivo::api {

Json BirdSlotJson(const ProgramState& s, int slot);        // the slot's values by name
Json SharedConstantsJson(const ProgramState& s);           // the constants held once
Json PowerCurveResultsJson(const ProgramState& s, bool tables = true);  // results of slot 1

}  // namespace ornivo::api
