#pragma once
// The wind triangle calculator: given the wind and two of air speed, heading, ground speed and track,
// the other two. Speeds in m/s, directions in compass degrees; the wind direction is where it blows FROM.
#include <optional>
#include <string>

#include "platform/Dialogs.h"

namespace ornivo::nav {

enum class WindMode { FindVg, FindVa, FindVgHdg };  // optFindVg, optFindVa, optFindVgHdg

struct WindInputs {
    // The texts of the input boxes (empty when not typed); the mode decides which two are read.
    std::string windSpeed, windDir, airSpeed, heading, groundSpeed, track;
};

struct WindResult {
    double speed = 0;      // ground speed (FindVg, FindVgHdg) or air speed (FindVa), m/s
    double direction = 0;  // track (FindVg), heading (FindVa, FindVgHdg), folded into (0, 360]
    std::string speedText, directionText;  // as the screen shows them: "0.0" and a whole number
};

// "Find ...": refuses empty boxes with the screen's messages, and a cross wind stronger than the air
// speed (no triangle exists) with a message of its own; nothing is returned then.
std::optional<WindResult> ComputeWindTriangle(platform::Dialogs& d, WindMode mode, const WindInputs& in);

// The caption of the compute button for a mode.
std::string WindComputeCaption(WindMode mode);

}  // namespace ornivo::nav
