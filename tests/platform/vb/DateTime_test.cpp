#include "platform/vb/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <tuple>

#include "platform/vb/Error.h"
#include "support/RowName.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using pendrel::test::raised_number;

namespace {

auto row_name = pendrel::test::RowName{};

constexpr double k_second = 1.0 / 86400;

struct PartsRow {
    const char* name;
    DateParts parts;
    double serial;
    friend void PrintTo(const PartsRow& r, std::ostream* os) { *os << r.name; }
};

class DateSerials : public testing::TestWithParam<PartsRow> {};

TEST_P(DateSerials, PartsAndSerialRoundTrip)
{
    const PartsRow& row = GetParam();
    EXPECT_NEAR(make_date(row.parts).serial, row.serial, 1e-9);
    const auto fields = [](const DateParts& p) {
        return std::tuple(p.year, p.month, p.day, p.hour, p.minute, p.second);
    };
    EXPECT_EQ(fields(split_date(Date{row.serial})), fields(row.parts));
}

INSTANTIATE_TEST_SUITE_P(Rows, DateSerials,
    testing::Values(PartsRow{"DayZero", {1899, 12, 30}, 0.0},
        PartsRow{"FirstOfMarch1900", {1900, 3, 1}, 61.0},
        PartsRow{"LeapDay2000", {2000, 2, 29}, 36585.0},
        PartsRow{"EveningIn2026", {2026, 12, 5, 19, 5, 9}, 46361.0 + 68709 * k_second},
        PartsRow{"DayBeforeZero", {1899, 12, 29}, -1.0},
        PartsRow{"MorningBeforeZero", {1899, 12, 29, 6}, -1.25},
        PartsRow{"Gregorian1582", {1582, 10, 15}, -115858.0},
        PartsRow{"FirstDate", {100, 1, 1}, -657434.0},
        PartsRow{"FirstDateLastSecond", {100, 1, 1, 23, 59, 59}, -657434.0 - 86399 * k_second},
        PartsRow{"LastDateLastSecond", {9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399 * k_second}),
    row_name);

TEST(DateSerials, RoundToTheNearestSecondButNotPastTheLastDate)
{
    // Rounding into the next day near day zero: see the DateText rows.
    const DateParts last = split_date(Date{2958465.99999999});
    EXPECT_EQ(last.year, 9999);
    EXPECT_EQ(last.second, 59);
    EXPECT_EQ(split_date(Date{10.5 + 0.4 * k_second}).second, 0);
    EXPECT_EQ(split_date(Date{10.5 + 0.6 * k_second}).second, 1);
}

TEST(DateSerials, InvalidPartsAndSerialsRaise)
{
    const auto make = [](DateParts p) { return raised_number([&] { (void)make_date(p); }); };
    EXPECT_EQ(make({2026, 2, 29}), err::InvalidProcedureCall);
    EXPECT_EQ(make({1900, 2, 29}), err::InvalidProcedureCall);
    EXPECT_EQ(make({99, 12, 31}), err::InvalidProcedureCall);
    EXPECT_EQ(make({10000, 1, 1}), err::InvalidProcedureCall);
    EXPECT_EQ(make({2026, 1, 1, 24}), err::InvalidProcedureCall);
    EXPECT_EQ(make({2026, 1, 1, 0, 60}), err::InvalidProcedureCall);
    const auto split = [](double s) { return raised_number([&] { (void)split_date(Date{s}); }); };
    EXPECT_EQ(split(2958466.0), err::InvalidProcedureCall);
    EXPECT_EQ(split(-657435.0), err::InvalidProcedureCall);
    EXPECT_EQ(split(std::nan("")), err::InvalidProcedureCall);
    EXPECT_EQ(split(-657434.999), 0);
}

struct TextRow {
    const char* name;
    double serial;
    const char* text;
    friend void PrintTo(const TextRow& r, std::ostream* os) { *os << r.name; }
};

class DateText : public testing::TestWithParam<TextRow> {};

TEST_P(DateText, WritesDateTimeDateOnlyOrTimeOnly)
{
    EXPECT_EQ(date_text(Date{GetParam().serial}), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, DateText,
    testing::Values(TextRow{"DayZeroMidnight", 0.0, "00:00:00"},
        TextRow{"NegativeHalfIsDayZero", -0.5, "12:00:00"}, TextRow{"DateOnly", 1.0, "1899-12-31"},
        TextRow{"DayBeforeZero", -1.0, "1899-12-29"},
        TextRow{"BeforeZeroWithTime", -1.25, "1899-12-29 06:00:00"},
        TextRow{"DateAndTime", 3.34, "1900-01-02 08:09:36"},
        TextRow{"FirstDate", -657434.0, "0100-01-01"},
        TextRow{"RoundsIntoNextDay", 0.99999999, "1899-12-31"},
        TextRow{"RoundsBackToDayZero", -1.99999999, "00:00:00"}),
    row_name);

struct ParseRow {
    const char* name;
    const char* text;
    double serial; // when error == 0
    Long error;
    friend void PrintTo(const ParseRow& r, std::ostream* os) { *os << r.name; }
};

class ParseDate : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseDate, ReadsTheTextFormsOrRaisesTypeMismatch)
{
    const ParseRow& row = GetParam();
    Date result;
    EXPECT_EQ(raised_number([&] { result = parse_date(row.text); }), row.error);
    if (row.error == 0) {
        EXPECT_NEAR(result.serial, row.serial, 1e-9);
    }
}

constexpr double k_evening = 46361.0 + 68709 * k_second; // 2026-12-05 19:05:09
constexpr Long k_mismatch = err::TypeMismatch;

INSTANTIATE_TEST_SUITE_P(Rows, ParseDate,
    testing::Values(ParseRow{"DateOnly", "2026-12-05", 46361.0, 0},
        ParseRow{"DateTime", "2026-12-05 19:05:09", k_evening, 0},
        ParseRow{"IsoSeparator", "2026-12-05T19:05:09", k_evening, 0},
        ParseRow{"NoSeconds", "2026-12-05 19:05", k_evening - 9 * k_second, 0},
        ParseRow{"BlanksAround", "  2026-12-05 19:05:09 ", k_evening, 0},
        ParseRow{"TimeOnly", "19:05:09", 68709 * k_second, 0},
        ParseRow{"OneDigitMonthDay", "2026-1-2", 46024.0, 0},
        ParseRow{"NoLeapDay", "2026-02-29", 0, k_mismatch},
        ParseRow{"YearBeforeRange", "0099-12-31", 0, k_mismatch},
        ParseRow{"Slashes", "2026/12/05", 0, k_mismatch}, ParseRow{"Empty", "", 0, k_mismatch},
        ParseRow{"TrailingText", "2026-12-05 19:05:09x", 0, k_mismatch},
        ParseRow{"Number", "5.1", 0, k_mismatch},
        ParseRow{"TwoDigitYear", "26-12-05", 0, k_mismatch}),
    row_name);

TEST(DateText, TextRoundTripsThroughParse)
{
    for (const double serial : {0.0, 0.5, -1.25, 1.0, 46361.0 + 68709 * k_second, -657434.0,
             -657434.0 - 86399 * k_second, 2958465.0 + 86399 * k_second}) {
        EXPECT_NEAR(parse_date(date_text(Date{serial})).serial, serial, 1e-9) << serial;
    }
}

TEST(Now, IsTheLocalTimeToTheSecond)
{
    const auto local_now = [] {
        const std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        return make_date({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
            tm.tm_sec > 59 ? 59 : tm.tm_sec});
    };
    const Date before = local_now();
    const Date now = Now();
    const Date after = local_now();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
    const DateParts p = split_date(now);
    EXPECT_NEAR(make_date(p).serial, now.serial, 1e-9); // whole seconds
}

} // namespace
