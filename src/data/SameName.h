#pragma once
// Member names of the dispatch interfaces compare as the platform compares
// them: ASCII letters without regard to case, every other byte exactly.

#include <string_view>

namespace pendrel {

[[nodiscard]] constexpr bool same_name(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace pendrel
