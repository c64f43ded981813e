#include "support/ado/AdoFixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <sqlite3.h>

namespace pendrel::test {

std::string fixture_sql()
{
    const auto path = std::filesystem::path(PENDREL_ADO_FIXTURE_DIR) / "fixture.sql";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void create_sqlite_file(const std::filesystem::path& file, std::string_view sql)
{
    sqlite3* db = nullptr;
    const int rc
        = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> owner(db, &sqlite3_close);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot create " + file.string());
    char* message = nullptr;
    // Without waiting for the disk: a test file need not survive a crash.
    const std::string script = "PRAGMA synchronous = OFF;" + std::string(sql);
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error("SQL failed in " + file.string() + ": " + text);
    }
}

std::string sqlite_connection_string(const std::filesystem::path& file, bool read_only)
{
    return "Provider=SQLite;Data Source=" + file.string() + (read_only ? ";Mode=Read" : "");
}

std::vector<std::pair<std::string, std::uint64_t>> folder_snapshot(
    const std::filesystem::path& folder)
{
    std::vector<std::pair<std::string, std::uint64_t>> entries;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(e.path(), std::ios::binary);
        std::uint64_t h = 1469598103934665603ULL; // FNV-1a
        for (char c = 0; in.get(c);)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        entries.emplace_back(e.path().filename().string(), h);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::optional<std::string> pg_connection_string()
{
    const char* value = std::getenv("PENDREL_PG");
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::shared_ptr<ado::Recordset> open_recordset(const std::string& cnstr, const std::string& sql)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(cnstr, "", "", -1);
    auto recordset = std::make_shared<ado::Recordset>();
    recordset->let_CursorLocation(3);
    recordset->Open(sql, connection, 3, 1, -1);
    return recordset;
}

SqliteFileTest::SqliteFileTest()
{
    create_sqlite_file(m_file, fixture_sql());
}

void DatabaseTest::SetUp()
{
    if (GetParam() == Backend::PostgreSQL) {
        if (const auto pg = pg_connection_string()) {
            m_cnstr = *pg;
            return;
        }
        const char* require = std::getenv("PENDREL_REQUIRE_PG");
        if (require != nullptr && std::string_view(require) == "1")
            FAIL() << "PENDREL_REQUIRE_PG=1 but PENDREL_PG is not set: start a server with "
                      "scripts/pg-test-server.sh";
        GTEST_SKIP() << "PENDREL_PG is not set: no PostgreSQL server (start one with "
                        "scripts/pg-test-server.sh start <dir>)";
    }
    m_dir.emplace();
    const auto file = m_dir->path() / "shop.db";
    create_sqlite_file(file, fixture_sql());
    m_cnstr = sqlite_connection_string(file);
}

std::string backend_name(const ::testing::TestParamInfo<Backend>& info)
{
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

} // namespace pendrel::test
