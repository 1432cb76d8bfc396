#include "output/SaveBox.h"
#include "state/ControlNames.h"

namespace ornivo::output {

ScreenUpdate RunSaveBoxClick(ProgramState& s) {
    ScreenUpdate u;
    const bool first = s.OutputCount == 0;
    u.setVisible(ctl::lblFileName, first);
    u.setVisible(ctl::txtFileName, first);
    if (!first) return u;
    s.OutFileName = s.ShortName;
    u.show(ctl::txtFileName, s.OutFileName);
    u.focus = ctl::txtFileName;
    return u;
}

void NameFirstOutputAfterBird(ProgramState& s) {
    if (s.OutputCount == 0) s.OutFileName = s.ShortName;
}

}  // namespace ornivo::output
