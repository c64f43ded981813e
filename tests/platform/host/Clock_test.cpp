#include <gtest/gtest.h>

#include "platform/host/Clock.h"
#include "platform/vb/DateTime.h"

namespace {

TEST(Clock, AFixedClockHoldsUntilItGoesAndNests)
{
    auto noon = vb::make_date({2026, 12, 5, 12, 0, 0});
    auto evening = vb::make_date({2026, 12, 5, 19, 5, 9});
    {
        host::FixedClock fixed(noon);
        EXPECT_EQ(host::Now(), noon);
        {
            host::FixedClock later(evening);
            EXPECT_EQ(host::Now(), evening);
        }
        EXPECT_EQ(host::Now(), noon);
    }
    EXPECT_NE(host::Now(), noon);
}

} // namespace
