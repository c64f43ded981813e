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

struct FetchLimits {
    std::chrono::seconds timeout{30}; // 0: none
    std::size_t byte_budget = TableBuilder::k_default_budget;
};

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
