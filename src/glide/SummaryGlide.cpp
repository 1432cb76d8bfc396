#include "glide/SummaryGlide.h"

#include "output/GlideTextBlock.h"
#include "state/numtext.h"

namespace ornivo::glide {

namespace {
constexpr int Slot = 3;
}

std::string GlideSaveBoxCaption(const ProgramState& s) {
    if (s.OutputCount > 0)
        return s.UseTextFiles ? "Append results of this run to file " + s.OutFileName
                              : "Save glide polar as a new sheet in workbook " + s.OutFileName;
    return s.UseTextFiles ? "       Open a text file to save results of this run"
                          : "Save glide polar as Sheet 1 of a new Excel workbook";
}

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
    u.show("txtSpName", s.SpName);
    u.show("txtShortName", s.ShortName);
    u.showSig("txtVmsTAS", s.Glide.Vms);
    u.showSig("txtVbgTAS", s.Glide.Vbg);
    u.showSig("txtVmsEAS", s.Glide.VmsEAS);
    u.showSig("txtVbgEas", s.Glide.VbgEAS);
    u.showSig("txtMinSink", s.Glide.MinSink);
    u.showSig("txtSinkVbg", s.Glide.SinkVbg);
    u.showSig("txtNVms", s.Glide.GlideRatioVms);
    u.showSig("txtNmax", s.Glide.BestGlideRatio);
    u.showSig("txtClVms", s.Glide.ClVms);
    u.showSig("txtClVbg", s.Glide.ClVbg);
    u.showSig("txtReWingVms", b.ReWingVms);
    u.showSig("txtReWingVbg", b.ReWingVbg);
    u.showSig("txtReBodyVms", b.ReBodyVms);
    u.showSig("txtReBodyVbg", b.ReBodyVbg);
    u.show("lblCircleRadius", output::CircleRadiusCaption(s));
    u.showSig("txtCircleRadius", s.Glide.CircleRadius);
    u.showSig("txtPchemTonicMusc", s.Glide.PchemTonic);
    u.showSig("txtPchemGlide", s.Glide.PchemGlide);
    u.showSig("txtVmp", s.Flap.VmpExact);
    u.showSig("txtPchemVmp", s.Flap.PchemMin);
    u.showSig("txtNVmp", s.Flap.NchemVmp);
    u.showSig("txtVmr", s.Flap.VmrExact);
    u.showSig("txtPchemVmr", s.Flap.PchemVmr);
    u.showSig("txtNVmr", s.Flap.NchemMax);
    u.showSig("txtJperFlap", s.Glide.JperFlap);
    u.show("lblMacCready", MacCreadyLabel());
    u.show("txtMacCready", MacCreadyText(s));
    u.show("chkExcel", GlideSaveBoxCaption(s));
    u.setChecked("chkExcel", true);
    u.setChecked("chk4Digit", s.SigDigits != 3);
    return u;
}

}  // namespace ornivo::glide
