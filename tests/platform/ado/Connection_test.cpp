#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionString.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

namespace err = vb::err;

using ado::ConnectionString;
using ConnectionTest = pendrel::test::SqliteFileTest;

TEST(ConnectionString, KeysAreCaseInsensitiveTrimmedAndTheLaterOneWins)
{
    const auto cs = ConnectionString::parse(
        "  provider = SQLite ; DATA SOURCE= shop.db ;;Port=1;; port=2;options=-c a=b;");
    EXPECT_EQ(cs.get("Provider"), "SQLite");
    EXPECT_EQ(cs.get("data source"), "shop.db");
    EXPECT_EQ(cs.get("Password"), std::nullopt);
    EXPECT_EQ(cs.get("options"), "-c a=b");
    EXPECT_EQ(cs.pairs().size(), 4U);
    EXPECT_EQ(cs.get_any({"Server", "PORT"}), "2");
    EXPECT_TRUE(ConnectionString::parse("").pairs().empty());
    // quoted values keep semicolons, blanks and doubled quotes
    const auto q = ConnectionString::parse("Password='a;b ''c'' ';User ID=\"x\"\"y\";Host= 'h' ");
    EXPECT_EQ(q.get("Password"), "a;b 'c' ");
    EXPECT_EQ(q.get("User ID"), "x\"y");
    EXPECT_EQ(q.get("Host"), "h");
}

TEST(ConnectionString, MalformedTextIsRefusedWithoutRepeatingValues)
{
    for (const char* bad :
        {"Password=x;secretword", "=value", "Password='unterminated", "Password='a' b"}) {
        const auto e = pendrel::test::error_of([&] { (void)ConnectionString::parse(bad); });
        EXPECT_EQ(e.number(), vb::err::UnspecifiedError) << bad;
        EXPECT_EQ(e.description().find("secretword"), std::string::npos);
        EXPECT_EQ(e.description().find("unterminated"), std::string::npos);
    }
}

TEST_F(ConnectionTest, OpensClosesAndRefusesCallsOutOfState)
{
    ado::Connection c;
    const auto e = pendrel::test::error_of(
        [&] { c.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb"); });
    EXPECT_EQ(e.number(), err::UnspecifiedError); // an unknown provider is named
    EXPECT_NE(e.description().find("Microsoft.Jet.OLEDB.4.0"), std::string::npos)
        << e.description();
    EXPECT_EQ(e.source(), "ADODB.Connection");
    EXPECT_VB_ERROR(c.Open(cnstr(), "", "", 16), err::AdoBadArguments);
    EXPECT_VB_ERROR(c.let_CommandTimeout(-1), err::AdoBadArguments);
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
    c.Open(cnstr(), "", "", -1);
    EXPECT_EQ(c.get_State(), ado::adStateOpen);
    EXPECT_VB_ERROR(c.Open(cnstr()), err::AdoObjectOpen);
    EXPECT_VB_ERROR(c.let_ConnectionString("x"), err::AdoObjectOpen);
    c.Close();
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
    EXPECT_VB_ERROR(c.Close(), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)c.fetch("SELECT 1"), err::AdoObjectClosed);
    c.Open(); // without a string: the stored one
    EXPECT_EQ(c.fetch("SELECT * FROM people")->row_count(), 12U);
}

// The limits a fetch may take on the user-interface thread, set by the
// connection string: each stops the row source with its own error, which
// names the key; a value out of range is refused at Open.
struct LimitRow {
    std::string name, settings, sql;
    vb::Long number;
    std::string named;
};

using FetchLimits = pendrel::test::DatabaseTest;

const LimitRow k_limit_rows[] = {
    {"Runaway", "Command Timeout=1",
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT count(*) FROM n",
        err::AdoCommandError, "(Command Timeout in the connection string)"},
    {"ManyRows", "Max Recordset MB=1",
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) "
        "SELECT x, format('%40s', 'x') FROM n",
        err::OutOfMemory, "1 MB"},
    {"OneLargeValue", "Max Recordset MB=1",
        "WITH RECURSIVE s(v, n) AS (SELECT CAST('x' AS TEXT), 0 UNION ALL SELECT v || v, n + 1 "
        "FROM s WHERE n < 21) SELECT v FROM s WHERE n = 21",
        err::OutOfMemory, "1 MB"},
    {"NegativeTimeout", "Command Timeout=-1", "", err::UnspecifiedError, "Command Timeout"},
    {"TimeoutInWords", "Command Timeout=ten", "", err::UnspecifiedError, "Command Timeout"},
    {"NoBytes", "Max Recordset MB=0", "", err::UnspecifiedError, "Max Recordset MB"},
};

TEST_P(FetchLimits, StopTheRowSourceWithTheirOwnError)
{
    for (const LimitRow& row : k_limit_rows) {
        SCOPED_TRACE(row.name);
        const auto e = pendrel::test::error_of(
            [&] { (void)pendrel::test::open_recordset(cnstr() + ";" + row.settings, row.sql); });
        EXPECT_EQ(e.number(), row.number);
        EXPECT_NE(e.description().find(row.named), std::string::npos) << e.description();
    }
    // Without settings: 10 seconds; the property sets the time limit too. The
    // connection goes on after a fetch stopped half-way and after a stop, and
    // later errors keep their own numbers.
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(cnstr() + ";Max Recordset MB=1");
    EXPECT_EQ(connection->get_CommandTimeout(), 10);
    EXPECT_VB_ERROR((void)connection->fetch(k_limit_rows[1].sql), err::OutOfMemory);
    connection->let_CommandTimeout(1);
    ado::Recordset rs;
    EXPECT_VB_ERROR(rs.Open(k_limit_rows[0].sql, connection, 3, 1, -1), err::AdoCommandError);
    EXPECT_EQ(rs.get_State(), ado::adStateClosed);
    EXPECT_VB_ERROR(
        rs.Open("SELECT * FROM nosuchtable", connection, 3, 1, -1), err::AdoCommandError);
    EXPECT_VB_ERROR(
        rs.Open("SELECT nosuch FROM people", connection, 3, 1, -1), err::AdoMissingParameter);
    rs.Open("SELECT id FROM people", connection, 3, 1, -1);
    EXPECT_EQ(rs.get_RecordCount(), 12);
}

PENDREL_BOTH_BACKENDS(FetchLimits);

} // namespace
