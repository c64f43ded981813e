#pragma once
// An open link to a database, as a provider gives it to a connection: it
// turns a row source into a fetched table. Every provider refuses a row
// source that is not one read-only query before it can touch any data.

#include <chrono>
#include <memory>
#include <string_view>

#include "platform/ado/ConnectionString.h"
#include "platform/ado/Table.h"

namespace ado {

// What one fetch may take. The control fetches on the user-interface
// thread, so the defaults are what a person waits for at most: a row source
// that runs longer or returns more is stopped and its error reported.
struct FetchLimits {
    std::chrono::seconds timeout{10}; // 0: none
    std::size_t byte_budget = TableBuilder::k_default_budget;
};

// The connection-string keys of the limits, understood by every provider:
// "Command Timeout" in seconds (0 for none) and "Max Recordset MB".
inline constexpr std::string_view k_timeout_key = "Command Timeout";
inline constexpr std::string_view k_budget_key = "Max Recordset MB";
[[nodiscard]] bool is_limit_key(std::string_view key);

// The limits a connection string sets, the defaults for those it does not.
// Raises -2147467259 naming the key for a value that is not a whole number
// in range (0 to 2147483647 seconds, 1 to 1048576 MB).
[[nodiscard]] FetchLimits limits_of(const ConnectionString& cs);

// The error of a row source stopped at its time limit: -2147217900 naming
// the limit and the key that sets it.
[[noreturn]] void raise_timeout(const FetchLimits& limits, std::string_view source);

class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    virtual ~Session() = default;

    // Runs the row source and fetches every row. Raises -2147217904 for a
    // column the tables lack, -2147217900 for a refused or failing row
    // source, -2147467259 when the link broke.
    [[nodiscard]] virtual std::shared_ptr<const Table> fetch(
        std::string_view sql, const FetchLimits& limits)
        = 0;
};

// Opens a session for a parsed connection string; `user` and `password`
// (when not empty) replace the string's own. Raises -2147467259 naming
// what was wrong: an unknown provider or key, a missing file, a refused
// login. No description ever holds the password.
[[nodiscard]] std::unique_ptr<Session> open_session(
    const ConnectionString& cs, std::string_view user, std::string_view password);

} // namespace ado
