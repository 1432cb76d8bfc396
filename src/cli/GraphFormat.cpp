// --graph FILE of power-curve and glide-polar: the screen's drawing written as PNG, SVG or PDF by the
// file's extension, without a display (offscreen painting). With --uncertainty the bands are drawn
// into the lower plot of the power curve when they were computed.
#include <iostream>

#include "cli/CalcOutput.h"
#include "render/Export.h"

namespace ornivo::cli {
namespace {

int writeGraph(const CalcOptions& opt, const std::function<bool(std::string&)>& save) {
    const std::string& path = *opt.graph;
    render::EnsureGuiApplication();
    std::string error;
    if (!save(error)) {
        std::cerr << "cannot write " << path << ": " << error << "\n";
        return ExitFailure;
    }
    return ExitOk;
}

}  // namespace

void CheckGraphPath(const CalcOptions& opt) {
    if (opt.graph && !render::PictureFormatOf(*opt.graph))
        throw UsageError("cannot write " + *opt.graph + ": the graph is written as .png, .svg or .pdf");
}

OutputWriter GraphWriter(const std::string& calculation) {
    if (calculation == "power-curve")
        return [](ProgramState& s, RunDialogs&, const CalcOptions& o) {
            return writeGraph(o, [&](std::string& e) {
                return render::SavePowerGraph(s, *o.graph, o.uncertainty && s.Flap.UncertDone, e);
            });
        };
    if (calculation == "glide-polar")
        return [](ProgramState& s, RunDialogs&, const CalcOptions& o) {
            return writeGraph(o, [&](std::string& e) { return render::SavePolarGraph(s, *o.graph, e); });
        };
    return {};
}

}  // namespace ornivo::cli
