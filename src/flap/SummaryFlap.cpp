#include "flap/SummaryFlap.h"

#include <algorithm>
#include <cmath>

#include "state/ControlNames.h"
#include "state/SaveCaption.h"
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

std::string SaveBoxCaption(const ProgramState& s) { return ResultsSaveCaption(s, "power curve", 7); }

ScreenUpdate LoadSummaryFlap(ProgramState& s) {
    ScreenUpdate u;
    const BirdParams& b = s.slot(Slot);
    s.Flap.VmpUncert = 0;
    const double eas = std::sqrt(std::max(0.0, double(s.RelDensity)));
    u.show(ctl::txtSpName, s.SpName);
    u.show(ctl::txtShortName, s.ShortName);
    u.showSig(ctl::txtVmp, s.Flap.Vmp);
    u.showSig(ctl::txtVmr, s.Flap.Vmr);
    u.showSig(ctl::txtVmpEquiv, f32(s.Flap.Vmp * eas));
    u.showSig(ctl::txtVmrEquiv, f32(s.Flap.Vmr * eas));
    u.showSig(ctl::txtPmechMin, s.Flap.PmechMin);
    u.showSig(ctl::txtPmechVmr, s.Flap.PmechVmr);
    u.showSig(ctl::txtPchemMin, s.Flap.PchemMin);
    u.showSig(ctl::txtPchemVmr, s.Flap.PchemVmr);
    u.showSig(ctl::txtNchemVmp, s.Flap.NchemVmp);
    u.showSig(ctl::txtNchemMax, s.Flap.NchemMax);
    u.showSig(ctl::txtQVmp, s.Flap.QVmp);
    u.showSig(ctl::txtQVmr, s.Flap.QVmr);
    u.showSig(ctl::txtDownwashVmp, s.Flap.DownwashVmp);
    u.showSig(ctl::txtDownwashVmr, s.Flap.DownwashVmr);
    u.showSig(ctl::txtReWingVmp, b.ReWingVmp);
    u.showSig(ctl::txtReWingVmr, b.ReWingVmr);
    u.showSig(ctl::txtReBodyVmp, b.ReBodyVmp);
    u.showSig(ctl::txtReBodyVmr, b.ReBodyVmr);
    u.showSig(ctl::txtFredVmp, b.FredVmp);
    u.showSig(ctl::txtFredVmr, b.FredVmr);
    u.showSig(ctl::txtMitoFracVmp, s.Flap.MitoFracVmp);
    u.showSig(ctl::txtMitoFracCruise, s.Flap.MitoFracCruise);
    u.showSig(ctl::txtMitoFracClimb, s.Flap.MitoFracClimb);
    u.showSig(ctl::txtFreq, b.WbeatFreq);
    u.showSig(ctl::txtMaxClimb, s.Flap.MaxClimb);
    showRatio(u, ctl::txtVratio, s.Flap.Vmr, s.Flap.Vmp);
    showRatio(u, ctl::txtPbmrRatio, s.Flap.PchemMin, b.Pbmr);

    const bool bounding = s.FlightStyle == 3;
    for (const char* c : {ctl::lblPowerFrac, ctl::txtPowerFrac, ctl::cmdGetBH}) u.setVisible(c, bounding);
    if (bounding) u.showSig(ctl::txtPowerFrac, b.PowerFracBound);
    for (const char* c :
         {ctl::lblTau, ctl::txtTau, ctl::lblBH, ctl::txtBH, ctl::lblFileName, ctl::txtFileName, ctl::lblWait})
        u.setVisible(c, false);

    u.setChecked(ctl::chkExcelFile, false);
    u.show(ctl::chkExcelFile, SaveBoxCaption(s));
    u.setChecked(ctl::chk4Digit, s.SigDigits != 3);
    return u;
}

ScreenUpdate SaveBoxClick(ProgramState& s) {
    ScreenUpdate u;
    s.OutFileName = s.ShortName;
    u.show(ctl::txtFileName, s.OutFileName);
    const bool first = s.OutputCount == 0;
    u.setVisible(ctl::lblFileName, first);
    u.setVisible(ctl::txtFileName, first);
    if (first) u.focus = ctl::txtFileName;
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
    for (const char* c : {ctl::lblTau, ctl::txtTau, ctl::lblBH, ctl::txtBH}) u.setVisible(c, true);
    u.showSig(ctl::txtTau, b.BoundPeriod);
    u.showSig(ctl::txtBH, b.BoundHeight);
    return u;
}

}  // namespace ornivo::flap
