#pragma once
// The criterion type-ahead searches the text column with, for the prefix
// the user has typed, by the column's field type:
//
//   text (200, 201, 202, 203)          [f] LIKE 'p*'   p quoted by PrepForSQL
//   numbers (2, 3, 4, 5, 17, 131)      [f]=n           n = the leading number of p
//   date (7)                           [f]=n           the same: a date serial
//   every other type                   none: such a column is not searched
//
// So a text column matches every row that starts with the typed text
// (without regard to case), and a number or date column only the rows equal
// to the typed number: 12 finds 12, never 120; "12ab" searches for 12 and
// "ab" for 0. The number is written with "." and digits, whatever the
// user's locale.

#include <optional>
#include <string>
#include <string_view>

#include "platform/vb/Types.h"

namespace pendrel {

[[nodiscard]] std::optional<std::string> type_ahead_criterion(
    vb::Long field_type, std::string_view field, std::string_view prefix);

} // namespace pendrel
