#include "flap/SummaryFlap.h"

#include <algorithm>
#include <cmath>

#include "state/Single.h"
#include "state/numtext.h"

namespace ornivo::flap {
namespace {

constexpr int Slot = ModePowerCurve;

// A ratio shown on the screen; a zero divisor shows nothing rather than an infinity.
void showRatio(ScreenUpdate& u, const std::string& control, double num, double den) {
    if (den != 0 && std::isfinite(num / den)) u.showSig(control, f32(num / den));
    else u.show(control, "");
}

}  // namespace

std::string SaveBoxCaption(const ProgramState& s) {
    if (s.OutputCount > 0)
        return s.UseTextFiles ? "Append results of this run to file " + s.OutFileName
                              : "Save power curve as a new sheet in workbook " + s.OutFileName;
    return s.UseTextFiles ? "       Open a text file to save results of this run"
                          : "Save power curve as Sheet 1 of a new Excel workbook";
}

ScreenUpdate LoadSummaryFlap(ProgramState& s) {
    ScreenUpdate u;
    const BirdParams& b = s.slot(Slot);
    s.Flap.VmpUncert = 0;
    const double eas = std::sqrt(std::max(0.0, double(s.RelDensity)));
    u.show("txtSpName", s.SpName);
    u.show("txtShortName", s.ShortName);
    u.showSig("txtVmp", s.Flap.Vmp);
    u.showSig("txtVmr", s.Flap.Vmr);
    u.showSig("txtVmpEquiv", f32(s.Flap.Vmp * eas));
    u.showSig("txtVmrEquiv", f32(s.Flap.Vmr * eas));
    u.showSig("txtPmechMin", s.Flap.PmechMin);
    u.showSig("txtPmechVmr", s.Flap.PmechVmr);
    u.showSig("txtPchemMin", s.Flap.PchemMin);
    u.showSig("txtPchemVmr", s.Flap.PchemVmr);
    u.showSig("txtNchemVmp", s.Flap.NchemVmp);
    u.showSig("txtNchemMax", s.Flap.NchemMax);
    u.showSig("txtQVmp", s.Flap.QVmp);
    u.showSig("txtQVmr", s.Flap.QVmr);
    u.showSig("txtDownwashVmp", s.Flap.DownwashVmp);
    u.showSig("txtDownwashVmr", s.Flap.DownwashVmr);
    u.showSig("txtReWingVmp", b.ReWingVmp);
    u.showSig("txtReWingVmr", b.ReWingVmr);
    u.showSig("txtReBodyVmp", b.ReBodyVmp);
    u.showSig("txtReBodyVmr", b.ReBodyVmr);
    u.showSig("txtFredVmp", b.FredVmp);
    u.showSig("txtFredVmr", b.FredVmr);
    u.showSig("txtMitoFracVmp", s.Flap.MitoFracVmp);
    u.showSig("txtMitoFracCruise", s.Flap.MitoFracCruise);
    u.showSig("txtMitoFracClimb", s.Flap.MitoFracClimb);
    u.showSig("txtFreq", b.WbeatFreq);
    u.showSig("txtMaxClimb", s.Flap.MaxClimb);
    showRatio(u, "txtVratio", s.Flap.Vmr, s.Flap.Vmp);
    showRatio(u, "txtPbmrRatio", s.Flap.PchemMin, b.Pbmr);

    const bool bounding = s.FlightStyle == 3;
    for (const char* c : {"lblPowerFrac", "txtPowerFrac", "cmdGetBH"}) u.setVisible(c, bounding);
    if (bounding) u.showSig("txtPowerFrac", b.PowerFracBound);
    for (const char* c : {"lblTau", "txtTau", "lblBH", "txtBH", "lblFileName", "txtFileName", "lblWait"})
        u.setVisible(c, false);

    u.setChecked("chkExcelFile", false);
    u.show("chkExcelFile", SaveBoxCaption(s));
    u.setChecked("chk4Digit", s.SigDigits != 3);
    return u;
}

ScreenUpdate SaveBoxClick(ProgramState& s) {
    ScreenUpdate u;
    s.OutFileName = s.ShortName;
    u.show("txtFileName", s.OutFileName);
    const bool first = s.OutputCount == 0;
    u.setVisible("lblFileName", first);
    u.setVisible("txtFileName", first);
    if (first) u.focus = "txtFileName";
    return u;
}

void Set4DigitOutput(ProgramState& s, bool checked) { s.SigDigits = checked ? 4 : 3; }

float BoundHeight(const ProgramState& s, double T) {
    return f32(double(s.slot(0).Gravity) * T * T * (1 - double(s.slot(Slot).PowerFracBound)) / 8);
}

ScreenUpdate FindBoundHeight(ProgramState& s, platform::Dialogs& d) {
    ScreenUpdate u;
    const std::string answer = d.inputBox("Enter bound period in seconds", "");
    if (answer.empty()) return u;
    BirdParams& b = s.slot(Slot);
    b.BoundPeriod = f32(LeadingNumber(answer));
    b.BoundHeight = BoundHeight(s, b.BoundPeriod);
    for (const char* c : {"lblTau", "txtTau", "lblBH", "txtBH"}) u.setVisible(c, true);
    u.showSig("txtTau", b.BoundPeriod);
    u.showSig("txtBH", b.BoundHeight);
    return u;
}

}  // namespace ornivo::flap
