#pragma once
// PostgreSQL as a provider: "Provider=PostgreSQL;Host=…;Port=…;Database=…;
// User ID=…;Password=…". The ADO names map to the client library's keywords
// (Host, Server or Data Source to host; Database or Initial Catalog to
// dbname; User ID, UID or User to user; Password or PWD to password); any
// other keyword of the client library (sslmode, connect_timeout, …) passes
// through. A row source runs as one statement inside a read-only
// transaction that is always rolled back.

#include <memory>
#include <string_view>

#include "platform/ado/Session.h"

namespace ado {

[[nodiscard]] std::unique_ptr<Session> open_postgres(
    const ConnectionString& cs, std::string_view user, std::string_view password);

} // namespace ado
