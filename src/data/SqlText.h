#pragma once
// Preparing text that goes into SQL.
//
// PrepForSQL makes user text safe inside a single-quoted SQL literal:
// every ' is doubled, then every \ is doubled (O'Brien -> O''Brien).
//
// PrepSQLforJoker turns a wildcard pattern written with the user's text
// between asterisks (*text*) into an SQL LIKE pattern (%text%, the text's
// quotes doubled). Characters 1 to 11 of the SQL text are kept as they are,
// so the asterisk of "SELECT * FROM" is never taken for a pattern; only
// occurrences that start at character 12 or later are replaced. Matching
// is exact and positions count characters.

#include <string>
#include <string_view>

namespace pendrel {

[[nodiscard]] std::string PrepForSQL(std::string_view text);
[[nodiscard]] std::string PrepSQLforJoker(std::string_view sql, std::string_view user);

} // namespace pendrel
