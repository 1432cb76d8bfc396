#pragma once
// The stopover site file and the lookup of the site that holds a position.
#include <string>
#include <vector>

#include "state/ProgramState.h"

namespace ornivo::migrate {

// Reads a site file: a heading line, then comma- or line-separated fields: the number of sites, and per
// site its name (text, may be quoted), intake rate (multiple of BMR) and four corners SW, NW, NE, SE as
// latitude then longitude. On success fills `sites`; otherwise returns false with a message naming the
// file, the line and what was expected.
bool ReadStopoverSites(const std::string& path, std::vector<StopoverSite>& sites, std::string& error);

// The first site containing the position sets FeedQ, SiteLabel and AtKnownSite; none gives
// FeedQ 0, "Non-feeding Stop" and false.
void FindStopoverSite(ProgramState& s, double lat, double lon);

}  // namespace ornivo::migrate
