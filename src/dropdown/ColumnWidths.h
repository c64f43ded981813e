#pragma once
// How a list's columns are sized. ColumnWidths is a text of entries
// separated by ";", each a percentage of the work-area width; a column
// without an entry is hidden. Without entries, a fixed-length text column
// is made as wide as its defined number of characters.

#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/Types.h"

namespace dropdown {

// Splits `Text` at every `Sep` into `Parts` (one element per entry and a
// trailing empty one) and returns the number of entries: "25;;75" gives 3,
// and so does "25;75;". An exact byte search finds the same entries as a
// character search, since a UTF-8 separator never matches inside a
// character. A separator lies wholly inside the text: "10;;;" with ";;"
// gives "10" and ";". A failing step (an empty separator, more than 32767 entries)
// is logged to `log_path` and the next step runs.
vb::Integer aantalGesplitsteDelenInString(std::vector<std::string>& Parts, std::string_view Text,
    std::string_view Sep, const std::string& log_path);

// The width in twips of a column whose entry is `percent`.
[[nodiscard]] vb::Single column_width(double percent, vb::Integer screen_width);

// The list's width after a column of `percent` is added, to the nearest
// twip with halves to even; raises 6 beyond the 32-bit range.
[[nodiscard]] vb::Long widened_list_width(
    vb::Long list_width, double percent, vb::Integer screen_width);

// Whether an entry makes its column the text column: the first positive
// one, that is a positive entry while the widths add up to nothing yet.
[[nodiscard]] bool takes_text_column(double percent, vb::Long list_width);

// The width a fixed-length text column of `defined_size` characters needs;
// raises 6 beyond the 32-bit range.
[[nodiscard]] vb::Long fixed_length_width(vb::Long defined_size, vb::Integer char_width);

} // namespace dropdown
