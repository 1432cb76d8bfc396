#include "api/BatchRun.h"

#include <map>

#include "api/BirdFile.h"
#include "api/Errors.h"
#include "state/numtext.h"

namespace ornivo::api {

const Json& RowOutcome::results() const {
    static const Json none = Json::object();
    auto it = out.find("results");
    return it == out.end() ? none : *it;
}

// The scalar results of each calculation, in the order of the result columns.
const std::vector<std::string>& ResultColumns(Calculation calculation) {
    const std::string calc = CalculationName(calculation);
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

std::string CellText(const Json& v) {
    if (v.is_null()) return "";
    if (v.is_boolean()) return v.get<bool>() ? "true" : "false";
    if (v.is_number_integer()) return std::to_string(v.get<long long>());
    if (v.is_number()) return NumberText(v.get<double>());
    if (v.is_string()) return v.get<std::string>();
    return "";
}

namespace {
std::string joined(const std::vector<std::string>& lines) {
    std::string t;
    for (const auto& l : lines) t += (t.empty() ? "" : " ") + l;
    return t;
}
const char* const OutOfRange = ": a value of the calculation is out of range (check the values given)";
}  // namespace

RowOutcome RunBatchRow(Calculation calc, const BatchRow& row, const std::string& folder, const RunOptions& opt,
                       const StateReader& read) {
    RowOutcome o;
    auto fail = [&o](std::string status, std::vector<std::string> lines) {
        o.status = std::move(status);
        o.lines = std::move(lines);
    };
    if (!row.readError.empty()) {
        fail("unreadable: " + row.readError, {row.readError});
        return o;
    }
    ProgramState s;
    RunDialogs d;
    d.err = nullptr;
    d.strict = opt.strict;
    try {
        PrepareRunState(s);
        const int rc = RunCalculation(calc, s, d, row.bird, folder, opt, o.out);
        if (rc == ExitOk) d.strictCheck();
        if (rc != ExitOk) {
            const auto lines = d.lastError();
            fail(lines.empty() ? "refused" : joined(lines), lines);
            o.out = Json();
        } else if (std::string refusal = NoFiniteValueRefusal(o.out); !refusal.empty()) {
            fail(refusal, {refusal});
            o.out = Json();
        } else if (o.out.value("aborted", false)) {
            // The abort screen ends the run: its first line is the status.
            auto texts = o.out.value("abortTexts", Json::array());
            std::vector<std::string> lines;
            for (const auto& t : o.out.value("abort", Json::array())) lines.push_back(t.get<std::string>());
            fail(texts.empty() ? "aborted" : CellText(texts[0]), lines);
        } else {
            o.status = "ok";
            if (read) read(s, o);
        }
    } catch (const Refusal& e) {
        fail(joined(e.lines), e.lines);
    } catch (const NumberTextError& e) {
        fail(std::string(e.what()) + OutOfRange, {std::string(e.what()) + OutOfRange});
    } catch (const OverflowError& e) {
        fail(std::string(e.what()) + OutOfRange, {std::string(e.what()) + OutOfRange});
    } catch (const UsageError& e) {
        fail(std::string("unreadable: ") + e.what(), {e.what()});
    } catch (const std::exception& e) {
        fail(std::string("failed: ") + e.what(), {e.what()});
    } catch (...) {
        fail("failed", {"failed"});
    }
    if (o.status != "ok" && !(o.out.is_object() && o.out.value("aborted", false))) o.out = Json();
    o.spName = s.SpName;
    o.shortName = s.ShortName;
    return o;
}

}  // namespace ornivo::api
