#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/ado/Predicate.h"
#include "support/RowName.h"

namespace {

using ado::Number;

struct IntRow {
    const char* name;
    std::int64_t cell;
    Number literal;
    int order;
};

class IntegerAgainstLiteral : public ::testing::TestWithParam<IntRow> {};

TEST_P(IntegerAgainstLiteral, ComparesExactly)
{
    EXPECT_EQ(ado::compare_values(GetParam().cell, GetParam().literal), GetParam().order);
    // The same value held as a real compares the same way where a double holds it.
    if (std::abs(GetParam().cell) < (std::int64_t(1) << 53)) {
        EXPECT_EQ(ado::compare_values(static_cast<double>(GetParam().cell), GetParam().literal),
            GetParam().order);
    }
}

constexpr double k_nan = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t k_big = 9007199254740993; // 2^53 + 1

INSTANTIATE_TEST_SUITE_P(Values, IntegerAgainstLiteral,
    ::testing::Values(IntRow{"Equal", 12, {true, 12, 12.0}, 0},
        IntRow{"TwelveIsNotOneTwenty", 120, {true, 12, 12.0}, 1},
        IntRow{"Below", 11, {true, 12, 12.0}, -1},
        IntRow{"FractionAbove", 12, {false, 0, 12.5}, -1},
        IntRow{"NegativeFraction", -3, {false, 0, -2.5}, -1},
        IntRow{"WholeReal", 12, {false, 0, 12.0}, 0}, IntRow{"HugeReal", 5, {false, 0, 1e300}, -1},
        IntRow{"HugeNegativeReal", 5, {false, 0, -1e300}, 1},
        IntRow{"NaNIsUnordered", 5, {false, 0, k_nan}, 2},
        IntRow{"BeyondDoublesExactIntegers", k_big, {true, k_big, double(k_big)}, 0},
        IntRow{"NeighbourOfBig", k_big - 1, {true, k_big, double(k_big)}, -1},
        IntRow{"BigAgainstItsRoundedReal", k_big, {false, 0, 9007199254740992.0}, 1}),
    pendrel::test::RowName{});

} // namespace
