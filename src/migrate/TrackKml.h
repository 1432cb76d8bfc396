#pragma once
// The KML map of a GPS run: a point mark per track point, the track as an extruded line, and an
// outlined polygon per stopover site when a site file was loaded in the run.
#include <string>

#include "state/ProgramState.h"

namespace ornivo::migrate {

// The KML document's text (lines ended by CR LF).
std::string TrackKmlText(const ProgramState& s);
// The file name: FilePrefix + " Track to " + the last point's date (long form) + ".kml".
std::string TrackKmlName(const ProgramState& s);
// Writes the document into folder (created when missing), atomically; sets KmlFile. False with a reason.
bool WriteTrackKml(ProgramState& s, const std::string& folder, std::string& error);
// A coordinate pair: the longitude's signed text, a comma, the latitude's text without its leading space.
std::string KmlCoordinatePair(double lon, double lat);

}  // namespace ornivo::migrate
