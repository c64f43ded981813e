#include "platform/ado/PgSession.h"

#include <vector>

#include <sys/socket.h>

#include "platform/ado/CallSites.h"
#include "platform/ado/PgHandles.h"
#include "platform/ado/PgValues.h"
#include "platform/ado/ProviderError.h"
#include "platform/ado/SqlText.h"
#include "platform/vb/Ascii.h"

namespace ado {

namespace {

constexpr std::string_view k_source = "PostgreSQL";

struct Alias {
    std::string_view ado;
    const char* keyword;
};

constexpr Alias k_aliases[] = {
    {"Host", "host"},
    {"Server", "host"},
    {"Data Source", "host"},
    {"Port", "port"},
    {"Database", "dbname"},
    {"Initial Catalog", "dbname"},
    {"User ID", "user"},
    {"UID", "user"},
    {"User", "user"},
    {"Password", "password"},
    {"PWD", "password"},
};

constexpr std::string_view k_ignored[] = {"Provider", "Persist Security Info", "Mode"};

// The key that lets a role with powers beyond reading connect.
constexpr std::string_view k_trusted_key = "Trusted Role";

// The settings the value readers rely on, for one row source's transaction
// only: the session reset after it (DISCARD ALL) would drop them anyway.
constexpr std::string_view k_fetch_setup = "BEGIN TRANSACTION READ ONLY; "
                                           "SET LOCAL DateStyle = ISO, YMD; "
                                           "SET LOCAL extra_float_digits = 3; "
                                           "SET LOCAL bytea_output = hex; "
                                           "SET LOCAL statement_timeout = ";

// The powers of the connecting role beyond reading: superuser, and the
// predefined roles that end other sessions or reach the server's files and
// programs.
constexpr const char* k_role_powers
    = "SELECT 'superuser' FROM pg_roles WHERE rolname = current_user AND rolsuper "
      "UNION ALL SELECT rolname::text FROM pg_roles WHERE rolname IN ('pg_signal_backend', "
      "'pg_read_server_files', 'pg_write_server_files', 'pg_execute_server_program') "
      "AND pg_has_role(current_user, oid, 'MEMBER') ORDER BY 1";

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = vb::ascii_lower(c);
    return out;
}

bool is_libpq_keyword(const std::string& key)
{
    PQconninfoOption* options = PQconndefaults();
    bool found = false;
    for (PQconninfoOption* o = options; o != nullptr && o->keyword != nullptr; ++o)
        found = found || key == o->keyword;
    PQconninfoFree(options);
    return found;
}

struct Parameters {
    std::vector<std::string> keywords;
    std::vector<std::string> values;

    void set(const std::string& keyword, std::string value)
    {
        for (std::size_t i = 0; i < keywords.size(); ++i) {
            if (keywords[i] == keyword) {
                values[i] = std::move(value);
                return;
            }
        }
        keywords.push_back(keyword);
        values.push_back(std::move(value));
    }
    [[nodiscard]] bool has(const std::string& keyword) const
    {
        for (const auto& k : keywords) {
            if (k == keyword)
                return true;
        }
        return false;
    }
};

Parameters map_keys(const ConnectionString& cs)
{
    Parameters p;
    for (const auto& pair : cs.pairs()) {
        bool done = is_limit_key(pair.key) || vb::iequals(pair.key, k_trusted_key);
        for (const auto ignored : k_ignored)
            done = done || vb::iequals(pair.key, ignored);
        for (const auto& alias : k_aliases) {
            if (!done && vb::iequals(pair.key, alias.ado)) {
                p.set(alias.keyword, pair.value);
                done = true;
            }
        }
        if (done)
            continue;
        const std::string keyword = lower(pair.key);
        if (!is_libpq_keyword(keyword))
            raise_connection_error(
                "PostgreSQL: the connection string key '" + pair.key + "' is not known.", k_source);
        p.set(keyword, pair.value);
    }
    return p;
}

// A call site made to fail: the session's socket is shut down, as when the
// server ends the backend, and the call finds the link gone.
void fail_at(Site site, PGconn* conn)
{
    if (injected_failure(site) != 0)
        ::shutdown(PQsocket(conn), SHUT_RDWR);
}

bool trusted_role(const ConnectionString& cs)
{
    const auto value = cs.get(k_trusted_key);
    if (!value || vb::iequals(*value, "No") || vb::iequals(*value, "False") || *value == "0")
        return false;
    if (vb::iequals(*value, "Yes") || vb::iequals(*value, "True") || *value == "1")
        return true;
    raise_connection_error("PostgreSQL: Trusted Role must be Yes or No.", k_source);
}

// A row source is the host's SQL, run as the connecting role: a role that
// may end other sessions or reach the server's files would let it do so.
void refuse_powerful_role(PGconn* conn, std::string_view secret)
{
    fail_at(Site::PgRolePowers, conn);
    const PgResult powers(PQexec(conn, k_role_powers));
    if (PQresultStatus(powers.get()) != PGRES_TUPLES_OK)
        raise_connection_error("PostgreSQL: cannot read the role's powers: "
                + without_secret(PQerrorMessage(conn), secret),
            k_source);
    if (PQntuples(powers.get()) == 0)
        return;
    std::string held;
    for (int i = 0; i < PQntuples(powers.get()); ++i)
        held += (i == 0 ? "" : ", ") + std::string(PQgetvalue(powers.get(), i, 0));
    raise_connection_error("PostgreSQL: the role '" + std::string(PQuser(conn))
            + "' may do more than read (" + held
            + "): a row source could end other sessions or reach the server's files. Connect "
              "with a role that may only read, or add Trusted Role=Yes to the connection string "
              "to allow this role.",
        k_source);
}

} // namespace

class PgSession final : public Session {
public:
    PgSession(PgConn conn, std::string password)
        : m_conn(std::move(conn)), m_password(std::move(password))
    {
    }

    std::shared_ptr<const Table> fetch(std::string_view sql, const FetchLimits& limits) override;

private:
    void check_row_source(std::string_view sql) const;
    void run(const char* command, std::string_view what);
    [[noreturn]] void raise_result_error(const PGresult* result, const FetchLimits& limits) const;
    [[nodiscard]] std::string last_error() const;

    PgConn m_conn;
    std::string m_password; // only to keep it out of error texts
};

std::string PgSession::last_error() const
{
    return without_secret(PQerrorMessage(m_conn.get()), m_password);
}

void PgSession::check_row_source(std::string_view sql) const
{
    if (sql.find('\0') != std::string_view::npos)
        raise_refused("it holds a NUL character", k_source);
    const std::string keyword = first_keyword(sql);
    if (keyword.empty())
        raise_refused("it holds no statement", k_source);
    if (keyword != "SELECT" && keyword != "WITH" && keyword != "VALUES" && keyword != "TABLE")
        raise_refused(
            "it starts with " + keyword + ", not with SELECT, WITH, VALUES or TABLE", k_source);
    if (has_second_statement(sql))
        raise_refused("it holds more than one statement", k_source);
}

void PgSession::run(const char* command, std::string_view what)
{
    const PgResult result(PQexec(m_conn.get(), command));
    if (PQstatus(m_conn.get()) != CONNECTION_OK)
        raise_connection_error(
            "PostgreSQL: the connection to the server was lost: " + last_error(), k_source);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        raise_command_error(
            "PostgreSQL: cannot " + std::string(what) + ": " + last_error(), k_source);
}

void PgSession::raise_result_error(const PGresult* result, const FetchLimits& limits) const
{
    if (PQstatus(m_conn.get()) != CONNECTION_OK)
        raise_connection_error(
            "PostgreSQL: the connection to the server was lost: " + last_error(), k_source);
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const std::string message
        = without_secret(primary != nullptr ? primary : last_error(), m_password);
    const std::string_view code = state != nullptr ? state : "";
    if (code == "42703")
        raise_missing_column(message, k_source);
    if (code == "57014")
        raise_timeout(limits, k_source);
    if (code == "25006")
        raise_refused("it is not read-only (" + message + ")", k_source);
    raise_command_error(message, k_source);
}

namespace {

// Ends the row source's transaction on every path: a query still running
// is cancelled, its results are read to the end, and the transaction is
// rolled back. Then the session is reset (DISCARD ALL): what a row source
// left behind outside its transaction, an advisory lock say, goes with it.
class FetchScope {
public:
    explicit FetchScope(PGconn* conn) : m_conn(conn) {}
    FetchScope(const FetchScope&) = delete;
    FetchScope& operator=(const FetchScope&) = delete;
    ~FetchScope()
    {
        if (m_busy) {
            const PgCancel cancel(PQgetCancel(m_conn));
            char error[256];
            if (cancel)
                PQcancel(cancel.get(), error, sizeof error);
        }
        while (PgResult(PQgetResult(m_conn))) {}
        // A late cancel request can hit the ROLLBACK itself: try again.
        fail_at(Site::PgReset, m_conn);
        for (int attempt = 0; attempt < 3 && PQstatus(m_conn) == CONNECTION_OK
             && PQtransactionStatus(m_conn) != PQTRANS_IDLE;
             ++attempt)
            PgResult(PQexec(m_conn, "ROLLBACK"));
        if (PQstatus(m_conn) == CONNECTION_OK && PQtransactionStatus(m_conn) == PQTRANS_IDLE)
            PgResult(PQexec(m_conn, "DISCARD ALL"));
    }
    void set_busy(bool busy) { m_busy = busy; }

private:
    PGconn* m_conn;
    bool m_busy = false;
};

std::unique_ptr<TableBuilder> builder_for(
    const PGresult* r, const FetchLimits& limits, std::vector<PgValueKind>& kinds)
{
    const int n = PQnfields(r);
    std::vector<TableBuilder::Declared> declared;
    for (int i = 0; i < n; ++i) {
        const Oid oid = PQftype(r, i);
        declared.push_back({PQfname(r, i), type_of_declaration(pg_declaration(oid, PQfmod(r, i)))});
        kinds.push_back(pg_value_kind(oid));
    }
    return std::make_unique<TableBuilder>(std::move(declared), limits.byte_budget);
}

void append_rows(TableBuilder& builder, const PGresult* r, const std::vector<PgValueKind>& kinds)
{
    for (int row = 0; row < PQntuples(r); ++row) {
        for (int i = 0; i < PQnfields(r); ++i) {
            Column& column = builder.column(static_cast<std::size_t>(i));
            if (PQgetisnull(r, row, i))
                column.append_null();
            else
                append_pg_value(column, kinds[static_cast<std::size_t>(i)],
                    {PQgetvalue(r, row, i), static_cast<std::size_t>(PQgetlength(r, row, i))});
        }
        builder.end_row();
    }
}

} // namespace

std::shared_ptr<const Table> PgSession::fetch(std::string_view sql, const FetchLimits& limits)
{
    check_row_source(sql);
    PGconn* conn = m_conn.get();
    if (PQstatus(conn) != CONNECTION_OK)
        raise_connection_error("PostgreSQL: the connection to the server was lost.", k_source);
    FetchScope transaction(conn);
    const std::string setup
        = std::string(k_fetch_setup) + std::to_string(limits.timeout.count() * 1000);
    fail_at(Site::PgBegin, conn);
    run(setup.c_str(), "start a read-only transaction");
    const std::string text(sql);
    fail_at(Site::PgSend, conn);
    if (PQsendQueryParams(conn, text.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0) == 0)
        raise_connection_error("PostgreSQL: cannot send the row source: " + last_error(), k_source);
    transaction.set_busy(true);
    PQsetSingleRowMode(conn);
    std::unique_ptr<TableBuilder> builder;
    std::vector<PgValueKind> kinds;
    while (true) {
        fail_at(Site::PgRows, conn);
        const PgResult result{PQgetResult(conn)};
        if (!result)
            break;
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK) {
            if (!builder)
                builder = builder_for(result.get(), limits, kinds);
            append_rows(*builder, result.get(), kinds);
            continue;
        }
        // The statement has ended: nothing left to cancel.
        transaction.set_busy(false);
        if (status == PGRES_COMMAND_OK || status == PGRES_EMPTY_QUERY)
            raise_refused("it returns no rows", k_source);
        raise_result_error(result.get(), limits);
    }
    transaction.set_busy(false);
    if (!builder)
        raise_refused("it returns no rows", k_source);
    return builder->finish();
}

std::unique_ptr<Session> open_postgres(
    const ConnectionString& cs, std::string_view user, std::string_view password)
{
    Parameters p = map_keys(cs);
    if (!user.empty())
        p.set("user", std::string(user));
    if (!password.empty())
        p.set("password", std::string(password));
    p.set("client_encoding", "UTF8");
    if (!p.has("connect_timeout"))
        p.set("connect_timeout", "10");
    // A refused connection: a server that is not there.
    if (injected_failure(Site::PgConnect) != 0)
        p.set("host", "/nonexistent/pendrel");
    std::string secret;
    std::vector<const char*> keywords;
    std::vector<const char*> values;
    for (std::size_t i = 0; i < p.keywords.size(); ++i) {
        if (p.keywords[i] == "password")
            secret = p.values[i];
        keywords.push_back(p.keywords[i].c_str());
        values.push_back(p.values[i].c_str());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    PgConn conn(PQconnectdbParams(keywords.data(), values.data(), 0));
    if (!conn)
        raise_connection_error("PostgreSQL: out of memory while connecting.", k_source);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        raise_connection_error(
            "PostgreSQL: " + without_secret(PQerrorMessage(conn.get()), secret), k_source);
    if (!trusted_role(cs))
        refuse_powerful_role(conn.get(), secret);
    return std::make_unique<PgSession>(std::move(conn), std::move(secret));
}

} // namespace ado
