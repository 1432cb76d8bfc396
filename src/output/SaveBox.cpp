#include "output/SaveBox.h"

namespace ornivo::output {

ScreenUpdate RunSaveBoxClick(ProgramState& s) {
    ScreenUpdate u;
    const bool first = s.OutputCount == 0;
    u.setVisible("lblFileName", first);
    u.setVisible("txtFileName", first);
    if (!first) return u;
    s.OutFileName = s.ShortName;
    u.show("txtFileName", s.OutFileName);
    u.focus = "txtFileName";
    return u;
}

void NameFirstOutputAfterBird(ProgramState& s) {
    if (s.OutputCount == 0) s.OutFileName = s.ShortName;
}

}  // namespace ornivo::output
