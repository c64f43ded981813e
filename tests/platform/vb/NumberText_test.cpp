#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "platform/vb/Convert.h"
#include "support/RowName.h"

using namespace vb;

namespace {

template <class T> struct TextRow {
    const char* name;
    T value;
    const char* expected;
    friend void PrintTo(const TextRow& r, std::ostream* os) { *os << r.name; }
};

auto row_name = pendrel::test::RowName{};

using DoubleRow = TextRow<double>;
class DoubleText : public testing::TestWithParam<DoubleRow> {};

TEST_P(DoubleText, FifteenDigitsPlainOrExponent)
{
    EXPECT_EQ(double_text(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleText,
    testing::Values(DoubleRow{"Zero", 0.0, "0"}, DoubleRow{"NegativeZero", -0.0, "0"},
        DoubleRow{"NegativeFraction", -1.5, "-1.5"},
        DoubleRow{"SumRoundsToFifteenDigits", 0.1 + 0.2, "0.3"},
        DoubleRow{"OneThird", 1.0 / 3, "0.333333333333333"},
        DoubleRow{"TwoThirds", 2.0 / 3, "0.666666666666667"},
        DoubleRow{"FifteenNines", 999999999999999.0, "999999999999999"},
        DoubleRow{"FifteenNinesRoundsUp", 999999999999999.9, "1E+15"},
        DoubleRow{"OneE15", 1e15, "1E+15"}, DoubleRow{"OneAndHalfE15", 1.5e15, "1.5E+15"},
        DoubleRow{"Eighteen", 123456789012345678.0, "1.23456789012346E+17"},
        DoubleRow{"OneEMinus15", 1e-15, "0.000000000000001"},
        DoubleRow{"OneEMinus16", 1e-16, "1E-16"},
        // Plainly written these would need a 16th place after the point.
        DoubleRow{"OneAndHalfEMinus15", 1.5e-15, "1.5E-15"},
        DoubleRow{"OneThirtieth", 1.0 / 30, "3.33333333333333E-02"},
        DoubleRow{"SmallButShort", 0.00001, "0.00001"},
        DoubleRow{"Max", DBL_MAX, "1.79769313486232E+308"},
        DoubleRow{"SmallestSubnormal", std::numeric_limits<double>::denorm_min(),
            "4.94065645841247E-324"},
        DoubleRow{"Infinity", std::numeric_limits<double>::infinity(), "1.#INF"}),
    row_name);

using SingleRow = TextRow<float>;
class SingleText : public testing::TestWithParam<SingleRow> {};

TEST_P(SingleText, SevenDigitsPlainOrExponent)
{
    EXPECT_EQ(single_text(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleText,
    testing::Values(SingleRow{"OnePointOne", 1.1f, "1.1"},
        SingleRow{"OneThird", 1.0f / 3, "0.3333333"},
        SingleRow{"SevenNines", 9999999.0f, "9999999"}, SingleRow{"OneE7", 1e7f, "1E+07"},
        SingleRow{"EightDigits", 12345678.0f, "1.234568E+07"},
        SingleRow{"OneEMinus7", 1e-7f, "0.0000001"}, SingleRow{"OneEMinus8", 1e-8f, "1E-08"},
        SingleRow{"Max", FLT_MAX, "3.402823E+38"}),
    row_name);

} // namespace
