#pragma once
// How each trapped procedure reports a failure: one row per procedure, kept
// in one table (Policies.cpp).

#include <span>
#include <string>
#include <string_view>

#include "platform/vb/Types.h"

namespace diag {

enum class Kind {
    Log, // append a log line, go on with the next step
    DetailedMessage, // OK-only box with "Error in ..." details, leave
    ShortMessage, // critical-stop box with the description, leave
    PassOn, // raise the error again with the procedure as source
    Ignore, // go on with the next step, report nothing
    Custom, // nothing reported; the procedure handles the error itself
};

// A different treatment for one error number.
struct Special {
    vb::Long number;
    Kind kind;
    std::string_view first_line = {}; // DetailedMessage: replaces "Error in <procedure>"
    std::string_view last_line = {}; // DetailedMessage: a further closing line
};

struct Policy {
    std::string_view procedure;
    Kind kind;
    std::string_view first_line = {}; // DetailedMessage: "Error in ..."
    std::span<const Special> specials = {};
};

// What a log line of the procedure ends with: ") in " and its name
// (") in Let Value").
[[nodiscard]] std::string log_ending(const Policy& policy);

// The row of a procedure. Every trapped procedure has one; asking for an
// unknown name is a programming error and aborts in debug builds, and yields
// an Ignore row otherwise.
[[nodiscard]] const Policy& policy_of(std::string_view procedure);

// Every row, for tests and documentation.
[[nodiscard]] std::span<const Policy> all_policies();

} // namespace diag
