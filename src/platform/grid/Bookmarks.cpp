#include "platform/grid/Bookmarks.h"

#include <cmath>

#include "platform/vb/Convert.h"

namespace grid {

vb::Variant bookmark_of_row(std::int64_t row)
{
    return static_cast<vb::Double>(row + 1);
}

std::optional<std::int64_t> row_of_bookmark(const vb::Variant& bookmark, std::int64_t row_count)
{
    std::optional<double> n;
    if (bookmark.is_numeric() && bookmark.type() != vb::VarType::Boolean) {
        n = vb::CDbl(bookmark);
    } else if (bookmark.is_string()) {
        n = vb::parse_number(bookmark.as_string());
    }
    if (!n || !std::isfinite(*n) || *n != std::floor(*n) || *n < 1
        || *n > static_cast<double>(row_count)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(*n) - 1;
}

} // namespace grid
