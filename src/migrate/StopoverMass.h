#pragma once
// The stopover mass calculator's rules: the hour-by-hour change of body and fat mass while a bird
// rests and feeds, and the loading of the new masses into the migration setup.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "state/ProgramState.h"
#include "state/ScreenUpdate.h"

namespace ornivo::migrate {

struct StopoverForm {
    std::string DateBegin, TimeBegin, DateMoveOn, TimeMoveOn;  // "26-Apr-2008" (or 2008-04-26), "08:00"
    std::string MassBegin, FatBegin;                           // kg, as typed
    std::string ExistenceText = "3", FeedText = "4.5";         // multiples of BMR
};

struct StopoverResult {
    int16_t Hours = 0;  // hourly steps run
    float MassBegin = 0, FatBegin = 0, FatFracBegin = 0, FuelHeightBegin = 0;  // kg, kg, -, m
    float MassMoveOn = 0, FatMoveOn = 0, FatFracMoveOn = 0, FuelHeightMoveOn = 0;
};

// Sets StopMassReturn (the setup screen recomputes its BMR when it is active again).
void LoadStopoverMass(ProgramState& s);
// Clicking txtExistenceRatio sets its edit mark; leaving txtExistenceRatio or txtFeedQ stores its
// number in ExistenceRatio or FeedQ.
void StopoverRateClick(ProgramState& s, const std::string& control);
void StopoverRateEdit(ProgramState& s, const std::string& control, const std::string& text);
// Seconds since an epoch of a date and a time text, or nothing when they cannot be read.
std::optional<int64_t> StopoverMoment(const std::string& date, const std::string& time);
// "Compute new mass": nothing (after a message) when an entry is missing or cannot be read.
std::optional<StopoverResult> ComputeStopoverMass(ProgramState& s, const StopoverForm& f, platform::Dialogs& d,
                                                  ScreenUpdate* u = nullptr);
// "Load revised mass": the new masses into the current slot and the setup screen's fields.
ScreenUpdate LoadRevisedMass(ProgramState& s, const StopoverResult& r);

}  // namespace ornivo::migrate
