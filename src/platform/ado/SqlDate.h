#pragma once
// Date-time values as databases write them, turned into a point in time.
//
// A column of dates holds each value as an "instant": days since 1899-12-30
// plus the time of day as a fraction, increasing with time also before
// 1899-12-30. The runtime's Date serial differs there (-1.25 is 1899-12-29
// 06:00: the whole part is the day, the fraction counts forward from its
// midnight), so values are converted when they leave the column.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ado {

struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    double second = 0.0; // with its fraction
};

// The instant of valid parts (years 100 to 9999), or nothing.
[[nodiscard]] std::optional<double> instant_of(const DateTimeParts& parts);

namespace date_detail {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
constexpr long long days_from_civil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long k_epoch = days_from_civil(1899, 12, 30);

constexpr int days_in_month(int y, int m)
{
    constexpr int k_days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : k_days[m - 1];
}

[[nodiscard]] std::optional<double> parse_sql_datetime_in_full(std::string_view text);

} // namespace date_detail

// A date alone, most of a date column, is read where it is called, as each
// row of such a column is read; anything else is read in full.
//
// Whether a text is shaped as a date alone: "nnnn-nn-nn".
[[nodiscard]] inline bool date_shaped(std::string_view s)
{
    return s.size() == 10 && s[4] == '-' && s[7] == '-';
}

// The whole days from 1899-12-30 of a date_shaped text, or nothing when it
// is not a date.
[[nodiscard]] inline std::optional<std::int32_t> sql_date_days(std::string_view s)
{
    using namespace date_detail;
    const auto digit = [&](std::size_t i) { return unsigned(s[i]) - unsigned('0'); };
    const unsigned d[8]
        = {digit(0), digit(1), digit(2), digit(3), digit(5), digit(6), digit(8), digit(9)};
    bool all = true;
    for (const unsigned x : d)
        all &= x <= 9;
    const int year = int(d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3]);
    const int month = int(d[4] * 10 + d[5]);
    const int day = int(d[6] * 10 + d[7]);
    if (!all || year < 100 || month < 1 || month > 12 || day < 1
        || day > days_in_month(year, month))
        return std::nullopt;
    return static_cast<std::int32_t>(
        days_from_civil(year, unsigned(month), unsigned(day)) - k_epoch);
}

// "YYYY-MM-DD", optionally followed by ' ' or 'T' and a time; or a time
// alone: "HH:MM", "HH:MM:SS", "HH:MM:SS.fff". A trailing time zone (Z,
// +HH, +HH:MM, -HHMM) is accepted and ignored: the value is the local time
// as written. Anything else gives nothing.
//
// Into `instant`, false for anything else: without an optional double in
// between, which the compiler passes through memory.
[[nodiscard]] inline bool parse_sql_datetime(std::string_view s, double& instant)
{
    if (!date_shaped(s)) {
        const auto in_full = date_detail::parse_sql_datetime_in_full(s);
        instant = in_full.value_or(0.0);
        return in_full.has_value();
    }
    const auto days = sql_date_days(s);
    instant = days.value_or(0);
    return days.has_value();
}

[[nodiscard]] inline std::optional<double> parse_sql_datetime(std::string_view s)
{
    double instant = 0.0;
    if (!parse_sql_datetime(s, instant))
        return std::nullopt;
    return instant;
}

[[nodiscard]] double serial_of_instant(double instant);
[[nodiscard]] double instant_of_serial(double serial);

// The text form of an instant: "YYYY-MM-DD", with " HH:MM:SS" when it has a
// time of day (fractions of a second as written by the shortest form).
[[nodiscard]] std::string text_of_instant(double instant);

} // namespace ado
