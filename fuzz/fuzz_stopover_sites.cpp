// The stopover site file: sites read, or a message naming the line; the lookup of a position in them.
#include <cmath>

#include "FuzzFile.h"
#include "migrate/StopoverSites.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ornivo::fuzz::ScratchFile(data, size, ".txt");
    std::vector<ornivo::StopoverSite> sites;
    std::string error;
    if (!ornivo::migrate::ReadStopoverSites(path, sites, error)) {
        if (error.empty()) ornivo::fuzz::Finding("refusal without a reason");
        return 0;
    }
    ornivo::ProgramState s;
    s.Gps.StopoverSites = sites;
    s.Gps.SiteCount = static_cast<int16_t>(sites.size());
    for (double lat : {-90.0, 0.0, 37.93, 90.0})
        for (double lon : {-180.0, 0.0, 32.65, 180.0}) ornivo::migrate::FindStopoverSite(s, lat, lon);
    return 0;
}
