#pragma once
// Fixtures for the data-access tests: SQLite files made from real SQL in a
// temporary folder, the PostgreSQL test server found through PENDREL_PG, a
// test base that runs the same cases against both, and helpers to check a
// file and its folder stay unchanged.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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

// A 64-bit FNV-1a checksum of a file's bytes.
[[nodiscard]] std::uint64_t file_checksum(const std::filesystem::path& file);
// The names of the entries of a folder, sorted.
[[nodiscard]] std::vector<std::string> folder_entries(const std::filesystem::path& folder);

// PENDREL_PG, when set and not empty.
[[nodiscard]] std::optional<std::string> pg_connection_string();
// PENDREL_REQUIRE_PG=1: a missing server fails the tests instead of skipping.
[[nodiscard]] bool pg_required();

// Skips the current test (or fails it, when required) if PENDREL_PG is not
// set; use as `PENDREL_REQUIRE_PG_SERVER();` at the top of a test.
#define PENDREL_REQUIRE_PG_SERVER()                                                                \
    do {                                                                                           \
        if (!::pendrel::test::pg_connection_string()) {                                            \
            if (::pendrel::test::pg_required())                                                    \
                FAIL() << "PENDREL_REQUIRE_PG=1 but PENDREL_PG is not set: start a server with "   \
                          "scripts/pg-test-server.sh";                                             \
            GTEST_SKIP() << "PENDREL_PG is not set: no PostgreSQL server (start one with "         \
                            "scripts/pg-test-server.sh start <dir>)";                              \
        }                                                                                          \
    } while (0)

// Opens a recordset the way the control does: a connection opened with
// (cnstr, "", "", -1), CursorLocation 3, then Open(sql, connection, 3, 1, -1).
[[nodiscard]] std::shared_ptr<ado::Recordset> open_recordset(
    const std::string& cnstr, const std::string& sql);

enum class Backend {
    SQLite,
    PostgreSQL,
};

// The base of tests that run against both databases: the shared tables in
// a fresh SQLite file, or on the PostgreSQL test server.
class DatabaseTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    [[nodiscard]] const std::string& cnstr() const { return m_cnstr; }
    [[nodiscard]] bool is_postgres() const { return GetParam() == Backend::PostgreSQL; }
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
