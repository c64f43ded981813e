#pragma once
// How provider failures become errors: descriptions of one line, the three
// numbers a row source can fail with, and the refusals of row sources that
// are not one read-only query.

#include <string>
#include <string_view>

#include "platform/vb/Types.h"

namespace ado {

// Line breaks, tabs and other control characters become spaces; blanks at
// the ends go. Invalid UTF-8 is kept as it is.
[[nodiscard]] std::string one_line(std::string_view text);

// Every occurrence of a secret replaced by "***" (nothing to do for an
// empty secret).
[[nodiscard]] std::string without_secret(std::string text, std::string_view secret);

// A connection that could not be opened or broke: -2147467259.
[[noreturn]] void raise_connection_error(std::string_view description, std::string_view source);
// A row source naming a column its tables lack: -2147217904 with the
// database's message.
[[noreturn]] void raise_missing_column(std::string_view description, std::string_view source);
// Any other failure of a row source: -2147217900.
[[noreturn]] void raise_command_error(std::string_view description, std::string_view source);
// A row source refused before it ran (-2147217900), saying why.
[[noreturn]] void raise_refused(std::string_view why, std::string_view source);

} // namespace ado
