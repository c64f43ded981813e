#include "platform/ado/SqliteSession.h"

#include <algorithm>
#include <filesystem>

#include "platform/ado/CallSites.h"
#include "platform/ado/ProviderError.h"
#include "platform/ado/SqliteGuard.h"
#include "platform/ado/SqliteHandles.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr std::string_view k_source = "SQLite";

// Keys a connection string for this provider may carry; User ID and
// Password mean nothing to a file and are ignored.
constexpr std::string_view k_keys[]
    = {"Provider", "Data Source", "Mode", "Persist Security Info", "User ID", "Password"};

bool read_only_mode(const ConnectionString& cs)
{
    const auto mode = cs.get("Mode");
    if (!mode || mode->empty())
        return false;
    if (vb::iequals(*mode, "Read") || *mode == "1")
        return true;
    for (const auto known : {"ReadWrite", "Write", "Share Deny None", "Share Deny Read",
             "Share Deny Write", "Share Exclusive", "Unknown"}) {
        if (vb::iequals(*mode, known))
            return false;
    }
    raise_connection_error(
        "SQLite: the Mode '" + *mode + "' is not known (use Read or ReadWrite).", k_source);
}

class SqliteSession final : public Session {
public:
    SqliteSession(SqliteDb db, std::unique_ptr<SqliteGuard> guard)
        : m_guard(std::move(guard)), m_db(std::move(db))
    {
    }

    std::shared_ptr<const Table> fetch(std::string_view sql, const FetchLimits& limits) override;

private:
    static int on_progress(void* deadline);
    std::shared_ptr<const Table> read_rows(sqlite3_stmt* stmt, const FetchLimits& limits);

    std::unique_ptr<SqliteGuard> m_guard; // the authorizer's context, outlives m_db
    SqliteDb m_db;
};

int SqliteSession::on_progress(void* deadline)
{
    return std::chrono::steady_clock::now()
            > *static_cast<std::chrono::steady_clock::time_point*>(deadline)
        ? 1
        : 0;
}

std::shared_ptr<const Table> SqliteSession::fetch(std::string_view sql, const FetchLimits& limits)
{
    bool blank = true;
    for (const char c : sql)
        blank = blank && (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    if (blank)
        raise_refused("it is empty", k_source);
    // No single value may pass the byte budget: the library refuses to make
    // or read one before it takes the memory.
    sqlite3_limit(m_db.get(), SQLITE_LIMIT_LENGTH,
        static_cast<int>(std::min<std::size_t>(limits.byte_budget, 1'000'000'000)));
    const SqliteStatement stmt = m_guard->prepare(m_db.get(), sql);
    // The time limit: the library asks every few thousand steps.
    auto deadline = std::chrono::steady_clock::now() + limits.timeout;
    if (limits.timeout.count() > 0)
        sqlite3_progress_handler(m_db.get(), 10000, &SqliteSession::on_progress, &deadline);
    struct ClearProgress {
        sqlite3* db;
        ~ClearProgress() { sqlite3_progress_handler(db, 0, nullptr, nullptr); }
    } clear{m_db.get()};
    return read_rows(stmt.get(), limits);
}

// The fields of a prepared statement; `boolean` marks those declared
// BOOLEAN, whose integers are held as 1 and 0.
std::vector<TableBuilder::Declared> declared_fields(sqlite3_stmt* stmt, std::vector<bool>& boolean)
{
    std::vector<TableBuilder::Declared> declared;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const char* name = sqlite3_column_name(stmt, i);
        const char* decl = sqlite3_column_decltype(stmt, i);
        auto type = decl != nullptr ? type_of_declaration(decl) : std::nullopt;
        boolean.push_back(type && type->type == DataType::adBoolean);
        declared.push_back({name != nullptr ? name : "", type});
    }
    return declared;
}

void append_value(Column& column, sqlite3_stmt* stmt, int i, bool boolean)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, i);
        return column.append_integer(boolean ? (v != 0 ? 1 : 0) : v);
    }
    case SQLITE_FLOAT:
        return column.append_real(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return column.append_text({text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, i))});
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, i));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt, i));
        return column.append_blob(size == 0 ? std::string_view() : std::string_view(bytes, size));
    }
    default:
        return column.append_null();
    }
}

std::shared_ptr<const Table> SqliteSession::read_rows(sqlite3_stmt* stmt, const FetchLimits& limits)
{
    std::vector<bool> boolean;
    TableBuilder builder(declared_fields(stmt, boolean), limits.byte_budget);
    const int n = sqlite3_column_count(stmt);
    int rc = 0;
    const auto step = [&] {
        const int injected = injected_failure(Site::SqliteStep);
        return injected != SQLITE_OK ? injected : sqlite3_step(stmt);
    };
    while ((rc = step()) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i)
            append_value(builder.column(static_cast<std::size_t>(i)), stmt, i,
                boolean[static_cast<std::size_t>(i)]);
        builder.end_row();
    }
    if (rc == SQLITE_INTERRUPT)
        raise_timeout(limits, k_source);
    if (rc == SQLITE_TOOBIG)
        vb::raise(vb::err::OutOfMemory,
            "The row source returned a value larger than a recordset may hold ("
                + std::to_string(limits.byte_budget >> 20)
                + " MB; Max Recordset MB in the connection string).",
            "ADODB.Recordset");
    sqlite3* db = sqlite3_db_handle(stmt);
    if (rc != SQLITE_DONE)
        raise_command_error(
            sqlite3_errcode(db) == rc ? sqlite3_errmsg(db) : sqlite3_errstr(rc), k_source);
    return builder.finish();
}

// Reads the schema now, so a file that is not a database fails Open, not
// the first row source.
void check_readable(sqlite3* db, const std::string& source)
{
    sqlite3_stmt* raw = nullptr;
    int rc = injected_failure(Site::SqliteSchemaPrepare);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master LIMIT 1", -1, &raw, nullptr);
    const SqliteStatement stmt(raw);
    if (rc == SQLITE_OK)
        rc = injected_failure(Site::SqliteSchemaStep);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        raise_connection_error("SQLite: cannot read '" + source
                + "': " + (sqlite3_errcode(db) == rc ? sqlite3_errmsg(db) : sqlite3_errstr(rc)),
            k_source);
}

} // namespace

std::unique_ptr<Session> open_sqlite(const ConnectionString& cs)
{
    for (const auto& pair : cs.pairs()) {
        bool known = is_limit_key(pair.key);
        for (const auto key : k_keys)
            known = known || vb::iequals(pair.key, key);
        if (!known)
            raise_connection_error("SQLite: the connection string key '" + pair.key
                    + "' is not known (use Data Source and Mode).",
                k_source);
    }
    const auto source = cs.get("Data Source");
    if (!source || source->empty())
        raise_connection_error(
            "SQLite: the connection string names no Data Source (the database file).", k_source);
    const bool read_only = read_only_mode(cs);
    std::error_code ec;
    if (!std::filesystem::exists(*source, ec))
        raise_connection_error(
            "SQLite: the database file '" + *source + "' does not exist.", k_source);
    if (!std::filesystem::is_regular_file(*source, ec))
        raise_connection_error(
            "SQLite: the Data Source '" + *source + "' is not a file.", k_source);
    // A name starting with "file:" could be read as a URI; a "./" in front
    // keeps it a plain file name.
    std::string path = *source;
    if (path.starts_with("file:"))
        path = "./" + path;
    sqlite3* raw = nullptr;
    const int flags
        = (read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = injected_failure(Site::SqliteOpen);
    if (rc == SQLITE_OK)
        rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK)
        raise_connection_error("SQLite: cannot open '" + *source
                + "': " + (db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc)),
            k_source);
    sqlite3_busy_timeout(db.get(), 5000);
    auto guard = std::make_unique<SqliteGuard>();
    guard->install(db.get());
    check_readable(db.get(), *source);
    return std::make_unique<SqliteSession>(std::move(db), std::move(guard));
}

} // namespace ado
