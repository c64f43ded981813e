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
    const std::filesystem::path path = PENDREL_FIXTURE_SQL;
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
    if (sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error("SQL failed in " + file.string() + ": " + text);
    }
}

std::string sqlite_connection_string(const std::filesystem::path& file, bool read_only)
{
    return "Provider=SQLite;Data Source=" + file.string() + (read_only ? ";Mode=Read" : "");
}

std::uint64_t file_checksum(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::uint64_t h = 1469598103934665603ULL;
    char c = 0;
    while (in.get(c)) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

std::vector<std::string> folder_entries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> pg_connection_string()
{
    const char* value = std::getenv("PENDREL_PG");
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

bool pg_required()
{
    const char* value = std::getenv("PENDREL_REQUIRE_PG");
    return value != nullptr && std::string_view(value) == "1";
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

void DatabaseTest::SetUp()
{
    if (GetParam() == Backend::PostgreSQL) {
        PENDREL_REQUIRE_PG_SERVER();
        m_cnstr = *pg_connection_string();
        return;
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
