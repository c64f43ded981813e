#pragma once
// The text a grid shows for a value: the runtime's default text of numbers,
// dates and Booleans, the text itself for a string, and nothing for Null or
// Empty. Numbers are shown right-aligned, everything else left-aligned.

#include <string>

#include "platform/vb/Variant.h"

namespace grid {

[[nodiscard]] std::string cell_text(const vb::Variant& value);

// Whether the value is drawn against the right edge of its cell.
[[nodiscard]] bool aligns_right(const vb::Variant& value);

} // namespace grid
