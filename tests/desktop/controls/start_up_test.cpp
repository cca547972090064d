// Starting where no display can be reached (a display that is gone, or a
// terminal with none named) is a start-up failure like any other: one line on
// standard error that says so and names the display, and exit code 1; never
// an abort.
#include "tests/desktop/harness/tolvika_run.h"
#include "tests/desktop/harness/waiting.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

// A display number no X server of this machine listens on.
constexpr auto kMissingDisplay = ":4093";

void expectOneLineAndExitCodeOne(TolvikaRun& run, const std::string& displayNamed)
{
    EXPECT_EQ(run.waitForExit(10s), 1);
    const auto lines = run.standardErrorLines();
    ASSERT_EQ(lines.size(), 1u) << run.standardError();
    EXPECT_NE(lines.front().find("display"), std::string::npos) << lines.front();
    EXPECT_NE(lines.front().find(displayNamed), std::string::npos) << lines.front();
}

TEST(StartUp, WithoutAReachableDisplayEndsWithOneLineAndExitCodeOne)
{
    TolvikaRun gone(LaunchOptions{.environment = {{"DISPLAY", kMissingDisplay}}});
    expectOneLineAndExitCodeOne(gone, std::string("\"").append(kMissingDisplay).append("\""));
    TolvikaRun unnamed(LaunchOptions{.environment = {{"DISPLAY", ""}}});
    expectOneLineAndExitCodeOne(unnamed, "no display");
}

} // namespace
} // namespace desktop
