// ornivo-cli migrate: a bird through Enter Bird, "Migrate", the migration setup screen's edits (and its
// settings screen's, as frmSetDefaultsMigr.<control>) and "Start migrating", programmed or along a GPS
// track (--gps, or the bird file's "gps" key).
#include "cli/CalcRunner.h"
#include "cli/Command.h"

namespace ornivo::cli {
namespace {

int command(const std::vector<std::string>& a) {
    return RunCalcCommand("migrate", a, {"--gps", "--sites", "--kml"});
}

}  // namespace
ORNIVO_CLI_COMMAND(migrate, "migrate",
                   "migrate BIRD.json [--format json|text|xlsx|csv] [--tables state|tidy] [--table NAME] [--out PATH] "
                   "[--comment TEXT] [--strict] [--gps TRACK.xlsx|.xls|.csv [--sites SITES.txt] [--kml FOLDER] [--progress]]",
                   command);

}  // namespace ornivo::cli
