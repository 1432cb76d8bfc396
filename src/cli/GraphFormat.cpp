// --graph FILE of power-curve and glide-polar: the screen's drawing written as PNG, SVG or PDF by the
// file's extension, without a display (offscreen painting). With --uncertainty the bands are drawn
// into the lower plot of the power curve when they were computed.
#include <iostream>

#include "cli/CalcOutput.h"
#include "render/Export.h"

namespace ornivo::cli {
namespace {

// Checked with the options, before the run.
void checkGraphPath(const CalcOptions& opt) {
    if (opt.graph && !render::PictureFormatOf(*opt.graph))
        throw UsageError("cannot write " + *opt.graph + ": the graph is written as .png, .svg or .pdf");
}

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

const bool registered =
    RegisterOutputWriter("power-curve/graph",
                         [](ProgramState& s, RunDialogs&, const CalcOptions& o) {
                             return writeGraph(o, [&](std::string& e) {
                                 return render::SavePowerGraph(s, *o.graph, o.uncertainty && s.UncertDone, e);
                             });
                         }) &&
    RegisterOutputWriter("glide-polar/graph", [](ProgramState& s, RunDialogs&, const CalcOptions& o) {
        return writeGraph(o, [&](std::string& e) { return render::SavePolarGraph(s, *o.graph, e); });
    }) &&
    RegisterOptionCheck("power-curve/graph", checkGraphPath) && RegisterOptionCheck("glide-polar/graph", checkGraphPath);

}  // namespace
}  // namespace ornivo::cli
