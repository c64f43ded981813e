// The default text of Double and Single values.
//
// A value is rounded to 15 significant digits (Double) or 7 (Single) and
// trailing zeros are dropped. It is written plainly while that form needs no
// more digit places than the precision allows -- at most 15 (7) digits before
// the point, and at most 15 (7) places after it -- and in exponent form
// otherwise, with a sign and at least two exponent digits:
//
//   Double  999999999999999 | 1E+15 | 0.000000000000001 | 1E-16 | 1.5E-15
//           1/3 -> 0.333333333333333, 1/30 -> 3.33333333333333E-02
//   Single  1234567 | 1E+07 | 0.0000001 | 1E-08 | 1.234568E+07
//
// So a Double switches to exponent form from 1E+15 upward and below 1E-15,
// and so does a value nearer to 1 whose digits would run past the 15th place
// after the point; a Single the same at 1E+7 and 1E-7.
#include <charconv>
#include <cmath>
#include <string>

#include "platform/vb/Convert.h"

namespace vb {

namespace {

struct Decimal {
    bool negative = false;
    std::string digits; // significant digits, no trailing zeros, at least one
    int exponent = 0; // power of ten of the first digit
};

template <class T> Decimal decompose(T value, int precision)
{
    char buffer[64];
    const auto result = std::to_chars(
        buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; text[i] != 'e'; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    const bool negative_exponent = text[++i] == '-';
    ++i; // the exponent's sign
    std::from_chars(text.data() + i, text.data() + text.size(), d.exponent);
    if (negative_exponent)
        d.exponent = -d.exponent;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string plain_form(const Decimal& d)
{
    const auto n = static_cast<int>(d.digits.size());
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    const int whole = d.exponent + 1;
    if (n <= whole)
        return d.digits + std::string(static_cast<std::size_t>(whole - n), '0');
    const auto split = static_cast<std::size_t>(whole);
    return d.digits.substr(0, split) + "." + d.digits.substr(split);
}

std::string exponent_form(const Decimal& d)
{
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    text += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10)
        text += '0';
    return text + std::to_string(magnitude);
}

template <class T> std::string number_text(T value, int precision)
{
    // Values no arithmetic of the runtime produces without an error, written
    // as the runtime's own number formatting shows them.
    if (std::isnan(value))
        return "1.#QNAN";
    if (std::isinf(value))
        return value < 0 ? "-1.#INF" : "1.#INF";
    const Decimal d = decompose(value, precision);
    if (d.digits == "0")
        return "0"; // also -0
    const auto n = static_cast<int>(d.digits.size());
    const bool plain = d.exponent >= 0 ? d.exponent < precision : -d.exponent - 1 + n <= precision;
    const std::string text = plain ? plain_form(d) : exponent_form(d);
    return d.negative ? "-" + text : text;
}

} // namespace

std::string double_text(double d)
{
    return number_text(d, 15);
}

std::string single_text(float f)
{
    return number_text(f, 7);
}

} // namespace vb
