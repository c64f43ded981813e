#pragma once
// PostgreSQL as a provider: "Provider=PostgreSQL;Host=…;Port=…;Database=…;
// User ID=…;Password=…". The ADO names map to the client library's keywords
// (Host, Server or Data Source to host; Database or Initial Catalog to
// dbname; User ID, UID or User to user; Password or PWD to password); any
// other keyword of the client library (sslmode, connect_timeout, …) passes
// through. A row source runs as one statement inside a read-only
// transaction that is always rolled back, and the session is reset
// (DISCARD ALL) after every fetch. A role that may do more than read (a
// superuser, or a member of pg_signal_backend, pg_read_server_files,
// pg_write_server_files or pg_execute_server_program) is refused at Open
// unless the string says "Trusted Role=Yes" (docs/Security.md).

#include <memory>
#include <string_view>

#include "platform/ado/Session.h"

namespace ado {

[[nodiscard]] std::unique_ptr<Session> open_postgres(
    const ConnectionString& cs, std::string_view user, std::string_view password);

} // namespace ado
