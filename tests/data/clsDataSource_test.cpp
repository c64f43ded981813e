// The data-source object: its recordset, the callback that opens it with
// its two message boxes, its end, and its dispatch interface.

#include "pendrel/clsDataSource.h"

#include <gtest/gtest.h>

#include <optional>

#include "diag/Steps.h"
#include "diag/Trap.h"
#include "pendrel/TypeLibrary.h"
#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/host/MessageBox.h"
#include "support/TempDir.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using test::error_of;

class DataSourceObject : public testing::Test {
protected:
    void SetUp() override
    {
        host::clear_message_boxes();
        test::create_sqlite_file(dir / "cities.db", test::control_sql());
        cnstr = test::sqlite_connection_string(dir / "cities.db");
    }

    // Prepared as the control prepares it, then asked for its rows.
    vb::Variant open(clsDataSource& ds, const std::string& connection, const std::string& sql)
    {
        ds.let_ConnectionString(connection);
        ds.let_RecordSource(sql);
        ds.get_Recordset()->let_CursorLocation(ado::adUseClient);
        vb::Variant data;
        ds.Class_GetDataMember("", data);
        return data;
    }

    // The box a failure of Class_GetDataMember shows.
    static host::MessageBoxRecord box(std::string_view first_line, const vb::Error& e)
    {
        return host::MessageBoxRecord{
            diag::detailed_prompt(first_line, e, ""), host::vbOKOnly, e.source()};
    }

    test::TempDir dir;
    std::string cnstr;
};

TEST_F(DataSourceObject, CallbackOpensItsOwnRecordsetOnAClientCursor)
{
    const auto ds = clsDataSource::create();
    const auto rs = ds->get_Recordset();
    ASSERT_EQ(rs->get_State(), ado::adStateClosed);
    const vb::Variant data = open(*ds, cnstr, "SELECT id, name, code FROM cities ORDER BY name");
    EXPECT_EQ(ds->get_Recordset(), rs);
    EXPECT_EQ(data, vb::Variant(rs));
    EXPECT_EQ(rs->get_RecordCount(), test::k_city_rows);
    EXPECT_EQ(rs->get_CursorLocation(), ado::adUseClient);
    EXPECT_EQ(rs->get_ActiveConnection()->get_State(), ado::adStateOpen);
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(DataSourceObject, BrokenConnectionStringShowsOneBoxAndLeavesDataUnset)
{
    const std::string broken
        = "Provider=SQLite;Data Source=" + (dir / "no-such-folder" / "x.db").string();
    const vb::Error expected = error_of([&] { ado::Connection().Open(broken, "", "", -1); });
    const auto ds = clsDataSource::create();
    EXPECT_TRUE(open(*ds, broken, "SELECT id FROM cities").is_empty());
    EXPECT_EQ(ds->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_EQ(host::message_boxes(),
        std::vector<host::MessageBoxRecord>{box("Error in Class_GetDataMember", expected)});
}

TEST_F(DataSourceObject, SecondCallbackFailsOnTheOpenRecordset)
{
    const auto ds = clsDataSource::create();
    (void)open(*ds, cnstr, "SELECT id FROM cities");
    vb::Variant again;
    ds->Class_GetDataMember("other", again);
    EXPECT_TRUE(again.is_empty());
    ASSERT_EQ(host::message_boxes().size(), 1u);
    EXPECT_TRUE(host::message_boxes()[0].prompt.starts_with("Error in Class_GetDataMember\r\n"));
    EXPECT_NE(host::message_boxes()[0].prompt.find(
                  "\r\nNumber: " + std::to_string(vb::err::AdoObjectOpen)),
        std::string::npos);
    EXPECT_EQ(ds->get_Recordset()->get_State(), ado::adStateOpen);
}

TEST_F(DataSourceObject, FailingStepLeavesAtOnceWithTheErrorsSourceAsTitle)
{
    const auto ds = clsDataSource::create();
    const vb::Error error(12345, "no\r\nway", "Provider X");
    {
        diag::InjectedFault fault("Class_GetDataMember", "2", error);
        EXPECT_TRUE(open(*ds, cnstr, "SELECT id FROM cities").is_empty());
        EXPECT_EQ(fault.hits(), 1);
    }
    // Step 3 never ran.
    EXPECT_EQ(ds->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<host::MessageBoxRecord>{{"Error in Class_GetDataMember\r\nError: no\r\nway"
                                              "\r\nNumber: 12345",
            host::vbOKOnly, "Provider X"}}));
}

TEST_F(DataSourceObject, LastReferenceClosesTheRecordsetAndTheEndIgnoresEveryFailure)
{
    // Ends a data-source object with that fault, and tells whether its
    // recordset is still open.
    const auto end_open = [&](const char* step, vb::Long number) {
        auto ds = clsDataSource::create();
        (void)open(*ds, cnstr, "SELECT id FROM cities");
        const auto rs = ds->get_Recordset();
        std::optional<diag::InjectedFault> fault;
        if (step != nullptr)
            fault.emplace("Class_Terminate", step, vb::Error(number, "x", "x"));
        EXPECT_NO_THROW(ds.reset());
        return rs->get_State() == ado::adStateOpen;
    };
    EXPECT_FALSE(end_open(nullptr, 0));
    // A failing State read counts as an open recordset: Close still runs.
    EXPECT_FALSE(end_open("1", 91));
    // A failing Close is let go: the recordset stays open for its other
    // holders.
    EXPECT_TRUE(end_open("2", 3219));
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(DataSourceObject, DispatchInterface)
{
    namespace did = dispid_clsDataSource;
    const auto ds = clsDataSource::create();
    EXPECT_EQ(ds->id_of_name("connectionstring"), did::ConnectionString);
    std::vector<vb::Variant> put{vb::Variant(cnstr)};
    ds->invoke(did::ConnectionString, vb::InvokeKind::PropertyLet, put);
    put = {vb::Variant("SELECT id FROM cities")};
    ds->invoke(did::RecordSource, vb::InvokeKind::PropertyLet, put);
    EXPECT_EQ(ds->invoke(did::RecordSource, vb::InvokeKind::PropertyGet, {}), put[0]);
    EXPECT_EQ(ds->invoke(did::Recordset, vb::InvokeKind::PropertyGet, {}),
        vb::Variant(ds->get_Recordset()));
    // Storing opened nothing.
    EXPECT_EQ(ds->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_VB_ERROR(
        ds->invoke(did::Recordset, vb::InvokeKind::PropertySet, put), vb::err::ReadOnlyProperty);
}

} // namespace
} // namespace pendrel
