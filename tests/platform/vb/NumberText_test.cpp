#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "platform/vb/Convert.h"
#include "support/RowName.h"

using namespace vb;

namespace {

// A Double has 15 significant digits, a Single 7.
struct TextRow {
    const char* name;
    double value;
    const char* expected;
    bool single = false;
};

class NumberText : public testing::TestWithParam<TextRow> {};

TEST_P(NumberText, RoundsToItsDigitsThenWritesPlainOrExponent)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(row.single ? single_text(static_cast<float>(row.value)) : double_text(row.value),
        row.expected);
}

const TextRow k_rows[] = {{"NegativeZero", -0.0, "0"}, {"NegativeFraction", -1.5, "-1.5"},
    {"SumRoundsToFifteenDigits", 0.1 + 0.2, "0.3"}, {"OneThird", 1.0 / 3, "0.333333333333333"},
    {"FifteenNines", 999999999999999.0, "999999999999999"},
    {"FifteenNinesRoundsUp", 999999999999999.9, "1E+15"},
    {"Eighteen", 123456789012345678.0, "1.23456789012346E+17"},
    {"OneEMinus15", 1e-15, "0.000000000000001"}, {"OneEMinus16", 1e-16, "1E-16"},
    // Plainly written these would need a 16th place after the point.
    {"OneAndHalfEMinus15", 1.5e-15, "1.5E-15"}, {"OneThirtieth", 1.0 / 30, "3.33333333333333E-02"},
    {"Max", DBL_MAX, "1.79769313486232E+308"},
    {"Infinity", std::numeric_limits<double>::infinity(), "1.#INF"},
    {"SingleOnePointOne", 1.1f, "1.1", true}, {"SingleOneThird", 1.0f / 3, "0.3333333", true},
    {"SingleSevenNines", 9999999.0f, "9999999", true}, {"SingleOneE7", 1e7f, "1E+07", true},
    {"SingleOneEMinus7", 1e-7f, "0.0000001", true}, {"SingleOneEMinus8", 1e-8f, "1E-08", true}};

INSTANTIATE_TEST_SUITE_P(Rows, NumberText, testing::ValuesIn(k_rows), pendrel::test::RowName{});

} // namespace
