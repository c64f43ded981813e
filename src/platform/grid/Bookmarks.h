#pragma once
// Bookmarks as the grid hands them out: the recordset's own form, a Double
// holding the row's number from 1, so that a grid bookmark moves the
// recordset and compares equal (as Variants) with the recordset's Bookmark
// of the same row.

#include <cstdint>
#include <optional>

#include "platform/vb/Variant.h"

namespace grid {

[[nodiscard]] vb::Variant bookmark_of_row(std::int64_t row);

// The 0-based row a bookmark names among row_count rows: a whole number
// 1 .. row_count of any numeric type, or a text that reads as one; nothing
// for anything else.
[[nodiscard]] std::optional<std::int64_t> row_of_bookmark(
    const vb::Variant& bookmark, std::int64_t row_count);

} // namespace grid
