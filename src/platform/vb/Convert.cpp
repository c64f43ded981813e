// The conversion functions and checked integer arithmetic.
#include "platform/vb/Convert.h"

#include <cmath>

#include "platform/vb/Ascii.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "platform/vb/Overloaded.h"

namespace vb {

namespace {

// An object converts as its default member's value; a default member that
// returns an object again is followed a few times, then it is a mismatch.
Variant default_value(const Variant& v)
{
    constexpr int k_max_depth = 4;
    Variant current = v;
    for (int depth = 0; current.is_object(); ++depth) {
        if (depth == k_max_depth)
            raise(err::TypeMismatch);
        const ObjectRef object = current.as_object(); // raises 91 for Nothing
        current = object->invoke(DISPID_VALUE, InvokeKind::PropertyGet, {});
    }
    return current;
}

double number_of(const Variant& v)
{
    if (v.is_object())
        return number_of(default_value(v));
    return std::visit(Overloaded{
                          [](EmptyValue) { return 0.0; },
                          [](NullValue) -> double { raise(err::InvalidUseOfNull); },
                          [](MissingValue) -> double { raise(err::TypeMismatch); },
                          [](Integer i) { return static_cast<double>(i); },
                          [](Long l) { return static_cast<double>(l); },
                          [](Single s) { return static_cast<double>(s); },
                          [](Double d) { return d; },
                          [](Date d) { return d.serial; },
                          [](Boolean b) { return static_cast<double>(b.raw()); },
                          [](const std::string& s) {
                              const auto n = parse_number(s);
                              if (!n)
                                  raise(err::TypeMismatch);
                              return *n;
                          },
                          [](const ObjectRef&) -> double { raise(err::TypeMismatch); },
                      },
        v.storage());
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A Double that a float cannot hold: from here on the conversion rounds to
// infinity (FLT_MAX plus half of its last unit).
constexpr double k_single_overflow = 0x1.ffffffp+127;

} // namespace

double round_half_even(double x)
{
    if (!std::isfinite(x))
        return x;
    // x - floor(x) is exact, so the halves are found exactly.
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

Integer CInt(const Variant& v)
{
    const double x = number_of(v);
    if (!(x > -32768.5 && x < 32767.5)) // NaN fails too
        raise(err::Overflow);
    return static_cast<Integer>(round_half_even(x));
}

Long CLng(const Variant& v)
{
    const double x = number_of(v);
    if (!(x > -2147483648.5 && x < 2147483647.5))
        raise(err::Overflow);
    return static_cast<Long>(round_half_even(x));
}

Single CSng(const Variant& v)
{
    const double x = number_of(v);
    if (std::fabs(x) >= k_single_overflow)
        raise(err::Overflow);
    return static_cast<Single>(x);
}

Double CDbl(const Variant& v)
{
    return number_of(v);
}

Boolean CBool(const Variant& v)
{
    if (v.is_object())
        return CBool(default_value(v));
    if (v.is_string()) {
        const std::string_view text = trimmed(v.as_string());
        if (iequals(text, "True"))
            return True;
        if (iequals(text, "False"))
            return False;
    }
    return number_of(v) != 0.0;
}

Date CDate(const Variant& v)
{
    if (v.is_object())
        return CDate(default_value(v));
    if (const auto* d = std::get_if<Date>(&v.storage()))
        return *d;
    if (v.is_string())
        return parse_date(v.as_string());
    const double serial = number_of(v);
    if (!is_date_serial(serial))
        raise(err::Overflow);
    return Date{serial};
}

std::string CStr(const Variant& v)
{
    if (v.is_object())
        return CStr(default_value(v));
    return std::visit(Overloaded{
                          [](EmptyValue) -> std::string { return {}; },
                          [](NullValue) -> std::string { raise(err::InvalidUseOfNull); },
                          [](MissingValue) -> std::string { return "Error 448"; },
                          [](Integer i) { return std::to_string(i); },
                          [](Long l) { return std::to_string(l); },
                          [](Single s) { return single_text(s); },
                          [](Double d) { return double_text(d); },
                          [](Date d) { return date_text(d); },
                          [](Boolean b) -> std::string { return b ? "True" : "False"; },
                          [](const std::string& s) { return s; },
                          [](const ObjectRef&) -> std::string { raise(err::TypeMismatch); },
                      },
        v.storage());
}

Integer checked_add(Integer a, Integer b)
{
    return narrow(Long{a} + Long{b});
}

Integer checked_sub(Integer a, Integer b)
{
    return narrow(Long{a} - Long{b});
}

Integer checked_mul(Integer a, Integer b)
{
    return narrow(Long{a} * Long{b});
}

namespace {

Long narrow_long(std::int64_t v)
{
    if (v < INT32_MIN || v > INT32_MAX)
        raise(err::Overflow);
    return static_cast<Long>(v);
}

} // namespace

Long checked_add(Long a, Long b)
{
    return narrow_long(std::int64_t{a} + b);
}

Long checked_sub(Long a, Long b)
{
    return narrow_long(std::int64_t{a} - b);
}

Long checked_mul(Long a, Long b)
{
    return narrow_long(std::int64_t{a} * b);
}

Integer narrow(Long v)
{
    if (v < INT16_MIN || v > INT16_MAX)
        raise(err::Overflow);
    return static_cast<Integer>(v);
}

} // namespace vb
