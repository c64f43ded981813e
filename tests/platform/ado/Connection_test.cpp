#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

namespace err = vb::err;

using ConnectionTest = pendrel::test::SqliteFileTest;

TEST_F(ConnectionTest, OpensClosesAndRefusesCallsOutOfState)
{
    ado::Connection c;
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

TEST_F(ConnectionTest, UnknownProviderIsNamed)
{
    const auto e = pendrel::test::error_of(
        [] { ado::Connection().Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb"); });
    EXPECT_EQ(e.number(), err::UnspecifiedError);
    EXPECT_NE(e.description().find("Microsoft.Jet.OLEDB.4.0"), std::string::npos)
        << e.description();
    EXPECT_EQ(e.source(), "ADODB.Connection");
}

} // namespace
