#include "platform/ado/SqlDate.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace ado {

namespace {

using date_detail::days_from_civil;
using date_detail::days_in_month;
using date_detail::k_epoch;

void civil_from_days(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
}

// Reads exactly `n` digits.
bool digits(std::string_view& s, int n, int& out)
{
    if (static_cast<int>(s.size()) < n)
        return false;
    out = 0;
    for (int i = 0; i < n; ++i) {
        const char c = s[static_cast<std::size_t>(i)];
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    s.remove_prefix(static_cast<std::size_t>(n));
    return true;
}

bool eat(std::string_view& s, char c)
{
    if (s.empty() || s.front() != c)
        return false;
    s.remove_prefix(1);
    return true;
}

bool read_time(std::string_view& s, DateTimeParts& p)
{
    if (!digits(s, 2, p.hour) || !eat(s, ':') || !digits(s, 2, p.minute))
        return false;
    if (!eat(s, ':'))
        return true;
    int whole = 0;
    if (!digits(s, 2, whole))
        return false;
    p.second = whole;
    if (eat(s, '.')) {
        double scale = 0.1;
        bool any = false;
        while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
            p.second += (s.front() - '0') * scale;
            scale /= 10;
            any = true;
            s.remove_prefix(1);
        }
        return any;
    }
    return true;
}

bool read_zone(std::string_view s)
{
    if (s.empty())
        return true;
    if (s == "Z")
        return true;
    if (s.front() != '+' && s.front() != '-')
        return false;
    s.remove_prefix(1);
    int hh = 0;
    int mm = 0;
    if (!digits(s, 2, hh))
        return false;
    eat(s, ':');
    if (!s.empty() && !digits(s, 2, mm))
        return false;
    if (eat(s, ':') && !digits(s, 2, mm))
        return false;
    return s.empty();
}

} // namespace

std::optional<double> instant_of(const DateTimeParts& p)
{
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1
        || p.day > days_in_month(p.year, p.month))
        return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || !(p.second >= 0.0)
        || p.second >= 60.0)
        return std::nullopt;
    const auto days = static_cast<double>(
        days_from_civil(p.year, unsigned(p.month), unsigned(p.day)) - k_epoch);
    return days + (p.hour * 3600.0 + p.minute * 60.0 + p.second) / 86400.0;
}

std::optional<double> date_detail::parse_sql_datetime_in_full(std::string_view s)
{
    DateTimeParts p;
    if (s.size() >= 3 && s[2] == ':') {
        if (!read_time(s, p) || !read_zone(s))
            return std::nullopt;
        return instant_of(p);
    }
    if (!digits(s, 4, p.year) || !eat(s, '-') || !digits(s, 2, p.month) || !eat(s, '-')
        || !digits(s, 2, p.day))
        return std::nullopt;
    if (!s.empty() && (s.front() == ' ' || s.front() == 'T')) {
        s.remove_prefix(1);
        if (!read_time(s, p))
            return std::nullopt;
    }
    if (!read_zone(s))
        return std::nullopt;
    return instant_of(p);
}

double serial_of_instant(double instant)
{
    const double day = std::floor(instant);
    const double time = instant - day;
    return day < 0 && time > 0 ? day - time : instant;
}

double instant_of_serial(double serial)
{
    if (serial >= 0)
        return serial;
    const double day = std::ceil(serial); // the whole part, towards zero
    const double time = day - serial;
    return day + time;
}

std::string text_of_instant(double instant)
{
    double day = std::floor(instant);
    long long ms = std::llround((instant - day) * 86400000.0);
    if (ms >= 86400000) {
        day += 1;
        ms = 0;
    }
    int y = 0;
    int m = 0;
    int d = 0;
    civil_from_days(static_cast<long long>(day) + k_epoch, y, m, d);
    char buf[64];
    if (ms == 0) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
        return buf;
    }
    const long long s = ms / 1000;
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02lld:%02lld:%02lld", y, m, d, s / 3600,
        s / 60 % 60, s % 60);
    std::string text = buf;
    if (ms % 1000 != 0) {
        std::snprintf(buf, sizeof buf, ".%03lld", ms % 1000);
        text += buf;
    }
    return text;
}

} // namespace ado
