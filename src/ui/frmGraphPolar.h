#pragma once
// The glide-polar graph: sinking speed on the left-hand scale and the span reduction factor on the
// right-hand scale, against true air speed.
#include "ui/GraphScreen.h"

namespace ornivo::ui {

class frmGraphPolar : public GraphScreen {
    Q_OBJECT
public:
    // Opens the graph of the last glide-polar run without blocking `opener`, or brings
    // the one it has open to the front. Shows why and returns
    // null when there is no polar to draw.
    static frmGraphPolar* Show(UiContext& ctx, QWidget* opener);

protected:
    std::string drawGraph(graph::Surface& surface, graph::Rotator& rotator) override;
    graph::PrintedPage printedPage(const std::string& heading, const std::string& comment) const override;

private:
    frmGraphPolar(UiContext& ctx, QWidget* opener);
};

}  // namespace ornivo::ui
