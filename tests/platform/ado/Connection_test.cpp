#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
namespace err = vb::err;

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pendrel::test::create_sqlite_file(m_file, pendrel::test::fixture_sql());
    }

    pendrel::test::TempDir m_dir;
    std::filesystem::path m_file = m_dir / "shop.db";
};

TEST_F(ConnectionTest, OpensClosesAndReportsItsState)
{
    ado::Connection c;
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
    c.Open(pendrel::test::sqlite_connection_string(m_file), "", "", -1);
    EXPECT_EQ(c.get_State(), ado::adStateOpen);
    EXPECT_EQ(error_of([&] { c.Open(pendrel::test::sqlite_connection_string(m_file)); }).number(),
        err::AdoObjectOpen);
    EXPECT_EQ(error_of([&] { c.let_ConnectionString("x"); }).number(), err::AdoObjectOpen);
    c.Close();
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
    EXPECT_EQ(error_of([&] { c.Close(); }).number(), err::AdoObjectClosed);
    EXPECT_EQ(error_of([&] { (void)c.fetch("SELECT 1"); }).number(), err::AdoObjectClosed);
    c.Open(); // without a string: the stored one
    EXPECT_EQ(c.fetch("SELECT * FROM people")->row_count(), 12U);
}

TEST_F(ConnectionTest, UnknownProviderBadOptionsAndTimeoutsFail)
{
    ado::Connection c;
    const auto e = error_of(
        [&] { c.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb", "", "", -1); });
    EXPECT_EQ(e.number(), err::UnspecifiedError);
    EXPECT_NE(e.description().find("Microsoft.Jet.OLEDB.4.0"), std::string::npos)
        << e.description();
    EXPECT_EQ(e.source(), "ADODB.Connection");
    EXPECT_EQ(error_of([&] {
        c.Open(pendrel::test::sqlite_connection_string(m_file), "", "", 16);
    }).number(),
        err::AdoBadArguments);
    EXPECT_EQ(error_of([&] { c.let_CommandTimeout(-1); }).number(), err::AdoBadArguments);
    EXPECT_EQ(c.get_State(), ado::adStateClosed);
}

TEST_F(ConnectionTest, AConnectionServesSeveralRecordsets)
{
    auto c = std::make_shared<ado::Connection>();
    c->Open(pendrel::test::sqlite_connection_string(m_file), "", "", -1);
    ado::Recordset a;
    ado::Recordset b;
    a.Open("SELECT * FROM people", c, 3, 1, -1);
    b.Open("SELECT * FROM typed", c, 3, 1, -1);
    EXPECT_EQ(a.get_RecordCount(), 12);
    EXPECT_EQ(b.get_RecordCount(), 2);
    EXPECT_EQ(a.get_ActiveConnection(), c);
}

} // namespace
