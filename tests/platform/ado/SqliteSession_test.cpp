// The SQLite provider: opening files, refusing every row source that is not
// one read-only query (with the file and its folder left exactly as they
// were), declared and value-given types, and the time limit.
#include <fstream>

#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Fields.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
using vb::Variant;
namespace err = vb::err;

class SqliteSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pendrel::test::create_sqlite_file(m_file, pendrel::test::fixture_sql());
    }

    std::string cnstr(bool read_only = false) const
    {
        return pendrel::test::sqlite_connection_string(m_file, read_only);
    }

    pendrel::test::TempDir m_dir;
    std::filesystem::path m_file = m_dir / "shop.db";
};

using namespace std::string_view_literals;

struct Hostile {
    const char* name;
    std::string_view sql;
    const char* says = "refused";
};

// Every one of these must be refused before it runs.
const Hostile k_hostile[] = {
    {"Delete", "DELETE FROM people", "change rows"},
    {"DeleteReturningRows", "DELETE FROM people RETURNING *"},
    {"WithDelete", "WITH d AS (SELECT 1) DELETE FROM people"},
    {"DropTable", "DROP TABLE people"},
    {"CreateTrigger", "CREATE TRIGGER evil AFTER INSERT ON people BEGIN DELETE FROM people; END"},
    {"SelectThenDelete", "SELECT * FROM people; DELETE FROM people", "more than one statement"},
    {"CommentThenDrop", "SELECT * FROM people -- read\n; DROP TABLE people"},
    {"NulThenDrop", "SELECT * FROM people\0; DROP TABLE people"sv},
    {"Attach", "ATTACH DATABASE 'evil.db' AS evil", "attach"},
    {"PragmaWritableSchema", "PRAGMA writable_schema = 1"},
    {"VacuumInto", "VACUUM INTO 'copy.db'"},
    {"Begin", "BEGIN"},
    {"LoadExtension", "SELECT load_extension('evil')"},
    {"VirtualTable", "CREATE VIRTUAL TABLE evil USING fts5(x)"},
    {"Empty", "", "empty"},
    {"OnlyBlanks", "  \n\t "},
};

class SqliteHostileTest : public SqliteSessionTest,
                          public ::testing::WithParamInterface<std::tuple<Hostile, bool>> {};

TEST_P(SqliteHostileTest, IsRefusedAndLeavesTheDatabaseUnchanged)
{
    const Hostile& hostile = std::get<0>(GetParam());
    const bool read_only = std::get<1>(GetParam());
    const std::string sql(hostile.sql);
    const auto checksum = pendrel::test::file_checksum(m_file);
    const auto entries = pendrel::test::folder_entries(m_dir.path());
    const auto e = error_of([&] { (void)pendrel::test::open_recordset(cnstr(read_only), sql); });
    EXPECT_EQ(e.number(), err::AdoCommandError);
    EXPECT_NE(e.description().find("refused"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find(hostile.says), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find('\n'), std::string::npos);
    EXPECT_EQ(pendrel::test::file_checksum(m_file), checksum);
    EXPECT_EQ(pendrel::test::folder_entries(m_dir.path()), entries);
    EXPECT_EQ(
        pendrel::test::open_recordset(cnstr(), "SELECT * FROM people")->get_RecordCount(), 12);
}

INSTANTIATE_TEST_SUITE_P(RowSources, SqliteHostileTest,
    ::testing::Combine(::testing::ValuesIn(k_hostile), ::testing::Bool()), [](const auto& info) {
        return std::string(std::get<0>(info.param).name)
            + (std::get<1>(info.param) ? "_ReadOnly" : "_ReadWrite");
    });

TEST_F(SqliteSessionTest, ReadOnlyQueriesInEveryAcceptedFormRead)
{
    const std::pair<std::string, const char*> rows[] = {
        {cnstr(), "SELECT * FROM people;"},
        {cnstr(), "SELECT * FROM people ; ; -- done"},
        {cnstr(), "SELECT * FROM people /* x */"},
        {cnstr(true), "SELECT * FROM people"},
        {"Data Source=" + m_file.string(), "SELECT * FROM people"}, // no provider means SQLite
        {cnstr(),
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 12) "
            "SELECT x FROM n"},
    };
    for (const auto& [c, sql] : rows)
        EXPECT_EQ(pendrel::test::open_recordset(c, sql)->get_RecordCount(), 12) << c << " " << sql;
}

TEST_F(SqliteSessionTest, UnboundParameterRaisesMissingParameter)
{
    EXPECT_EQ(error_of([&] {
        (void)pendrel::test::open_recordset(cnstr(), "SELECT * FROM people WHERE id = ?");
    }).number(),
        err::AdoMissingParameter);
}

TEST_F(SqliteSessionTest, BadConnectionStringsOrFilesNameTheProblemAndCreateNothing)
{
    const struct {
        std::string cnstr;
        const char* says;
    } rows[] = {
        {"Provider=SQLite", "Data Source"},
        {"Provider=SQLite;Data Source=" + (m_dir / "nosuch.db").string(), "does not exist"},
        {"Provider=SQLite;Data Source=" + m_file.string() + ";Mode=Sideways", "Mode"},
        {"Provider=SQLite;Data Sorce=" + m_file.string(), "Data Sorce"},
        {"Provider=Oracle;Data Source=x", "Oracle"},
        {"Provider=SQLite;Data Source=" + (m_dir / "notes.txt").string(), "not a database"},
        {"Provider=SQLite;Data Source=" + m_dir.path().string(), ""},
        {"Provider=SQLite;Data Source=file:" + m_file.string() + "?mode=rwc", ""},
        {"Provider=SQLite;Data Source=:memory:", ""},
    };
    std::ofstream(m_dir / "notes.txt")
        << "this is not a database, but it is long enough to have a header of its own....";
    for (const auto& row : rows) {
        ado::Connection c;
        const auto e = error_of([&] { c.Open(row.cnstr); });
        EXPECT_EQ(e.number(), err::UnspecifiedError) << row.cnstr;
        EXPECT_NE(e.description().find(row.says), std::string::npos) << e.description();
        EXPECT_EQ(c.get_State(), ado::adStateClosed);
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir / "nosuch.db")); // a failed open creates nothing
}

TEST_F(SqliteSessionTest, DeclaredTypesOfTheEmbeddedDatabase)
{
    pendrel::test::create_sqlite_file(m_dir / "types.db",
        "CREATE TABLE t (a TINYINT, b NVARCHAR(12), d DATETIME, e BLOB, i STRING, j UNSIGNED BIG "
        "INT);"
        "INSERT INTO t VALUES (1, 'n', '2024-03-05 10:00:00', x'00ff', 'word', 4);");
    auto rs = pendrel::test::open_recordset(
        pendrel::test::sqlite_connection_string(m_dir / "types.db"), "SELECT * FROM t");
    constexpr vb::Long k_long = 1073741823;
    const std::pair<ado::DataType, vb::Long> expected[] = {
        {ado::DataType::adUnsignedTinyInt, 1},
        {ado::DataType::adVarWChar, 12},
        {ado::DataType::adDate, 8},
        {ado::DataType::adLongVarBinary, k_long},
        {ado::DataType::adLongVarWChar, k_long}, // STRING: no known type, the text values decide
        {ado::DataType::adBigInt, 8},
    };
    const auto fields = rs->get_Fields();
    ASSERT_EQ(fields->get_Count(), 6);
    for (vb::Long i = 0; i < 6; ++i) {
        EXPECT_EQ(fields->get_Item(i)->get_Type(), static_cast<vb::Long>(expected[i].first)) << i;
        EXPECT_EQ(fields->get_Item(i)->get_DefinedSize(), expected[i].second) << i;
    }
    EXPECT_EQ(fields->get_Item("e")->get_Value(), Variant(std::string("\0\xff", 2)));
    EXPECT_EQ(fields->get_Item("a")->get_Value(), Variant(vb::Integer(1)));
}

TEST_F(SqliteSessionTest, ExpressionsTakeTheirTypeFromTheirValues)
{
    auto rs = pendrel::test::open_recordset(cnstr(),
        "SELECT 1 + 1 AS n, 3000000000 AS big, 0.5 AS r, 'a' || 'b' AS t, x'01' AS b, NULL AS z, "
        "CASE WHEN id = 1 THEN 'one' ELSE id END AS mixed FROM people ORDER BY id");
    const auto f = rs->get_Fields();
    const std::pair<const char*, ado::DataType> expected[] = {
        {"n", ado::DataType::adInteger},
        {"big", ado::DataType::adBigInt},
        {"r", ado::DataType::adDouble},
        {"t", ado::DataType::adLongVarWChar},
        {"b", ado::DataType::adLongVarBinary},
        {"z", ado::DataType::adLongVarWChar},
        {"mixed", ado::DataType::adLongVarWChar},
    };
    for (const auto& [name, type] : expected)
        EXPECT_EQ(f->get_Item(name)->get_Type(), static_cast<vb::Long>(type)) << name;
    EXPECT_EQ(f->get_Item("big")->get_Value(), Variant(3000000000.0));
    EXPECT_EQ(f->get_Item("mixed")->get_Value(), Variant("one"));
    rs->MoveNext();
    EXPECT_EQ(f->get_Item("mixed")->get_Value(), Variant("2")); // kept as its text, not lost
}

TEST_F(SqliteSessionTest, ValuesThatDoNotFitTheDeclaredTypeAreKeptAsText)
{
    pendrel::test::create_sqlite_file(m_dir / "loose.db",
        "CREATE TABLE t (n INTEGER, d DATE);"
        "INSERT INTO t VALUES (1, '2024-01-02'); INSERT INTO t VALUES ('many', 'someday');"
        "INSERT INTO t VALUES (9223372036854775807, 45000);");
    auto rs
        = pendrel::test::open_recordset(pendrel::test::sqlite_connection_string(m_dir / "loose.db"),
            "SELECT n, d FROM t ORDER BY rowid");
    const auto n = rs->get_Fields()->get_Item("n");
    const auto d = rs->get_Fields()->get_Item("d");
    EXPECT_EQ(n->get_Type(), static_cast<vb::Long>(ado::DataType::adInteger));
    EXPECT_EQ(n->get_Value(), Variant("1"));
    EXPECT_EQ(d->get_Value(), Variant("2024-01-02"));
    rs->MoveNext();
    EXPECT_EQ(n->get_Value(), Variant("many"));
    EXPECT_EQ(d->get_Value(), Variant("someday"));
    rs->MoveNext();
    EXPECT_EQ(n->get_Value(), Variant("9223372036854775807"));
    EXPECT_EQ(d->get_Value(), Variant("45000"));
    rs->MoveFirst();
    rs->Find("[n] = 1");
    EXPECT_EQ(rs->get_AbsolutePosition(), 1);
}

TEST_F(SqliteSessionTest, RunawayQueryStopsAtTheTimeLimit)
{
    auto connection = std::make_shared<ado::Connection>();
    connection->let_CommandTimeout(1);
    connection->Open(cnstr(), "", "", -1);
    ado::Recordset rs;
    const auto e = error_of([&] {
        rs.Open("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT count(*) "
                "FROM n",
            connection, 3, 1, -1);
    });
    EXPECT_EQ(e.number(), err::AdoCommandError);
    EXPECT_NE(e.description().find("timeout"), std::string::npos) << e.description();
    EXPECT_EQ(rs.get_State(), ado::adStateClosed);
}

} // namespace
