#pragma once
// Case-insensitive comparison of names (keys, classes, members), folding
// ASCII letters only, as the platform compares identifiers.

#include <algorithm>
#include <string_view>

namespace vb {

[[nodiscard]] constexpr char ascii_lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] constexpr bool iequals(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

} // namespace vb
