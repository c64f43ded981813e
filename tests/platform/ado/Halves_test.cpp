// Passes split in two halves: both halves run, on two threads or on one,
// and what either throws comes out of the call.
#include <atomic>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/ado/Halves.h"

namespace {

TEST(Halves, OnTwoThreadsOrOneBothRunAndTheFirstFailureComesOut)
{
    for (const bool split : {false, true}) {
        std::atomic<int> ran{0};
        ado::in_halves(split, [&](int h) { ran += h + 1; });
        EXPECT_EQ(ran, 3) << split;
        // Which halves throw (bit 0: the first) and what comes out.
        const auto thrown = [&](int throwing) {
            try {
                ado::in_halves(split, [&](int h) {
                    if ((throwing >> h & 1) != 0)
                        throw std::runtime_error(std::to_string(h));
                });
            } catch (const std::runtime_error& e) {
                return std::string(e.what());
            }
            return std::string("nothing");
        };
        EXPECT_EQ(thrown(0), "nothing");
        EXPECT_EQ(thrown(1), "0");
        EXPECT_EQ(thrown(2), "1");
        EXPECT_EQ(thrown(3), "0");
    }
    EXPECT_EQ(ado::half_of(7), 3U);
    EXPECT_EQ(ado::half_of(300, 64), 128U);
}

} // namespace
