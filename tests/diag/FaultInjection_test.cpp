// Numbered steps and the faults a test injects into them: only the named
// step of the named procedure fails, while the fault lives, on its thread.

#include "diag/Steps.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "platform/host/MessageBox.h"

namespace diag {
namespace {

TEST(Steps, InjectedFaultHitsOnlyItsStepWhileItLives)
{
    std::vector<std::string> ran;
    const auto run = [&] {
        Steps s("IsBlank");
        s.step("1", [&] { ran.emplace_back("1"); });
        s.step("2", [&] { ran.emplace_back("2"); });
        if (s.condition("3", [&] { return false; }))
            ran.emplace_back("body");
    };
    {
        InjectedFault step("IsBlank", "2", vb::Error(5, "x", "y"));
        InjectedFault condition("IsBlank", "3", vb::Error(5, "x", "y"));
        InjectedFault elsewhere("Let RowSource", "1", vb::Error(5, "x", "y"));
        run();
        EXPECT_EQ(std::tuple(step.hits(), condition.hits(), elsewhere.hits()), std::tuple(1, 1, 0));
    }
    // The failed step did no work; the failed condition counted as true.
    EXPECT_EQ(ran, (std::vector<std::string>{"1", "body"}));
    ran.clear();
    run();
    EXPECT_EQ(ran, (std::vector<std::string>{"1", "2"}));
}

TEST(Steps, InjectedFaultBelongsToItsThread)
{
    InjectedFault fault("IsBlank", "1", vb::Error(5, "x", "y"));
    bool ran = false;
    std::thread([&] {
        Steps s("IsBlank");
        s.step("1", [&] { ran = true; });
    }).join();
    EXPECT_TRUE(ran);
    EXPECT_EQ(fault.hits(), 0);
}

} // namespace
} // namespace diag
