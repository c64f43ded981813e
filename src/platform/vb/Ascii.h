#pragma once
// Case-insensitive comparison of names (keys, classes, members, keywords),
// folding ASCII letters only, as the platform compares identifiers; and the
// value of a hexadecimal digit. Any other byte stands for itself.

#include <algorithm>
#include <string_view>

namespace vb {

[[nodiscard]] constexpr char ascii_lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] constexpr char ascii_upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

[[nodiscard]] constexpr bool iequals(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

// 0 to 15 for 0-9, a-f and A-F; -1 for any other byte.
[[nodiscard]] constexpr int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace vb
