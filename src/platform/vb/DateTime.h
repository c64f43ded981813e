#pragma once
// Date-time values: building them from parts, splitting them, their default
// text form and the clock.

#include <string>
#include <string_view>

#include "platform/vb/Types.h"

namespace vb {

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Raises 5 for a date outside 100-01-01 .. 9999-12-31 or an invalid time.
[[nodiscard]] Date make_date(const DateParts& parts);
// Rounds to the nearest second (23:59:59.6 is midnight of the next day).
// Raises 5 for a serial outside the date range.
[[nodiscard]] DateParts split_date(Date d);

// Whether a serial names a moment of 100-01-01 .. 9999-12-31 (any time of day).
[[nodiscard]] bool is_date_serial(double serial);

// The default text form: "2026-12-05 19:05:09"; a value with no time of day
// shows only the date ("2026-12-05"), one on day zero only the time
// ("19:05:09").
[[nodiscard]] std::string date_text(Date d);

// Parses the default text form back (also "yyyy-mm-dd hh:mm" and
// "yyyy-mm-ddThh:mm:ss"); raises 13 for anything else.
[[nodiscard]] Date parse_date(std::string_view text);

// The current local date and time, to the second.
[[nodiscard]] Date Now();

} // namespace vb
