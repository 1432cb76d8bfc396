#include "glide/SummaryGlide.h"

#include "output/GlideTextBlock.h"
#include "state/ControlNames.h"
#include "state/SaveCaption.h"
#include "state/numtext.h"

namespace ornivo::glide {

namespace {
constexpr int Slot = 3;
}

std::string GlideSaveBoxCaption(const ProgramState& s) { return ResultsSaveCaption(s, "glide polar", 7); }

std::string MacCreadyLabel() {
    return "MacCready cross-country speed table\n"
           "Climb is mean rate of climb in thermals\n"
           "Vit(opt) is optimal inter-thermal speed\n"
           "Vcc(max) is cross-country speed when flying at Vit(opt) between thermals\n"
           "Vcc(bg) is cross-country speed when flying at best glide between thermals";
}

std::string MacCreadyText(const ProgramState& s) {
    std::string t = "Climb      Vit(opt)     Vcc(max)   L/D eff     Vcc(bg)      L/D eff\r\n";
    t += "   m/s         m/s            m/s             (opt)         m/s             (bg)\r\n";
    for (std::size_t r = 1; r <= 6; ++r) {
        t += "   " + FormatPattern(double(r) / 2, "#0.0") + std::string(10, ' ');
        for (std::size_t c = 0; c < 5; ++c) {
            float v = 0;
            if (r < s.Glide.MacCreadyTable.size() && c < s.Glide.MacCreadyTable[r].size()) v = s.Glide.MacCreadyTable[r][c];
            t += FormatSig(v, 3) + std::string(11, ' ');
        }
        t += "\r\n";
    }
    return t;
}

ScreenUpdate LoadSummaryGlide(const ProgramState& s) {
    ScreenUpdate u;
    const BirdParams& b = s.slot(Slot);
    u.show(ctl::txtSpName, s.SpName);
    u.show(ctl::txtShortName, s.ShortName);
    u.showSig(ctl::txtVmsTAS, s.Glide.Vms);
    u.showSig(ctl::txtVbgTAS, s.Glide.Vbg);
    u.showSig(ctl::txtVmsEAS, s.Glide.VmsEAS);
    u.showSig(ctl::txtVbgEas, s.Glide.VbgEAS);
    u.showSig(ctl::txtMinSink, s.Glide.MinSink);
    u.showSig(ctl::txtSinkVbg, s.Glide.SinkVbg);
    u.showSig(ctl::txtNVms, s.Glide.GlideRatioVms);
    u.showSig(ctl::txtNmax, s.Glide.BestGlideRatio);
    u.showSig(ctl::txtClVms, s.Glide.ClVms);
    u.showSig(ctl::txtClVbg, s.Glide.ClVbg);
    u.showSig(ctl::txtReWingVms, b.ReWingVms);
    u.showSig(ctl::txtReWingVbg, b.ReWingVbg);
    u.showSig(ctl::txtReBodyVms, b.ReBodyVms);
    u.showSig(ctl::txtReBodyVbg, b.ReBodyVbg);
    u.show(ctl::lblCircleRadius, output::CircleRadiusCaption(s));
    u.showSig(ctl::txtCircleRadius, s.Glide.CircleRadius);
    u.showSig(ctl::txtPchemTonicMusc, s.Glide.PchemTonic);
    u.showSig(ctl::txtPchemGlide, s.Glide.PchemGlide);
    u.showSig(ctl::txtVmp, s.Flap.VmpExact);
    u.showSig(ctl::txtPchemVmp, s.Flap.PchemMin);
    u.showSig(ctl::txtNVmp, s.Flap.NchemVmp);
    u.showSig(ctl::txtVmr, s.Flap.VmrExact);
    u.showSig(ctl::txtPchemVmr, s.Flap.PchemVmr);
    u.showSig(ctl::txtNVmr, s.Flap.NchemMax);
    u.showSig(ctl::txtJperFlap, s.Glide.JperFlap);
    u.show(ctl::lblMacCready, MacCreadyLabel());
    u.show(ctl::txtMacCready, MacCreadyText(s));
    u.show(ctl::chkExcel, GlideSaveBoxCaption(s));
    u.setChecked(ctl::chkExcel, true);
    u.setChecked(ctl::chk4Digit, s.SigDigits != 3);
    return u;
}

}  // namespace ornivo::glide
