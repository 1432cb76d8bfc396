#pragma once
// Entering a database record as the current bird: slot 0, the shared values, and the Enter Bird
// screen's fields and option buttons (returned as the update the Enter Bird screen applies).
#include "external/database/Database.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::birddb {

// The twelve fields common to both tables, from the record set's current record: names, mass, span,
// area and aspect ratio, air density with the relative density, altitude and kinematic viscosity,
// muscle fraction (0.17 when the record's is 0 or less), fat fraction, group, sex and age.
// txtRho shows rhoDigits significant digits (3 for a preset bird, 4 for a user bird).
ScreenUpdate EnterCommonFields(ProgramState& s, const external::RecordSet& rs, int rhoDigits);

// A user bird: the common fields, the crop mass, the nineteen parameters (each its default when the
// record's is 0 or less) and KeepFactors true.
ScreenUpdate EnterUserRecord(ProgramState& s, const external::RecordSet& rs);

// A code field rounded to a whole number; 0 when it holds no value or is outside 16 bits.
int16_t CodeOf(const external::RecordSet& rs, const char* field);

// The nineteen parameters of a user bird: field, screen box, default when the field is 0 or less.
struct UserParameter {
    const char* field;
    const char* box;
    float defaultValue;
};
const std::vector<UserParameter>& UserParameters();
// The state value a parameter goes to (slot 0 for the per-slot ones).
float& ParameterValue(ProgramState& s, const UserParameter& p);

}  // namespace ornivo::birddb
