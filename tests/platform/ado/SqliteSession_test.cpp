// The SQLite provider: opening files, refusing every row source that is not
// one read-only query (with the file and its folder left exactly as they
// were), and declared and value-given types. Its time limit is checked with
// the other fetch limits (Connection_test.cpp).
#include <fstream>

#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Fields.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
using pendrel::test::open_recordset;
using vb::Variant;
namespace err = vb::err;

class SqliteSessionTest : public pendrel::test::SqliteFileTest {
protected:
    // A recordset over a database of its own, made from `schema`.
    std::shared_ptr<ado::Recordset> open_in(const char* schema, const char* sql)
    {
        pendrel::test::create_sqlite_file(m_dir / "own.db", schema);
        return open_recordset(pendrel::test::sqlite_connection_string(m_dir / "own.db"), sql);
    }
};

using namespace std::string_view_literals;

struct Hostile {
    const char* name;
    std::string_view sql;
    const char* says = "refused";
};

// Every one of these must be refused before it runs.
const Hostile k_hostile[] = {{"Delete", "DELETE FROM people", "change rows"},
    {"DeleteReturningRows", "DELETE FROM people RETURNING *"},
    {"WithDelete", "WITH d AS (SELECT 1) DELETE FROM people"}, {"DropTable", "DROP TABLE people"},
    {"CreateTrigger", "CREATE TRIGGER evil AFTER INSERT ON people BEGIN DELETE FROM people; END"},
    {"SelectThenDelete", "SELECT * FROM people; DELETE FROM people", "more than one statement"},
    {"CommentThenDrop", "SELECT * FROM people -- read\n; DROP TABLE people"},
    {"NulThenDrop", "SELECT * FROM people\0; DROP TABLE people"sv},
    {"Attach", "ATTACH DATABASE 'evil.db' AS evil", "attach"},
    {"PragmaWritableSchema", "PRAGMA writable_schema = 1"}, {"VacuumInto", "VACUUM INTO 'copy.db'"},
    {"Begin", "BEGIN"}, {"LoadExtension", "SELECT load_extension('evil')"},
    {"VirtualTable", "CREATE VIRTUAL TABLE evil USING fts5(x)"}, {"Empty", "", "empty"},
    {"OnlyBlanks", "  \n\t "}, {"OnlyAComment", "-- SELECT 1"}};

class SqliteHostileTest : public SqliteSessionTest,
                          public ::testing::WithParamInterface<std::tuple<Hostile, bool>> {};

TEST_P(SqliteHostileTest, IsRefusedAndLeavesTheDatabaseUnchanged)
{
    const Hostile& hostile = std::get<0>(GetParam());
    const bool read_only = std::get<1>(GetParam());
    const auto before = pendrel::test::folder_snapshot(m_dir.path());
    const auto e
        = error_of([&] { (void)open_recordset(cnstr(read_only), std::string(hostile.sql)); });
    EXPECT_EQ(e.number(), err::AdoCommandError);
    EXPECT_NE(e.description().find("refused"), std::string::npos) << e.description();
    EXPECT_NE(e.description().find(hostile.says), std::string::npos) << e.description();
    EXPECT_EQ(e.description().find('\n'), std::string::npos);
    EXPECT_EQ(pendrel::test::folder_snapshot(m_dir.path()), before);
    EXPECT_EQ(open_recordset(cnstr(), "SELECT * FROM people")->get_RecordCount(), 12);
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
        EXPECT_EQ(open_recordset(c, sql)->get_RecordCount(), 12) << c << " " << sql;
    EXPECT_VB_ERROR((void)open_recordset(cnstr(), "SELECT * FROM people WHERE id = ?"),
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

TEST_F(SqliteSessionTest, DeclaredTypesDecideAndExpressionsTakeTheTypeOfTheirValues)
{
    auto rs = open_in("CREATE TABLE t (a TINYINT, b NVARCHAR(12), d DATETIME, e BLOB, i STRING, "
                      "j UNSIGNED BIG INT);"
                      "INSERT INTO t VALUES (1, 'n', '2024-03-05 10:00:00', x'00ff', 'word', 4);"
                      "INSERT INTO t VALUES (2, NULL, NULL, NULL, NULL, NULL);",
        "SELECT *, 1 + 1 AS n, 3000000000 AS big, 0.5 AS r, 'a' || 'b' AS tx, x'01' AS bl, "
        "NULL AS z, CASE WHEN a = 1 THEN 'one' ELSE a END AS mixed FROM t ORDER BY a");
    constexpr vb::Long k_long = 1073741823;
    using T = ado::DataType;
    const std::tuple<const char*, T, vb::Long> expected[] = {{"a", T::adUnsignedTinyInt, 1},
        {"b", T::adVarWChar, 12}, {"d", T::adDate, 8}, {"e", T::adLongVarBinary, k_long},
        {"i", T::adLongVarWChar, k_long}, // STRING: no known type, the text values decide
        {"j", T::adBigInt, 8}, {"n", T::adInteger, 4}, {"big", T::adBigInt, 8},
        {"r", T::adDouble, 8}, {"tx", T::adLongVarWChar, k_long},
        {"bl", T::adLongVarBinary, k_long}, {"z", T::adLongVarWChar, k_long},
        {"mixed", T::adLongVarWChar, k_long}};
    const auto f = rs->get_Fields();
    for (const auto& [name, type, size] : expected) {
        EXPECT_EQ(f->get_Item(name)->get_Type(), static_cast<vb::Long>(type)) << name;
        EXPECT_EQ(f->get_Item(name)->get_DefinedSize(), size) << name;
    }
    EXPECT_EQ(f->get_Item("e")->get_Value(), Variant(std::string("\0\xff", 2)));
    EXPECT_EQ(f->get_Item("a")->get_Value(), Variant(vb::Integer(1)));
    EXPECT_EQ(f->get_Item("big")->get_Value(), Variant(3000000000.0));
    EXPECT_EQ(f->get_Item("mixed")->get_Value(), Variant("one"));
    rs->MoveNext();
    EXPECT_EQ(f->get_Item("mixed")->get_Value(), Variant("2")); // kept as its text, not lost
}

TEST_F(SqliteSessionTest, ValuesThatDoNotFitTheDeclaredTypeAreKeptAsText)
{
    auto rs = open_in("CREATE TABLE t (n INTEGER, d DATE);"
                      "INSERT INTO t VALUES (1, '2024-01-02'); INSERT INTO t VALUES ('many', "
                      "'someday'); INSERT INTO t VALUES (9223372036854775807, 45000);",
        "SELECT n, d FROM t ORDER BY rowid");
    const auto n = rs->get_Fields()->get_Item("n");
    const auto d = rs->get_Fields()->get_Item("d");
    EXPECT_EQ(n->get_Type(), static_cast<vb::Long>(ado::DataType::adInteger));
    for (const auto& [nv, dv] :
        {std::pair{"1", "2024-01-02"}, {"many", "someday"}, {"9223372036854775807", "45000"}}) {
        EXPECT_EQ(n->get_Value(), Variant(nv));
        EXPECT_EQ(d->get_Value(), Variant(dv));
        rs->MoveNext();
    }
    rs->MoveFirst();
    rs->Find("[n] = 1");
    EXPECT_EQ(rs->get_AbsolutePosition(), 1);
}

} // namespace
