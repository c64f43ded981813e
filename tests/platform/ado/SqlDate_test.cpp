#include <gtest/gtest.h>

#include "platform/ado/SqlDate.h"
#include "support/RowName.h"

namespace {

struct DateRow {
    const char* name;
    const char* text;
    std::optional<double> instant;
};

class SqlDateText : public ::testing::TestWithParam<DateRow> {};

TEST_P(SqlDateText, ReadsAsItsInstant)
{
    const auto got = ado::parse_sql_datetime(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().instant.has_value()) << GetParam().text;
    if (got) {
        EXPECT_NEAR(*got, *GetParam().instant, 1e-9) << GetParam().text;
    }
}

constexpr double k_noon = 0.5;

INSTANTIATE_TEST_SUITE_P(Forms, SqlDateText,
    ::testing::Values(DateRow{"Epoch", "1899-12-30", 0.0}, DateRow{"Date", "2024-03-05", 45356.0},
        DateRow{"LeapDay", "2000-02-29", 36585.0},
        DateRow{"DateTime", "2024-03-05 12:00:00", 45356.0 + k_noon},
        DateRow{"IsoT", "2024-03-05T12:00", 45356.0 + k_noon},
        DateRow{"Fraction", "2024-03-05 00:00:00.5", 45356.0 + 0.5 / 86400},
        DateRow{"ZoneIgnored", "2024-03-05 12:00:00+01", 45356.0 + k_noon},
        DateRow{"ZoneWithMinutes", "2024-03-05 12:00:00-05:30", 45356.0 + k_noon},
        DateRow{"TimeOnly", "06:00", 0.25}, DateRow{"BeforeEpoch", "1899-12-29 18:00", -0.25},
        DateRow{"EarliestYear", "0100-01-01", -657434.0},
        DateRow{"NotLeap", "1900-02-29", std::nullopt},
        DateRow{"BadMonth", "2024-13-01", std::nullopt},
        DateRow{"YearTooSmall", "0099-12-31", std::nullopt},
        DateRow{"NotADigit", "2024-0a-05", std::nullopt},
        DateRow{"DayZero", "2024-03-00", std::nullopt},
        DateRow{"Hour24", "2024-03-05 24:00", std::nullopt},
        DateRow{"Trailing", "2024-03-05x", std::nullopt},
        DateRow{"Infinity", "infinity", std::nullopt},
        DateRow{"BeforeChrist", "0044-03-15 BC", std::nullopt}, DateRow{"Empty", "", std::nullopt}),
    pendrel::test::RowName{});

TEST(SqlDate, SerialsBeforeTheEpochCountTheTimeForward)
{
    // 1899-12-29 06:00 is the instant -0.75 and the runtime's serial -1.25.
    EXPECT_DOUBLE_EQ(ado::serial_of_instant(-0.75), -1.25);
    for (const double x : {-1000.5, -2.0, -0.75, 0.0, 0.25, 45356.75})
        EXPECT_DOUBLE_EQ(ado::instant_of_serial(ado::serial_of_instant(x)), x) << x;
}

TEST(SqlDate, TextOfAnInstant)
{
    EXPECT_EQ(ado::text_of_instant(45356.0), "2024-03-05");
    EXPECT_EQ(ado::text_of_instant(45356.0 + (10 * 3600 + 20 * 60 + 30) / 86400.0),
        "2024-03-05 10:20:30");
    EXPECT_EQ(ado::text_of_instant(-0.25), "1899-12-29 18:00:00");
    EXPECT_EQ(ado::text_of_instant(45356.0 + 0.5 / 86400), "2024-03-05 00:00:00.500");
}

} // namespace
