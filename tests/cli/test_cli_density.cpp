// End-to-end: ornivo-cli density.
#include <gtest/gtest.h>

#include "support/RunCli.h"

TEST(CliDensity, AltitudeGivesStandardDensity)
{
    auto r = RunCli({"density", "--altitude", "1000"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"AirDensity\""), std::string::npos) << r.out;
}
