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

#include "api/BatchRun.h"
#include "api/BatchTable.h"
#include "api/TableBirds.h"
#include "api/BirdFile.h"
#include "cli/CalcRunner.h"
#include "cli/CalcOutput.h"
#include "cli/Command.h"
#include "external/spreadsheet/Workbook.h"
#include "output/TextRunOutput.h"
#include "platform/Folders.h"
#include "state/numtext.h"

namespace ornivo::cli {
namespace {

// A result that is a flag (Arrived, ClimbFlag, ...): a boolean cell in a workbook, not the text "true".
bool isFlag(const Json& results, const std::string& key) { return results.contains(key) && results[key].is_boolean(); }

// The names of a row: the table's, else those of the bird the run entered (a "Preset" or "User"
// row), else the name the row gave.
std::vector<std::string> rowCells(const BatchRow& row, const RowOutcome& o, const std::vector<std::string>& cols) {
    std::string spName = CellText(row.bird.value("SpName", Json(""))),
                shortName = CellText(row.bird.value("ShortName", Json("")));
    if (spName.empty() && shortName.empty()) {
        spName = o.spName;
        shortName = o.shortName;
    }
    for (const char* key : {"Preset", "User"})
        if (spName.empty() && shortName.empty() && row.bird.contains(key)) shortName = CellText(row.bird[key]);
    std::vector<std::string> cells = {spName, shortName};
    for (const auto& c : cols) cells.push_back(o.results().contains(c) ? CellText(o.results()[c]) : "");
    cells.push_back(o.status);
    return cells;
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
    const auto calculation = CalculationNamed(calc);
    if (!calculation) throw UsageError("CALC must be power-curve, glide-polar or migrate");
    const auto& cols = ResultColumns(*calculation);
    std::vector<BatchRow> rows;
    std::string folder = ".";
    const bool preset = args.has("--preset"), user = args.has("--user");
    if (preset || user) {
        if (pos.size() > 1 || (preset && user)) throw UsageError("give a bird table or one of --preset and --user");
        rows = TableRows(preset);
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
    RunOptions opt;
    opt.tables = false;  // the rows show scalars only
    opt.strict = args.has("--strict");
    std::string ext = out ? std::filesystem::path(*out).extension().string() : "";
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const bool xlsx = ext == ".xlsx";

    // The program folder once for all rows, rather than looked up again for each bird.
    platform::SetProgramFolder(platform::ProgramFolder());
    std::vector<RowOutcome> outcomes(rows.size());
    std::atomic<std::size_t> next{0}, done{0};
    const bool showProgress = isatty(STDERR_FILENO);
    const auto start = std::chrono::steady_clock::now();
    auto worker = [&] {
        for (std::size_t i; (i = next++) < rows.size();) {
            outcomes[i] = RunBatchRow(*calculation, rows[i], folder, opt);
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
                if (result && isFlag(outcomes[r].results(), cols[c - 2]))
                    sh.write(rr, col, sheet::Value(outcomes[r].results()[cols[c - 2]].get<bool>()));
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
        for (const auto& c : ResultColumns(*CalculationNamed(calc))) {
            if (width + c.size() + 2 > 100) { u += "\n       "; width = 7; }
            u += " " + c;
            width += c.size() + 1;
        }
    }
    return u;
}

ORNIVO_CLI_COMMAND(batch, "batch", batchUsage(), runBatch);

}  // namespace ornivo::cli
