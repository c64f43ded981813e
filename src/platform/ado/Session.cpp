#include "platform/ado/Session.h"

#include <charconv>

#include "platform/ado/PgSession.h"
#include "platform/ado/ProviderError.h"
#include "platform/ado/SqliteSession.h"
#include "platform/vb/Ascii.h"

namespace ado {

namespace {

// A whole number from `low` to `high`, or nothing.
std::optional<long long> whole_number(std::string_view text, long long low, long long high)
{
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

long long setting(const ConnectionString& cs, std::string_view key, long long low, long long high,
    long long fallback)
{
    const auto text = cs.get(key);
    if (!text)
        return fallback;
    const auto value = whole_number(*text, low, high);
    if (!value)
        raise_connection_error("The connection string's " + std::string(key)
                + " must be a whole number from " + std::to_string(low) + " to "
                + std::to_string(high) + ".",
            "ADODB.Connection");
    return *value;
}

} // namespace

bool is_limit_key(std::string_view key)
{
    return vb::iequals(key, k_timeout_key) || vb::iequals(key, k_budget_key);
}

FetchLimits limits_of(const ConnectionString& cs)
{
    FetchLimits limits;
    limits.timeout
        = std::chrono::seconds(setting(cs, k_timeout_key, 0, 2147483647, limits.timeout.count()));
    const auto mb = static_cast<long long>(limits.byte_budget >> 20);
    limits.byte_budget = static_cast<std::size_t>(setting(cs, k_budget_key, 1, 1 << 20, mb)) << 20;
    return limits;
}

void raise_timeout(const FetchLimits& limits, std::string_view source)
{
    raise_command_error("Query timeout expired: the row source ran longer than "
            + std::to_string(limits.timeout.count()) + " seconds (" + std::string(k_timeout_key)
            + " in the connection string).",
        source);
}

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
