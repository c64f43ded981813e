#pragma once
// Reading SQL text without a parser, for the checks a server's row source
// gets before it is sent: its first keyword and whether a second statement
// follows the first. Quoted texts and names, dollar-quoted texts and
// comments are skipped as the server reads them.

#include <string>
#include <string_view>

namespace ado {

// The first word of the text, upper case, after blanks, comments and
// opening parentheses; empty when there is none.
[[nodiscard]] std::string first_keyword(std::string_view sql);

// Whether anything but blanks, ';' and comments follows a ';' outside
// quotes and comments.
[[nodiscard]] bool has_second_statement(std::string_view sql);

} // namespace ado
