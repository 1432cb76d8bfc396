// ornivo-cli batch: one calculation over many birds, each exactly as a single call would run it,
// in parallel, with one result row per bird in input order.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <map>
#include <thread>

#include "cli/BatchTable.h"
#include "cli/BirdFile.h"
#include "cli/CalcRunner.h"
#include "cli/CalcOutput.h"
#include "cli/Command.h"
#include "external/spreadsheet/Workbook.h"
#include "output/TextRunOutput.h"
#include "platform/Folders.h"
#include "state/numtext.h"

namespace ornivo::cli {
namespace {

// The scalar results of each calculation, in the order of the result columns.
const std::vector<std::string>& resultColumns(const std::string& calc) {
    static const std::map<std::string, std::vector<std::string>> cols = {
        {"power-curve",
         {"VmpExact", "VmrExact", "Vmp", "Vmr", "PmechMin", "PchemMin", "NchemVmp", "QVmp", "DownwashVmp",
          "MitoFracVmp", "MitoFracClimb", "PmechVmr", "PchemVmr", "NchemMax", "QVmr", "DownwashVmr", "MitoFracCruise",
          "ReWingVmp", "ReBodyVmp", "FredVmp", "ReWingVmr", "ReBodyVmr", "FredVmr", "MaxClimb", "WbeatFreq", "Pbmr",
          "Ppro", "Pam", "PminExact", "MaxSpecificWork", "CurveFirstSpeed", "CurveLastIndex", "CurveLastRow"}},
        {"glide-polar",
         {"Vstall", "Vms", "VmsEAS", "MinSink", "GlideRatioVms", "ClVms", "Vbg", "VbgEAS", "SinkVbg", "BestGlideRatio",
          "ClVbg", "ReWingVms", "ReBodyVms", "ReWingVbg", "ReBodyVbg", "CircleRadius", "SinkLast", "PchemTonic",
          "PchemGlide", "JperFlap", "MetSink", "TonicMuscFrac", "PchemMin", "NchemVmp", "PchemVmr", "NchemMax",
          "VmpExact", "VmrExact", "PminExact", "Ppro", "Pam", "Pbmr", "WbeatFreqRef", "SpanLaw", "PolarFirstRow",
          "PolarRowLimit", "PolarLastRow"}},
        {"migrate",
         {"Arrived", "RowsWritten", "ClimbFlag", "ClimbAborted", "ClimbTime", "ClimbDist", "InitialVclimb",
          "FinalVclimb", "FinalGlideDist", "FinalGlideTime", "StartAltitude", "CruiseAlt", "StartDensity",
          "CruiseDensity", "CruiseKinViscosity", "Distance", "HoursFlown", "ElapsedSec", "ClimbSeconds", "Altitude",
          "AirDensity", "MetabolicSink", "MitoFracStart", "FatEnergyHeight", "FuelEnergyHeight", "Vmp", "Vmr",
          "VmrRatio", "Speed", "StartSpeed", "MaxRow", "RowsExhausted", "PointCount", "TripHours", "AirDistance",
          "FeedingHours", "TrackEndTrip", "TrackEndFlown", "TrackEndGround", "TrackEndAir", "StopoverNote"}},
    };
    auto it = cols.find(calc);
    if (it == cols.end()) throw UsageError("CALC must be power-curve, glide-polar or migrate");
    return it->second;
}

struct Outcome {
    Json results;               // shown when the run ended on its results or on the abort screen
    std::string status;         // "ok", or why not
    std::string spName, shortName;  // the names of the bird the run entered
};

std::string cellText(const Json& v) {
    if (v.is_null()) return "";
    if (v.is_boolean()) return v.get<bool>() ? "true" : "false";
    if (v.is_number_integer()) return std::to_string(v.get<long long>());
    if (v.is_number()) return NumberText(v.get<double>());
    if (v.is_string()) return v.get<std::string>();
    return "";
}

// A result that is a flag (Arrived, ClimbFlag, ...): a boolean cell in a workbook, not the text "true".
bool isFlag(const Json& results, const std::string& key) { return results.contains(key) && results[key].is_boolean(); }

// A run of one row, as the single call would run it; what the single call prints on standard error
// (a refusal, an unreadable edit, a value out of range) becomes the row's status.
Outcome runRow(const std::string& calc, const BatchRow& row, const std::string& folder, bool strict) {
    Outcome o;
    if (!row.readError.empty()) {
        o.status = "unreadable: " + row.readError;
        return o;
    }
    const CalcRunFn* run = FindCalcRunner(calc);
    ProgramState s;
    CliDialogs d;
    d.err = nullptr;
    d.strict = strict;
    Json out;
    try {
        CalcOptions opt;
        opt.calculation = calc;
        opt.tables = false;  // the rows show scalars only
        opt.strict = strict;
        PrepareOutputState(s, opt);
        const int rc = (*run)(s, d, row.bird, folder, opt, out);
        if (rc == ExitOk) d.strictCheck();
        if (rc != ExitOk) {
            std::string t;
            for (const auto& l : d.lastError()) t += (t.empty() ? "" : " ") + l;
            o.status = t.empty() ? "refused" : t;
        } else if (std::string refusal = NoFiniteValueRefusal(out); !refusal.empty()) {
            o.status = refusal;
        } else {
            o.results = out.value("results", Json::object());
            if (out.value("aborted", false)) {
                // The abort screen ends the run: its first line is the status.
                auto texts = out.value("abortTexts", Json::array());
                o.status = texts.empty() ? "aborted" : cellText(texts[0]);
            } else {
                o.status = "ok";
            }
        }
    } catch (const Refusal& e) {
        for (const auto& l : e.lines) o.status += (o.status.empty() ? "" : " ") + l;
    } catch (const NumberTextError& e) {
        o.status = std::string(e.what()) + ": a value of the calculation is out of range (check the values given)";
    } catch (const OverflowError& e) {
        o.status = std::string(e.what()) + ": a value of the calculation is out of range (check the values given)";
    } catch (const UsageError& e) {
        o.status = std::string("unreadable: ") + e.what();
    } catch (const std::exception& e) {
        o.status = std::string("failed: ") + e.what();
    } catch (...) {
        o.status = "failed";
    }
    o.spName = s.SpName;
    o.shortName = s.ShortName;
    return o;
}

// The names of a row: the table's, else those of the bird the run entered (a "Preset" or "User"
// row), else the name the row gave.
std::vector<std::string> rowCells(const BatchRow& row, const Outcome& o, const std::vector<std::string>& cols) {
    std::string spName = cellText(row.bird.value("SpName", Json(""))),
                shortName = cellText(row.bird.value("ShortName", Json("")));
    if (spName.empty() && shortName.empty()) {
        spName = o.spName;
        shortName = o.shortName;
    }
    for (const char* key : {"Preset", "User"})
        if (spName.empty() && shortName.empty() && row.bird.contains(key)) shortName = cellText(row.bird[key]);
    std::vector<std::string> cells = {spName, shortName};
    for (const auto& c : cols) cells.push_back(o.results.contains(c) ? cellText(o.results[c]) : "");
    cells.push_back(o.status);
    return cells;
}

using TableSource = std::function<std::vector<BatchRow>(bool preset)>;
TableSource& tableSource() {
    static TableSource t;
    return t;
}

int runBatch(const std::vector<std::string>& a) {
    Args args(a);
    for (const auto& x : a)
        if (x.size() > 1 && x[0] == '-' && x != "--out" && x != "-j" && x != "--preset" && x != "--user" &&
            x != "--strict" && !std::isdigit(static_cast<unsigned char>(x[1])))
            throw UsageError("unknown option " + x + " (ornivo-cli batch --help lists the options)");
    auto pos = args.positional({"--out", "-j"});
    if (pos.empty()) throw UsageError("give the calculation: power-curve, glide-polar or migrate");
    const std::string calc = pos[0];
    const auto& cols = resultColumns(calc);
    if (!FindCalcRunner(calc)) throw UsageError(calc + " is not available in this build");
    std::vector<BatchRow> rows;
    std::string folder = ".";
    const bool preset = args.has("--preset"), user = args.has("--user");
    if (preset || user) {
        if (pos.size() > 1 || (preset && user)) throw UsageError("give a bird table or one of --preset and --user");
        if (!tableSource()) throw UsageError("the bird databases are not available in this build");
        rows = tableSource()(preset);
    } else {
        if (pos.size() != 2) throw UsageError("give one bird table (BIRDS.csv), or --preset or --user");
        std::ifstream in(pos[1], std::ios::binary);
        if (!in) throw UsageError("cannot read the bird table " + pos[1]);
        std::stringstream ss;
        ss << in.rdbuf();
        rows = ReadBatchTable(ss.str());
        auto parent = std::filesystem::path(pos[1]).parent_path();
        folder = parent.empty() ? "." : parent.string();
    }
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    if (auto j = args.value("-j")) {
        double v = ParseNumber(*j, "-j");
        if (v < 1 || v > 256 || v != static_cast<int>(v)) throw UsageError("-j must be a whole number from 1 to 256");
        jobs = static_cast<unsigned>(v);
    }
    auto out = args.value("--out");
    const bool strict = args.has("--strict");
    std::string ext = out ? std::filesystem::path(*out).extension().string() : "";
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const bool xlsx = ext == ".xlsx";

    // The program folder once for all rows, rather than looked up again for each bird.
    platform::SetProgramFolder(platform::ProgramFolder());
    std::vector<Outcome> outcomes(rows.size());
    std::atomic<std::size_t> next{0}, done{0};
    const bool showProgress = isatty(STDERR_FILENO);
    const auto start = std::chrono::steady_clock::now();
    auto worker = [&] {
        for (std::size_t i; (i = next++) < rows.size();) {
            outcomes[i] = runRow(calc, rows[i], folder, strict);
            ++done;
        }
    };
    std::vector<std::thread> pool;
    for (unsigned k = 0; k < std::min<std::size_t>(jobs, std::max<std::size_t>(rows.size(), 1)); ++k) pool.emplace_back(worker);
    while (showProgress && done < rows.size()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double rate = done / std::max(secs, 1e-9);
        std::cerr << "\r" << done << " of " << rows.size() << " birds, " << static_cast<long>(rate) << " per s, "
                  << static_cast<long>(rate > 0 ? (rows.size() - done) / rate : 0) << " s left   " << std::flush;
    }
    for (auto& t : pool) t.join();
    if (showProgress) std::cerr << "\r" << rows.size() << " of " << rows.size() << " birds done" << std::string(20, ' ') << "\n";

    std::vector<std::string> header = {"SpName", "ShortName"};
    header.insert(header.end(), cols.begin(), cols.end());
    header.push_back("status");
    bool allOk = true;
    for (const auto& o : outcomes) allOk = allOk && o.status == "ok";
    if (xlsx) {
        sheet::Workbook wb;
        sheet::Sheet& sh = wb.addSheet("Results");
        for (std::size_t c = 0; c < header.size(); ++c) {
            sh.write(1, static_cast<int>(c) + 1, header[c]);
            sh.setFont(1, static_cast<int>(c) + 1, {.bold = true});
        }
        for (std::size_t r = 0; r < rows.size(); ++r) {
            auto cells = rowCells(rows[r], outcomes[r], cols);
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const int col = static_cast<int>(c) + 1, rr = static_cast<int>(r) + 2;
                const bool result = c >= 2 && c + 1 < cells.size();
                char* e = nullptr;
                double v = std::strtod(cells[c].c_str(), &e);
                if (result && isFlag(outcomes[r].results, cols[c - 2]))
                    sh.write(rr, col, sheet::Value(outcomes[r].results[cols[c - 2]].get<bool>()));
                else if (!cells[c].empty() && e && *e == '\0' && result) sh.write(rr, col, v);
                else sh.write(rr, col, cells[c]);
            }
        }
        sheet::Status st = wb.saveAs(*out);
        if (!st.ok()) throw UsageError("cannot save " + *out + ": " + st.text);
    } else {
        std::ostringstream csv;
        auto line = [&](const std::vector<std::string>& cells) {
            for (std::size_t c = 0; c < cells.size(); ++c) csv << (c ? "," : "") << CsvField(cells[c]);
            csv << "\n";
        };
        line(header);
        for (std::size_t r = 0; r < rows.size(); ++r) line(rowCells(rows[r], outcomes[r], cols));
        if (out) {
            const std::string err = output::WriteTextFile(*out, csv.str(), false);
            if (!err.empty()) throw UsageError("cannot write " + *out + ": " + err);
        } else {
            std::cout << csv.str();
        }
    }
    return allOk ? ExitOk : ExitRefused;
}

}  // namespace

void SetBatchTableSource(TableSource source) { tableSource() = std::move(source); }

// The usage with the result columns of each calculation, as --help prints them.
std::string batchUsage() {
    std::string u =
        "batch CALC BIRDS.csv | --preset | --user [--out RESULTS.csv|RESULTS.xlsx] [-j N] [--strict]   "
        "(CALC: power-curve | glide-polar | migrate)\n"
        "      BIRDS.csv: a header of bird-file keys (SpName, ShortName, EmptyMass, Span, WingArea or\n"
        "      AspectRatio, Altitude or AirDensity, TaxonGroup, Sex, Age, Preset, User, gps, sites) and setup\n"
        "      controls (txtFatFrac, optBound, frmSetDefaultsMigr.txtEfat, ...), replayed as edits in column\n"
        "      order; an empty cell is no edit; opt and chk columns take 1/0, true/false or yes/no.\n"
        "      Result columns: SpName, ShortName, then the calculation's results, then status (ok, the\n"
        "      refusal's text, the abort screen's first line, \"unreadable: \" and why the row could not be\n"
        "      read, or \"failed: \" and why the run stopped). Exit status 0 when every row is ok, else 2.";
    for (const char* calc : {"power-curve", "glide-polar", "migrate"}) {
        u += std::string("\n      ") + calc + ":";
        std::size_t width = 8 + std::char_traits<char>::length(calc);
        for (const auto& c : resultColumns(calc)) {
            if (width + c.size() + 2 > 100) { u += "\n       "; width = 7; }
            u += " " + c;
            width += c.size() + 1;
        }
    }
    return u;
}

ORNIVO_CLI_COMMAND(batch, "batch", batchUsage(), runBatch);

}  // namespace ornivo::cli
