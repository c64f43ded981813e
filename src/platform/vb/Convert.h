#pragma once
// Conversions as the control's language does them. Every conversion that
// leaves its type's range raises 6 "Overflow"; a text that is not a number
// raises 13 "Type mismatch"; Null raises 94 "Invalid use of Null".

#include <optional>
#include <string>
#include <string_view>

#include "platform/vb/Types.h"
#include "platform/vb/Variant.h"

namespace vb {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2), as every integer conversion does.
[[nodiscard]] double round_half_even(double x);

// CInt accepts -32768.5 < x < 32767.5; CLng the same for 32 bits.
[[nodiscard]] Integer CInt(const Variant& v);
[[nodiscard]] Long CLng(const Variant& v);
[[nodiscard]] Single CSng(const Variant& v);
[[nodiscard]] Double CDbl(const Variant& v);
[[nodiscard]] Boolean CBool(const Variant& v);
[[nodiscard]] Date CDate(const Variant& v);
// CStr: Double with 15 significant digits, exponent form at 1E+15 and above
// and below 1E-15 ("1E+15", "1E-16"), and also where the plain form would
// need more than 15 places after the point (1/30 is "3.33333333333333E-02");
// Single the same with 7 digits ("1E+07"); Null raises 94; an object converts
// through its default member.
[[nodiscard]] std::string CStr(const Variant& v);

// Text forms of numbers, as CStr writes them.
[[nodiscard]] std::string double_text(double d);
[[nodiscard]] std::string single_text(float f);

// Val: skips blanks, tabs and line feeds (also inside the number), takes an
// optional sign, digits, one '.', an exponent with E or D, or a &H / &O
// prefixed integer; stops at the first character that cannot continue a
// number. No number gives 0 ("12ab" -> 12, "ab" -> 0).
[[nodiscard]] double Val(std::string_view text);

// The strict reading of a number text that CInt, CLng, CSng, CDbl and CBool
// apply to a String: blanks around it, an optional sign, digits with one '.',
// an exponent with E or D, or a &H / &O integer -- and nothing else ("12" is a
// number, "12ab" and "" are not). Raises 6 for a number beyond the Double
// range.
[[nodiscard]] std::optional<double> parse_number(std::string_view text);

// Checked 16- and 32-bit arithmetic that raises 6 "Overflow".
[[nodiscard]] Integer checked_add(Integer a, Integer b);
[[nodiscard]] Integer checked_sub(Integer a, Integer b);
[[nodiscard]] Integer checked_mul(Integer a, Integer b);
[[nodiscard]] Long checked_add(Long a, Long b);
[[nodiscard]] Long checked_sub(Long a, Long b);
[[nodiscard]] Long checked_mul(Long a, Long b);

// Narrowing of a 32-bit value to 16 bits that raises 6 above 32767 or below
// -32768.
[[nodiscard]] Integer narrow(Long v);

} // namespace vb
