// The contract each call prints with --help after its usage: what it reads, its options, what it
// prints and its exit statuses. The README points here; keep both in step.
#include <map>

#include "cli/Command.h"
#include "cli/TidyOutput.h"

namespace ornivo::cli {
namespace {

const char* const kBirdFile =
    R"(BIRD.json is a JSON object ("-" reads it from standard input) with the Enter Bird screen's values:
  SpName          species name (text; required)
  ShortName       short name (text)
  EmptyMass       kg (required)
  Span            m (required)
  WingArea        sq m, or AspectRatio (one of the two required)
  Altitude        m in the standard atmosphere, or AirDensity in kg per cubic m (one required)
  TaxonGroup      1 passerine, 2 non-passerine (default 2)
  Sex             1 both, 2 male, 3 female, 4 unknown (default 1)
  Age             1 adult, 2 immature, 3 unknown (default 1)
  Preset, User    instead of the keys above, a bird of the preset or the user table, entered as its
                  screen enters it: its record number (57 or "#57", as "birds list" shows it), or
                  its short name, else its scientific name. A name that several records share is
                  refused, listing their numbers (exit 1).
  edits           a list of [control, value] pairs replayed on the setup screen (below)
  gps, sites      (migrate) the track and the stopover site file, relative to the bird file's folder
  uncertainty     (power-curve) "wild", "individual", "zero" or an object of the eight proportional
                  uncertainties by the uncertainty screen's field names
Any other key is an error (exit 1) that names it and the closest known key.

Edits are replayed in order after the setup screen has loaded, as a person would make them:
a text box (txt...) takes the value as its text and then loses the focus; an option button
(opt...) is clicked (the value is ignored, may be null); a check box (chk...) is set to true or
false; the value "click" or "dblclick" is that event on the control. A control of the migration
settings screen has that screen's name in front: frmSetDefaultsMigr.txtEfat. A message the screen
shows while an edit is committed (a refused mass, a power fraction out of range) is printed as
"warning: ..." and the replay goes on, as on the screen; with --strict it is a refusal. An unknown
control is an error (exit 1).
)";

const char* const kCalcOptions = R"(
Options (checked before anything runs: an unknown option, or a format or graph the call cannot
write, is an error, exit 1, and nothing is run or written):
  --format json   the results as one JSON object (the default): "calculation", "inputs" (the values
                  and constants the run read, by the program state's names), "results" (every result
                  by name, tables as arrays of rows) and "messages" (the texts of the messages shown)
  --format text   the block that the calculation's text file output appends ("Saved in: -" without --out)
  --format xlsx   the results workbook of one run (needs --out)
  --format csv    one of the tables below as CSV (needs --table NAME): a header of the column names,
                  a line per row, numbers in their shortest form (the text that reads back as the same
                  value), texts quoted when they hold a comma, a quote or a line end
  --table NAME    the table --format csv prints; a name the call does not give is an error (exit 1)
                  that lists the call's tables
  --tables state|tidy   the shape of the JSON's tables: "state" (the default) the program state's
                  tables as arrays of rows; "tidy" the tables below in their place, each an array of
                  records by column name ([{"Speed": 10.0, "EAS": 9.7, ...}, ...]), and after
                  "results" an object "units" with each table's unit by column ({"curve": {"Speed":
                  "m/s", ...}}; "" for a ratio, a count, a code or a text)
  --out PATH      the JSON, the text, the workbook or the CSV is written to PATH instead of standard
                  output
  --comment TEXT  the run's comment (text and workbook)
  --strict        any message an edit, the setup screen or the run shows makes the call a refusal
                  (exit 2, the messages on standard error, nothing printed or written), for scripts that
                  must not go on with a value the screen would have kept
)";

const char* const kCalcExit = R"(
Exit status: 0 success; 2 a refusal of the program: the message the screen would show, line by line,
on standard error; 1 any other failure (an unreadable file, bad JSON, an unknown key, control or
option), with a one-line reason.
)";

const char* const kPowerCurve = R"(  --graph FILE    the graph screen's drawing as .png, .svg or .pdf, by the extension (no display needed)
  --uncertainty   the power uncertainty after the curve with the uncertainty screen's values as it loads
                  (or the bird file's "uncertainty"): the results gain VmpUncert and rows 6 to 9 of
                  PowerCurveTable; with --graph the bands are drawn into the lower plot
)";

const char* const kGlidePolar = R"(  --graph FILE    the graph screen's drawing as .png, .svg or .pdf, by the extension (no display needed)
)";

const char* const kMigrate = R"(  --gps TRACK     migrate along a recorded track (.xlsx, .xls or .csv) instead of the programmed flight
  --sites FILE    (with a track) the stopover site file: "Do you wish to load a file of Stopover Site
                  Coordinates?" is answered Yes
  --kml FOLDER    (with a track) the KML map written into FOLDER as "PREFIX Track to DATE.kml"
  --progress      (with a track) the progress workbook written beside the track file
A flag given on the command line wins over the bird file's "gps" and "sites" keys. The results of a
track run add StopoverNote, TripHours, AirDistance, FeedingHours, TrackEndTrip, TrackEndFlown,
TrackEndGround, TrackEndAir, GpsTable, KmlFile and ProgressFile. A track or site file that cannot be
read, or a segment that cannot be flown, is a refusal (exit 2) naming the file, line or row and column.

A bird that cannot climb at take-off ends the run on the abort screen: exit 2, the screen's title and
texts on standard error, line by line, as a refusal's; with --format json the JSON is still printed
(or written to --out) with "aborted": true and the same lines under "abort"; no text file or workbook
is written.
)";

const char* const kBatch = R"(Options:
  --preset, --user  run every record of the preset or the user table instead of a bird table, each by
                    its record number ({"Preset": 57}), so records that share a name run with their own
                    values; rows come in the order "birds list" shows
  --out FILE        the result table as .csv (the default, also on standard output without --out) or .xlsx
  -j N              N birds at a time (default: the number of cores)
  --strict          a row whose edits or run show any message gets the message as its status
A column of BIRDS.csv that is neither a bird-file key nor a setup control (txt..., opt..., chk...,
with frmSetDefaultsMigr. in front for the migration settings) is an error naming it and the closest
key (exit 1), before any bird runs. An unknown option is an error (exit 1).

Exit status: 0 when every row is ok; 2 when a row is not (its status says why); 1 when the call
itself fails (an unreadable table, a bad column or option), with a one-line reason.
)";

const char* const kBirds = R"(  birds list [--preset | --user]   the records of the table (preset by default) as JSON: "table",
                    "file", "count" and "birds", each with its Number, ShortName and SpName, in the
                    screen's order
  birds show NAME|#NUMBER [--preset | --user]   the values "Enter bird into program" sets for that
                    record (a name that several records share is refused, listing their numbers)
  birds backup FILE   the user table written to a backup text file
  birds restore FILE  the records of a backup text file added to the user table
Record numbers stay the same from run to run: a preset bird's number is its row in the shipped table
(1 is the first bird of data/birds/preset_birds.csv) and stays while this release's table is used; a
user bird gets its number when it is added and keeps it until it is deleted (a deleted bird's number
may be given to a bird added later). "birds list" shows them.

Exit status: 0 success; 2 a refusal (a database that cannot be used: its message on standard error);
1 any other failure, with a one-line reason.
)";

const char* const kTrack = R"(Turns raw GPS fixes (a Movebank CSV export or a GPX track) into the track workbook that
"migrate --gps" reads; the defaults are the numbers of the track rules of
the example track (Tracks/README.md beside the programs).
  --out TRACK.xlsx      the track workbook (required)
  --csv TRACK.csv       also the track as CSV, as "migrate --gps" reads it
  --animal ID           the fixes of this animal only
  --grid MINUTES        the spacing of the grid marks, counted from UTC midnight
  --start, --end        the first and the last grid mark used ("YYYY-MM-DD HH:MM", UTC)
  --wind-from DEG --wind-speed M/S   a constant wind for the air speeds
  --max-speed, --ground-speed, --ground-seg-speed, --ground-tag-max, --stop-fixes,
  --stop-gap-hours, --empty-row-hours   the thresholds of the track rules
It prints what it did (fixes read and kept, track points, stops, empty rows).

Exit status: 0 success; 2 a refusal: where the rules cannot decide (a long gap whose two ends are not
both on the ground, a stop across a gap with no fix between landing and take-off), naming the fixes;
1 any other failure (an unreadable file, a bad option), with a one-line reason.
)";

const char* const kSmallCallExit = R"(Prints its results as JSON.
Exit status: 0 success; 2 a refusal (the screen's message on standard error); 1 any other failure
(a missing or malformed option), with a one-line reason.
)";

const char* const kManual = R"(Prints a page of the manual as plain text, or without PAGE the list of pages.
Exit status: 0 success; 1 an unknown page, with a one-line reason.
)";

}  // namespace

std::string CallHelp(const std::string& name) {
    const std::string calc = std::string(kBirdFile) + kCalcOptions;
    const std::map<std::string, std::string> help = {
        {"power-curve", calc + kPowerCurve + TablesHelp("power-curve") + kCalcExit},
        {"glide-polar", calc + kGlidePolar + TablesHelp("glide-polar") + kCalcExit},
        {"migrate", calc + kMigrate + TablesHelp("migrate") + kCalcExit},
        {"batch", std::string("BIRDS.csv: a header of bird-file keys and setup controls, one bird per row; each bird\n"
                              "runs as the single call on its bird file would (ornivo-cli CALC --help).\n\n") +
                      kBatch},
        {"birds", kBirds},
        {"track", kTrack},
        {"manual", kManual},
    };
    auto it = help.find(name);
    return it != help.end() ? it->second : kSmallCallExit;
}

}  // namespace ornivo::cli
