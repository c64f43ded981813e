#pragma once
// Scalar types of the control's language runtime. Integer and Long are the
// 16- and 32-bit signed integers of the dispatch interface; Boolean crosses it
// as -1 (True) and 0 (False); Date is a day count since 30 December 1899 with
// the time of day as the fraction.

#include <compare>
#include <cstdint>

namespace vb {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;
using Double = double;

// A 16-bit Boolean: True is -1, False is 0. Any non-zero raw value reads as
// true, as the language does when it tests a number.
class Boolean {
public:
    constexpr Boolean() = default;
    constexpr Boolean(bool b) : m_raw(b ? -1 : 0) {} // NOLINT(google-explicit-constructor)
    static constexpr Boolean from_raw(Integer raw)
    {
        Boolean b;
        b.m_raw = raw;
        return b;
    }
    constexpr operator bool() const { return m_raw != 0; } // NOLINT(google-explicit-constructor)
    [[nodiscard]] constexpr Integer raw() const { return m_raw; }
    friend constexpr bool operator==(Boolean a, Boolean b) { return bool(a) == bool(b); }

private:
    Integer m_raw = 0;
};

inline constexpr Boolean True{true};
inline constexpr Boolean False{false};

// A date-time value: whole days since 1899-12-30, the fraction is the time of
// day. Negative values lie before 1899-12-30 (the fraction still counts
// forward from midnight, as the language's dates do).
struct Date {
    double serial = 0.0;
    friend constexpr bool operator==(Date a, Date b) { return a.serial == b.serial; }
    friend constexpr auto operator<=>(Date a, Date b) { return a.serial <=> b.serial; }
};

// Type codes as the runtime's VarType reports them.
enum class VarType : Integer {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10, // Missing is an Error-typed value: a left-out optional argument
    Boolean = 11,
};

} // namespace vb
