#include "platform/ado/SqliteGuard.h"

#include <array>
#include <cstring>

#include "platform/ado/CallSites.h"
#include "platform/ado/ProviderError.h"

namespace ado {

namespace {

constexpr std::string_view k_source = "SQLite";

// Functions that reach outside the database or into the library itself.
constexpr std::array<std::string_view, 6> k_denied_functions{
    "load_extension", "fts3_tokenizer", "readfile", "writefile", "edit", "sqlite_dbpage"};

std::string_view action_text(int action)
{
    switch (action) {
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        return "it would change rows";
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
        return "it would attach or detach a database";
    case SQLITE_PRAGMA:
        return "it runs a PRAGMA";
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
        return "it controls transactions";
    case SQLITE_FUNCTION:
        return "it calls a function that is not allowed";
    default:
        return "it would change the database or its schema";
    }
}

bool is_blank_text(std::string_view s)
{
    for (const char c : s) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v')
            return false;
    }
    return true;
}

} // namespace

void SqliteGuard::install(sqlite3* db)
{
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_set_authorizer(db, &SqliteGuard::authorize, this);
}

int SqliteGuard::authorize(
    void* self, int action, const char* a, const char* b, const char*, const char*)
{
    auto* guard = static_cast<SqliteGuard*>(self);
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_FUNCTION: {
        const char* name = b != nullptr ? b : "";
        bool denied = false;
        for (const auto d : k_denied_functions) // literals: NUL-terminated
            denied = denied || sqlite3_stricmp(name, d.data()) == 0;
        if (!denied)
            return SQLITE_OK;
        guard->m_refused = "it calls the function " + std::string(name);
        return SQLITE_DENY;
    }
    default:
        if (guard->m_refused.empty())
            guard->m_refused = std::string(action_text(action));
        (void)a;
        return SQLITE_DENY;
    }
}

void SqliteGuard::raise_prepare_error(sqlite3* db, int rc) const
{
    if (!m_refused.empty())
        raise_refused(m_refused, k_source);
    const std::string message = sqlite3_errcode(db) == rc ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    if (message.starts_with("no such column"))
        raise_missing_column(message, k_source);
    raise_command_error(message, k_source);
}

void SqliteGuard::refuse_second_statement(sqlite3* db, std::string_view tail) const
{
    // What follows the first statement must be blanks, ';' or comments:
    // preparing it then gives no statement and consumes all of it. Nothing
    // prepared here ever runs.
    while (!is_blank_text(tail)) {
        sqlite3_stmt* raw = nullptr;
        const char* rest = nullptr;
        int rc = injected_failure(Site::SqlitePrepareRest);
        if (rc == SQLITE_OK)
            rc = sqlite3_prepare_v2(db, tail.data(), static_cast<int>(tail.size()), &raw, &rest);
        const SqliteStatement stmt(raw);
        const auto used = static_cast<std::size_t>(rest != nullptr ? rest - tail.data() : 0);
        if (rc != SQLITE_OK || stmt || used == 0)
            raise_refused("it holds more than one statement", k_source);
        tail.remove_prefix(used);
    }
}

SqliteStatement SqliteGuard::prepare(sqlite3* db, std::string_view sql)
{
    // 1. Text the library would cut short or that holds nothing.
    if (sql.find('\0') != std::string_view::npos)
        raise_refused("it holds a NUL character", k_source);
    if (sql.size() > 100'000'000)
        raise_refused("it is longer than 100 MB", k_source);
    // 2. The first statement, under the authorizer.
    m_refused.clear();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc = injected_failure(Site::SqlitePrepare);
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, &tail);
    SqliteStatement stmt(raw);
    if (rc != SQLITE_OK)
        raise_prepare_error(db, rc);
    if (!stmt)
        raise_refused("it holds no statement", k_source);
    // 3. Nothing after it, and it must be a query that only reads.
    refuse_second_statement(db, sql.substr(static_cast<std::size_t>(tail - sql.data())));
    if (!sqlite3_stmt_readonly(stmt.get()))
        raise_refused("it is not read-only", k_source);
    if (sqlite3_column_count(stmt.get()) == 0)
        raise_refused("it returns no columns", k_source);
    if (sqlite3_bind_parameter_count(stmt.get()) > 0)
        raise_missing_column("No value given for one or more required parameters.", k_source);
    return stmt;
}

} // namespace ado
