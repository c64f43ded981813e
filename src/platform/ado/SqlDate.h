#pragma once
// Date-time values as databases write them, turned into a point in time.
//
// A column of dates holds each value as an "instant": days since 1899-12-30
// plus the time of day as a fraction, increasing with time also before
// 1899-12-30. The runtime's Date serial differs there (-1.25 is 1899-12-29
// 06:00: the whole part is the day, the fraction counts forward from its
// midnight), so values are converted when they leave the column.

#include <optional>
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

// "YYYY-MM-DD", optionally followed by ' ' or 'T' and a time; or a time
// alone: "HH:MM", "HH:MM:SS", "HH:MM:SS.fff". A trailing time zone (Z,
// +HH, +HH:MM, -HHMM) is accepted and ignored: the value is the local time
// as written. Anything else gives nothing.
[[nodiscard]] std::optional<double> parse_sql_datetime(std::string_view text);

[[nodiscard]] double serial_of_instant(double instant);
[[nodiscard]] double instant_of_serial(double serial);

// The text form of an instant: "YYYY-MM-DD", with " HH:MM:SS" when it has a
// time of day (fractions of a second as written by the shortest form).
[[nodiscard]] std::string text_of_instant(double instant);

} // namespace ado
