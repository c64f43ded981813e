#pragma once
// The error value every failing platform operation throws: a number, a
// description and a source, as the runtime's error object carries them.
// Only the trap helper (and tests) catch it.

#include <exception>
#include <string>
#include <string_view>

#include "platform/vb/ErrorNumbers.h"
#include "platform/vb/Types.h"

namespace vb {

class Error : public std::exception {
public:
    Error(Long number, std::string description, std::string source = {});

    [[nodiscard]] Long number() const noexcept { return m_number; }
    [[nodiscard]] const std::string& description() const noexcept { return m_description; }
    [[nodiscard]] const std::string& source() const noexcept { return m_source; }
    [[nodiscard]] const char* what() const noexcept override { return m_description.c_str(); }

private:
    Long m_number;
    std::string m_description;
    std::string m_source;
};

// The standard text of an error number; "Application-defined or
// object-defined error" for a number the table does not know.
[[nodiscard]] std::string_view standard_text(Long number);

// Throws the error with its standard text.
[[noreturn]] void raise(Long number, std::string source = {});
// Throws the error with a description of the caller's.
[[noreturn]] void raise(Long number, std::string description, std::string source);

} // namespace vb
