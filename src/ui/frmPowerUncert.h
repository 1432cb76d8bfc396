#pragma once
// The uncertainty limits for the power curve: a proportional uncertainty for each of eight inputs,
// from one of three starting sets, and the bands they give drawn into the power-curve graph.
#include <QPointer>
#include <array>

#include "flap/PowerUncertainty.h"
#include "ui/Screen.h"

namespace ornivo::ui {

class frmGraphPcurve;

class frmPowerUncert : public Screen {
    Q_OBJECT
public:
    // Opens the screen over the graph and disables the graph until it closes. Nothing opens when the
    // bird's values cannot give the coefficients (the reason is shown); returns the open screen or null.
    static frmPowerUncert* Show(UiContext& ctx, frmGraphPcurve* graph);

    QLabel *lblHeading, *lblNote, *lblAmend;
    std::array<CommitEdit*, flap::UCount> fields{};  // txtMass ... txtRho, in the order of the checks
    QRadioButton *optWild, *optWT, *optNearZero;
    QPushButton *cmdSetDefaults, *cmdProceed, *cmdCancel;

    // Leaving a field stores the number typed as that variable's uncertainty.
    void field_LostFocus(int variable, const QString& text);
    // "Set Defaults": the set of the selected option, shown in the eight fields.
    void cmdSetDefaults_Click();
    // "Plot uncertainty bands": checks, computes, draws into the graph and closes.
    void cmdProceed_Click();
    // "Forget it".
    void cmdCancel_Click() { close(); }

    const flap::UncertaintySet& uncertainties() const { return set_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    frmPowerUncert(UiContext& ctx, frmGraphPcurve* graph);
    void showSet(const flap::UncertaintySet& set);

    QPointer<frmGraphPcurve> graph_;
    flap::UncertaintyModel model_;
    flap::UncertaintySet set_;
};

}  // namespace ornivo::ui
