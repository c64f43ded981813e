#pragma once
// UTF-8 checks shared by drawing and the host: every text at an interface
// is UTF-8, and every position a user sees counts characters (code points).

#include <string>
#include <string_view>

namespace gfx {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF). NUL bytes are allowed.
[[nodiscard]] bool is_valid_utf8(std::string_view text);

// The text with every invalid sequence replaced by U+FFFD, and NUL by
// U+FFFD as well (what drawing shows for bytes it cannot show).
[[nodiscard]] std::string valid_utf8(std::string_view text);

// The number of code points of a valid UTF-8 text; an invalid text counts
// as valid_utf8 would make it.
[[nodiscard]] int char_count(std::string_view text);

} // namespace gfx
