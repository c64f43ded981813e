#pragma once
// Fixtures for the data-access tests: SQLite files made from real SQL in a
// temporary folder, the PostgreSQL test server found through PENDREL_PG, and
// a test base that runs the same cases against both.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Error.h"
#include "support/TempDir.h"
#include "support/VbError.h"

namespace pendrel::test {

// The SQL of the shared test tables (fixture.sql next to this file).
[[nodiscard]] std::string fixture_sql();

// Creates an SQLite database file from SQL; throws std::runtime_error when
// the SQL fails.
void create_sqlite_file(const std::filesystem::path& file, std::string_view sql);

[[nodiscard]] std::string sqlite_connection_string(
    const std::filesystem::path& file, bool read_only = false);

// Each entry of a folder with a checksum of its bytes, sorted by name: equal
// snapshots mean nothing in the folder was added, removed or changed.
[[nodiscard]] std::vector<std::pair<std::string, std::uint64_t>> folder_snapshot(
    const std::filesystem::path& folder);

// PENDREL_PG, when set and not empty.
[[nodiscard]] std::optional<std::string> pg_connection_string();

// Opens a recordset the way the control does: a connection opened with
// (cnstr, "", "", -1), CursorLocation 3, then Open(sql, connection, 3, 1, -1).
[[nodiscard]] std::shared_ptr<ado::Recordset> open_recordset(
    const std::string& cnstr, const std::string& sql);

// A fresh SQLite file with the shared tables.
class SqliteFileTest : public ::testing::Test {
protected:
    SqliteFileTest();

    [[nodiscard]] std::string cnstr(bool read_only = false) const
    {
        return sqlite_connection_string(m_file, read_only);
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "shop.db";
};

enum class Backend {
    SQLite,
    PostgreSQL,
};

// The base of tests that run against both databases: the shared tables in a
// fresh SQLite file, or on the PostgreSQL test server. Without PENDREL_PG the
// PostgreSQL runs are skipped, or fail when PENDREL_REQUIRE_PG=1.
class DatabaseTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    [[nodiscard]] const std::string& cnstr() const { return m_cnstr; }
    [[nodiscard]] std::shared_ptr<ado::Recordset> open(const std::string& sql) const
    {
        return open_recordset(m_cnstr, sql);
    }

private:
    std::optional<TempDir> m_dir;
    std::string m_cnstr;
};

[[nodiscard]] std::string backend_name(const ::testing::TestParamInfo<Backend>& info);

#define PENDREL_BOTH_BACKENDS(suite)                                                               \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                      \
        ::testing::Values(::pendrel::test::Backend::SQLite, ::pendrel::test::Backend::PostgreSQL), \
        ::pendrel::test::backend_name)

} // namespace pendrel::test
