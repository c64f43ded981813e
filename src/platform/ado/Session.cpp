#include "platform/ado/Session.h"

#include "platform/ado/PgSession.h"
#include "platform/ado/ProviderError.h"
#include "platform/ado/SqliteSession.h"

namespace ado {

std::unique_ptr<Session> open_session(
    const ConnectionString& cs, std::string_view user, std::string_view password)
{
    // The embedded database is the default provider.
    const std::string provider = cs.get("Provider").value_or("SQLite");
    if (same_key(provider, "SQLite") || same_key(provider, "SQLite3"))
        return open_sqlite(cs);
    if (same_key(provider, "PostgreSQL") || same_key(provider, "Postgres")
        || same_key(provider, "PgSQL"))
        return open_postgres(cs, user, password);
    raise_connection_error(
        "Provider '" + provider + "' is not known; use SQLite or PostgreSQL.", "ADODB.Connection");
}

} // namespace ado
