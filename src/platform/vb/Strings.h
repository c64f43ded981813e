#pragma once
// The runtime's text functions. Text is UTF-8; every position and length
// counts characters (code points), never bytes. Positions are 1-based, as
// the language's are. Invalid UTF-8 bytes count as one character each, so
// no input is lost or rejected.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/vb/Types.h"

namespace vb {

// The number of characters.
[[nodiscard]] Long Len(std::string_view text);
// The first `length` characters (all of them when the text is shorter).
// Raises 5 for a negative length.
[[nodiscard]] std::string Left(std::string_view text, Long length);
// The last `length` characters. Raises 5 for a negative length.
[[nodiscard]] std::string Right(std::string_view text, Long length);
// From character `start` (1-based) on, at most `length` characters (the rest
// when length is negative one, the default). Raises 5 for start < 1 or a
// length below -1.
[[nodiscard]] std::string Mid(std::string_view text, Long start, Long length = -1);
// The 1-based character position of the first occurrence of `find` at or
// after character `start`, 0 when there is none; an empty `find` gives
// `start` (when start <= Len + 1). Exact, case-sensitive comparison.
[[nodiscard]] Long InStr(Long start, std::string_view text, std::string_view find);
// Every non-overlapping occurrence of `find`, scanning left to right,
// replaced by `with`. An empty `find` leaves the text as it is.
[[nodiscard]] std::string Replace(
    std::string_view text, std::string_view find, std::string_view with);

// The byte offset of character `index` (0-based); the text's size when the
// index is at or past the end.
[[nodiscard]] std::size_t byte_offset(std::string_view text, Long index);

} // namespace vb
