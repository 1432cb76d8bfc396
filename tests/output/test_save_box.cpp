// The glide-polar and migration save box: the file is named after the bird only before its first run.
#include <gtest/gtest.h>

#include "output/SaveBox.h"

using namespace ornivo;

namespace {
bool shown(const ScreenUpdate& u, const std::string& control) {
    for (const auto& [name, v] : u.visible)
        if (name == control) return v;
    ADD_FAILURE() << control << " not set";
    return false;
}
}  // namespace

TEST(RunSaveBox, NamesTheFileBeforeTheFirstRunAndKeepsTheNameAfter) {
    ProgramState s;
    s.ShortName = "Stork";
    ScreenUpdate first = output::RunSaveBoxClick(s);
    EXPECT_EQ(s.OutFileName, "Stork");
    ASSERT_NE(first.textOf("txtFileName"), nullptr);
    EXPECT_EQ(*first.textOf("txtFileName"), "Stork");
    EXPECT_TRUE(shown(first, "txtFileName"));
    EXPECT_EQ(first.focus, "txtFileName");

    // A later run of the same file: a renamed bird does not rename the file the runs go to.
    s.OutputCount = 1;
    s.ShortName = "White stork";
    ScreenUpdate later = output::RunSaveBoxClick(s);
    EXPECT_EQ(s.OutFileName, "Stork");
    EXPECT_EQ(later.textOf("txtFileName"), nullptr);
    EXPECT_FALSE(shown(later, "lblFileName"));
    EXPECT_FALSE(shown(later, "txtFileName"));
    EXPECT_TRUE(later.focus.empty());
}
