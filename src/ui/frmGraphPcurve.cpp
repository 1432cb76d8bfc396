#include "ui/frmGraphPcurve.h"

#include <QPushButton>

#include "graph/PowerGraph.h"
#include "state/ControlNames.h"
#include "ui/frmPowerUncert.h"

namespace ornivo::ui {

frmGraphPcurve* frmGraphPcurve::Show(UiContext& ctx, QWidget* opener) {
    if (auto* open = Raised<frmGraphPcurve>(opener)) return open;
    return Open(new frmGraphPcurve(ctx, opener));
}

frmGraphPcurve::frmGraphPcurve(UiContext& ctx, QWidget* opener)
    : GraphScreen(ctx, ctl::frmGraphPcurve, "Power curve", graph::PowerGraphWidthTwips, graph::PowerGraphHeightTwips,
                  "&Return to Power Curve Summary", {"PowerCurves", "power curve"}, opener) {
    cmdUncert = button(ctl::cmdUncert, "Plot &uncertainty bands");
    buttons_->insertWidget(2, cmdUncert);
    // Uncertainty bands are worked out for continuous flapping only.
    const bool flapping = ctx.s.FlightStyle == 1;
    cmdUncert->setEnabled(flapping);
    cmdUncert->setVisible(flapping);
    connect(cmdUncert, &QPushButton::clicked, this, [this] { guarded([this] { cmdUncert_Click(); }); });
}

std::string frmGraphPcurve::drawGraph(graph::Surface& surface, graph::Rotator& rotator) {
    return graph::DrawPowerGraph(ctx_.s, surface, rotator, &labels_);
}

graph::PrintedPage frmGraphPcurve::printedPage(const std::string& heading, const std::string& comment) const {
    return graph::PowerGraphPage(ctx_.s, heading, comment);
}

void frmGraphPcurve::cmdUncert_Click() { frmPowerUncert::Show(ctx_, this); }

void frmGraphPcurve::DrawUncertainty() {
    graph::DrawUncertaintyBands(ctx_.s, pbxGraph->surface(), &labels_);
    pbxGraph->update();
    cmdUncert->setEnabled(false);
    cmdUncert->setVisible(false);
}

}  // namespace ornivo::ui
