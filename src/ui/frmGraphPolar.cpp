#include "ui/frmGraphPolar.h"

#include "graph/PolarGraph.h"
#include "state/ControlNames.h"

namespace ornivo::ui {

frmGraphPolar* frmGraphPolar::Show(UiContext& ctx, QWidget* opener) {
    if (auto* open = Raised<frmGraphPolar>(opener)) return open;
    return Open(new frmGraphPolar(ctx, opener));
}

frmGraphPolar::frmGraphPolar(UiContext& ctx, QWidget* opener)
    : GraphScreen(ctx, ctl::frmGraphPolar, "Glide polar", graph::PolarGraphWidthTwips, graph::PolarGraphHeightTwips,
                  "&Return to Glide Polar Summary", {"GlidePolars", "glide polar"}, opener) {}

std::string frmGraphPolar::drawGraph(graph::Surface& surface, graph::Rotator& rotator) {
    return graph::DrawPolarGraph(ctx_.s, surface, rotator);
}

graph::PrintedPage frmGraphPolar::printedPage(const std::string& heading, const std::string& comment) const {
    return graph::PolarGraphPage(ctx_.s, heading, comment);
}

}  // namespace ornivo::ui
