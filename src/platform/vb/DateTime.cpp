// Date-time values: whole days since 1899-12-30 in the proleptic Gregorian
// calendar, with the time of day as the fraction. Before day zero the
// fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
#include "platform/vb/DateTime.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/vb/Error.h"

namespace vb {

namespace {

constexpr long k_seconds_per_day = 86400;

// Days since 1970-01-01 of a civil date, and back (Hinnant's algorithms).
constexpr long days_from_civil(long y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

// Day zero of the serial count.
constexpr long k_day_zero = days_from_civil(1899, 12, 30);
constexpr long k_first_day = days_from_civil(100, 1, 1) - k_day_zero;
constexpr long k_last_day = days_from_civil(9999, 12, 31) - k_day_zero;
static_assert(k_first_day == -657434 && k_last_day == 2958465);

void civil_from_days(long z, DateParts& p)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(static_cast<long>(yoe) + era * 400 + (p.month <= 2 ? 1 : 0));
}

int days_in_month(int year, int month)
{
    constexpr int k_days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : k_days[month - 1];
}

bool is_valid(const DateParts& p)
{
    return p.year >= 100 && p.year <= 9999 && p.month >= 1 && p.month <= 12 && p.day >= 1
        && p.day <= days_in_month(p.year, p.month) && p.hour >= 0 && p.hour <= 23 && p.minute >= 0
        && p.minute <= 59 && p.second >= 0 && p.second <= 59;
}

// Reads the fixed-width numbers and separators of a date text.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool number(std::size_t min_digits, std::size_t max_digits, int& out)
    {
        std::size_t n = 0;
        out = 0;
        while (n < max_digits && m_pos < m_text.size() && m_text[m_pos] >= '0'
            && m_text[m_pos] <= '9') {
            out = out * 10 + (m_text[m_pos++] - '0');
            ++n;
        }
        return n >= min_digits;
    }
    bool take(char c)
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }
    [[nodiscard]] bool at_end() const { return m_pos >= m_text.size(); }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// "hh:mm" or "hh:mm:ss" up to the end of the text.
bool read_time(Reader& r, DateParts& p)
{
    if (!r.number(1, 2, p.hour) || !r.take(':') || !r.number(2, 2, p.minute))
        return false;
    if (r.take(':') && !r.number(2, 2, p.second))
        return false;
    return r.at_end();
}

// "yyyy-mm-dd", optionally followed by blanks or 'T' and a time.
bool read_date_time(Reader& r, DateParts& p)
{
    if (!r.number(4, 4, p.year) || !r.take('-') || !r.number(1, 2, p.month) || !r.take('-')
        || !r.number(1, 2, p.day))
        return false;
    if (r.at_end())
        return true;
    if (r.take('T'))
        return read_time(r, p);
    if (!r.take(' '))
        return false;
    while (r.take(' ')) {}
    return read_time(r, p);
}

} // namespace

bool is_date_serial(double serial)
{
    // Any time of day on the first through the last day.
    return serial > static_cast<double>(k_first_day - 1)
        && serial < static_cast<double>(k_last_day + 1);
}

Date make_date(const DateParts& p)
{
    if (!is_valid(p))
        raise(err::InvalidProcedureCall);
    const auto day = static_cast<double>(
        days_from_civil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day))
        - k_day_zero);
    const double time = (p.hour * 3600 + p.minute * 60 + p.second) / double(k_seconds_per_day);
    return Date{day < 0 ? day - time : day + time};
}

DateParts split_date(Date d)
{
    if (!is_date_serial(d.serial))
        raise(err::InvalidProcedureCall);
    // 1. The whole day toward zero; the fraction is the time either side.
    auto day = static_cast<long>(std::trunc(d.serial));
    long seconds = std::lround(std::fabs(d.serial - static_cast<double>(day)) * k_seconds_per_day);
    // 2. A time that rounds to midnight is the start of the next calendar day,
    //    except after the last day there is.
    if (seconds == k_seconds_per_day) {
        seconds = day < k_last_day ? 0 : k_seconds_per_day - 1;
        day = day < k_last_day ? day + 1 : day;
    }
    DateParts p;
    civil_from_days(day + k_day_zero, p);
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);
    return p;
}

std::string date_text(Date d)
{
    const DateParts p = split_date(d);
    char date[16];
    char time[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", p.year, p.month, p.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", p.hour, p.minute, p.second);
    if (p.year == 1899 && p.month == 12 && p.day == 30)
        return time;
    if (p.hour == 0 && p.minute == 0 && p.second == 0)
        return date;
    return std::string(date) + " " + time;
}

Date parse_date(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first != std::string_view::npos)
        text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // A date with an optional time, or a time alone (on day zero).
    DateParts p;
    Reader date_reader(text);
    bool read = read_date_time(date_reader, p);
    if (!read) {
        p = DateParts{};
        Reader time_reader(text);
        read = read_time(time_reader, p);
    }
    if (!read || !is_valid(p))
        raise(err::TypeMismatch);
    return make_date(p);
}

Date Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // A leap second (:60) is shown as the last second of its minute.
    return make_date({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
        local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec});
}

} // namespace vb
