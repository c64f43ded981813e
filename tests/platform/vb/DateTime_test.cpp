#include "platform/vb/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <optional>
#include <tuple>

#include "support/RowName.h"
#include "support/VbError.h"

using namespace vb;

namespace {

auto row_name = pendrel::test::RowName{};

constexpr double k_second = 1.0 / 86400;
constexpr double k_evening = 46361.0 + 68709 * k_second; // 2026-12-05 19:05:09

struct PartsRow {
    const char* name;
    DateParts parts;
    double serial;
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

const PartsRow k_serials[] = {{"FirstOfMarch1900", {1900, 3, 1}, 61.0},
    {"LeapDay2000", {2000, 2, 29}, 36585.0}, {"EveningIn2026", {2026, 12, 5, 19, 5, 9}, k_evening},
    // Before day zero the time still counts forward from midnight.
    {"MorningBeforeZero", {1899, 12, 29, 6}, -1.25},
    {"FirstDateLastSecond", {100, 1, 1, 23, 59, 59}, -657434.0 - 86399 * k_second},
    {"LastDateLastSecond", {9999, 12, 31, 23, 59, 59}, 2958465.0 + 86399 * k_second}};

INSTANTIATE_TEST_SUITE_P(Rows, DateSerials, testing::ValuesIn(k_serials), row_name);

TEST(DateSerials, RoundToTheNearestSecondAndRaiseOutsideTheRange)
{
    // Rounding into the next day near day zero: see the DateText rows.
    const DateParts last = split_date(Date{2958465.99999999});
    EXPECT_EQ(last.year, 9999);
    EXPECT_EQ(last.second, 59);
    EXPECT_EQ(split_date(Date{10.5 + 0.4 * k_second}).second, 0);
    EXPECT_EQ(split_date(Date{10.5 + 0.6 * k_second}).second, 1);
    // parts and serials out of range raise 5
    for (const DateParts& p :
        {DateParts{2026, 2, 29}, DateParts{1900, 2, 29}, DateParts{99, 12, 31},
            DateParts{10000, 1, 1}, DateParts{2026, 1, 1, 24}, DateParts{2026, 1, 1, 0, 60}})
        EXPECT_VB_ERROR((void)make_date(p), err::InvalidProcedureCall) << p.year << "-" << p.month;
    for (const double serial : {2958466.0, -657435.0, std::nan("")})
        EXPECT_VB_ERROR((void)split_date(Date{serial}), err::InvalidProcedureCall) << serial;
    EXPECT_EQ(split_date(Date{-657434.999}).year, 100);
}

struct TextRow {
    const char* name;
    double serial;
    const char* text;
};

class DateText : public testing::TestWithParam<TextRow> {};

TEST_P(DateText, WritesDateTimeDateOnlyOrTimeOnly)
{
    EXPECT_EQ(date_text(Date{GetParam().serial}), GetParam().text);
}

const TextRow k_texts[]
    = {{"DayZeroMidnight", 0.0, "00:00:00"}, {"NegativeHalfIsDayZero", -0.5, "12:00:00"},
        {"DateOnly", 1.0, "1899-12-31"}, {"DateAndTime", 3.34, "1900-01-02 08:09:36"},
        {"FirstDate", -657434.0, "0100-01-01"}, {"RoundsIntoNextDay", 0.99999999, "1899-12-31"},
        {"RoundsBackToDayZero", -1.99999999, "00:00:00"}};

INSTANTIATE_TEST_SUITE_P(Rows, DateText, testing::ValuesIn(k_texts), row_name);

struct ParseRow {
    const char* name;
    const char* text;
    std::optional<double> serial = {}; // none: the text is no date
};

class ParseDate : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseDate, ReadsTheTextFormsOrRaisesTypeMismatch)
{
    const ParseRow& row = GetParam();
    if (row.serial) {
        EXPECT_NEAR(parse_date(row.text).serial, *row.serial, 1e-9);
    } else {
        EXPECT_VB_ERROR((void)parse_date(row.text), err::TypeMismatch);
    }
}

const ParseRow k_parses[] = {{"DateTime", "2026-12-05 19:05:09", k_evening},
    {"IsoSeparator", "2026-12-05T19:05:09", k_evening},
    {"NoSeconds", "2026-12-05 19:05", k_evening - 9 * k_second},
    {"BlanksAround", "  2026-12-05  19:05:09 ", k_evening},
    {"TimeOnly", "19:05:09", 68709 * k_second}, {"OneDigitMonthDay", "2026-1-2", 46024.0},
    {"NoLeapDay", "2026-02-29"}, {"Number", "5.1"}, {"Empty", ""},
    {"TrailingText", "2026-12-05 19:05:09x"}};

INSTANTIATE_TEST_SUITE_P(Rows, ParseDate, testing::ValuesIn(k_parses), row_name);

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
    EXPECT_LE(before, now);
    EXPECT_LE(now, local_now());
    EXPECT_NEAR(make_date(split_date(now)).serial, now.serial, 1e-9); // whole seconds
}

} // namespace
