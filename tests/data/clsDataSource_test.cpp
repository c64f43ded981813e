// The data-source object: its recordset, the callback that opens it and
// leaves at its first failing step with one message box, its end, and its
// dispatch interface.

#include "pendrel/clsDataSource.h"

#include <tuple>

#include "diag/Steps.h"
#include "pendrel/TypeLibrary.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

// The fixture's database and cleared message boxes; its control stays unused.
class DataSourceObject : public test::MorvexTest {
protected:
    // Prepared as the control prepares it, then asked for its rows.
    vb::Variant open(clsDataSource& ds, const std::string& sql)
    {
        ds.let_ConnectionString(cnstr);
        ds.let_RecordSource(sql);
        ds.get_Recordset()->let_CursorLocation(ado::adUseClient);
        vb::Variant data;
        ds.Class_GetDataMember("", data);
        return data;
    }
};

TEST_F(DataSourceObject, CallbackOpensItsOwnRecordsetOnAClientCursor)
{
    const auto ds = clsDataSource::create();
    const auto rs = ds->get_Recordset();
    ASSERT_EQ(rs->get_State(), ado::adStateClosed);
    EXPECT_EQ(open(*ds, "SELECT id, name, code FROM cities"), vb::Variant(rs));
    EXPECT_EQ(std::tuple(rs->get_RecordCount(), rs->get_CursorLocation(),
                  rs->get_ActiveConnection()->get_State()),
        std::tuple(test::k_city_rows, ado::adUseClient, ado::adStateOpen));
    // A second call fails on the open recordset: one box, Data unset.
    vb::Variant again;
    ds->Class_GetDataMember("other", again);
    EXPECT_TRUE(again.is_empty());
    ASSERT_EQ(host::message_boxes().size(), 1u);
    EXPECT_TRUE(host::message_boxes()[0].prompt.starts_with("Error in Class_GetDataMember\r\n"));
    EXPECT_TRUE(host::message_boxes()[0].prompt.ends_with(
        "\r\nNumber: " + std::to_string(vb::err::AdoObjectOpen)));
    EXPECT_EQ(rs->get_State(), ado::adStateOpen);
}

TEST_F(DataSourceObject, FailingStepLeavesAtOnceWithTheErrorsSourceAsTitle)
{
    const auto ds = clsDataSource::create();
    diag::InjectedFault fault(
        "Class_GetDataMember", "2", vb::Error(12345, "no\r\nway", "Provider X"));
    EXPECT_TRUE(open(*ds, "SELECT id FROM cities").is_empty());
    // Step 3 never ran.
    EXPECT_EQ(ds->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<host::MessageBoxRecord>{
            {"Error in Class_GetDataMember\r\nError: no\r\nway\r\nNumber: 12345", host::vbOKOnly,
                "Provider X"}}));
}

TEST_F(DataSourceObject, LastReferenceClosesTheRecordsetAndTheEndIgnoresEveryFailure)
{
    // Ends a data-source object with that fault, and tells whether its
    // recordset is still open.
    const auto end_open = [&](const char* step, vb::Long number) {
        auto ds = clsDataSource::create();
        (void)open(*ds, "SELECT id FROM cities");
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
