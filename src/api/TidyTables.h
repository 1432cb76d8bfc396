#pragma once
// The program state's result tables as tidy tables: a row per speed, per output row, per stop, with
// named columns and units, for scripts. Each reads the same cells the outputs print, as singles
// widened to double through their shortest text (the value the JSON shows).
#include "api/Ornivo.h"
#include "state/ProgramState.h"

namespace ornivo::api {

// PowerCurveTable: a row per whole speed from CurveFirstSpeed to CurveLastRow with a computed point.
Table PowerCurveTidy(const ProgramState& s);
// GlidePolarTable: a row per whole speed from PolarFirstRow whose span ratio is above 0.
Table GlidePolarTidy(const ProgramState& s);
// MacCreadyTable: a row per climb rate, 0.5 to 3 m/s.
Table CrossCountryTidy(const ProgramState& s);
// The four row tables of a migration side by side, a row per output row 0..last; a GPS run's stop
// rows have Kind "stop" and the row after the track's end Kind "end".
Table MigrationRowsTidy(const ProgramState& s);
// A GPS run's stops.
Table StopsTidy(const ProgramState& s);

// A single as the double its shortest decimal text reads back as (0.1f gives 0.1, not 0.100000001).
double SingleValue(float x);

}  // namespace ornivo::api
