#pragma once
// The power-curve graph: chemical power above, mechanical power below, against true air speed. For
// continuous flapping it opens the power uncertainty screen, which adds its bands to the lower plot.
#include "graph/LabelLayout.h"
#include "ui/GraphScreen.h"

namespace ornivo::ui {

class frmGraphPcurve : public GraphScreen {
    Q_OBJECT
public:
    // Opens the graph of the last power-curve run without blocking `opener`, or brings
    // the one it has open to the front. Shows why and returns
    // null when there is no curve to draw.
    static frmGraphPcurve* Show(UiContext& ctx, QWidget* opener);

    QPushButton* cmdUncert;

    // "Plot uncertainty bands": the uncertainty screen, which disables this one while it is open.
    void cmdUncert_Click();
    // Draws the computed uncertainty bands into the lower plot; the button is then disabled and hidden.
    void DrawUncertainty();

protected:
    std::string drawGraph(graph::Surface& surface, graph::Rotator& rotator) override;
    graph::PrintedPage printedPage(const std::string& heading, const std::string& comment) const override;

private:
    frmGraphPcurve(UiContext& ctx, QWidget* opener);
    graph::LabelPlacer labels_;  // where the graph's texts stand, so the bands' label keeps clear of them
};

}  // namespace ornivo::ui
