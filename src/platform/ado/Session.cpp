#include "platform/ado/Session.h"

#include "platform/ado/PgSession.h"
#include "platform/ado/ProviderError.h"
#include "platform/ado/SqliteSession.h"
#include "platform/vb/Ascii.h"

namespace ado {

std::unique_ptr<Session> open_session(
    const ConnectionString& cs, std::string_view user, std::string_view password)
{
    // The embedded database is the default provider.
    const std::string provider = cs.get("Provider").value_or("SQLite");
    if (vb::iequals(provider, "SQLite") || vb::iequals(provider, "SQLite3"))
        return open_sqlite(cs);
    if (vb::iequals(provider, "PostgreSQL") || vb::iequals(provider, "Postgres")
        || vb::iequals(provider, "PgSQL"))
        return open_postgres(cs, user, password);
    raise_connection_error(
        "Provider '" + provider + "' is not known; use SQLite or PostgreSQL.", "ADODB.Connection");
}

} // namespace ado
