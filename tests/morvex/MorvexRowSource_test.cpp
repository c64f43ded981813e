// The row source of a Morvex binding the list, and the text field's own binding.

#include <gtest/gtest.h>

#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/AdoConstants.h"
#include "platform/ado/Connection.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using test::error_of;
using Names = std::vector<std::string>;

class MorvexRowSource : public test::MorvexTest {
protected:
    [[nodiscard]] vb::Variant grid_source() const { return ctl->DropdownList().get_DataSource(); }
};

TEST_F(MorvexRowSource, BindsTheListToANewDataSourceThatOpensTheRows)
{
    bind(*ctl, "SELECT id, name, code FROM cities ORDER BY name");
    EXPECT_EQ(ctl->get_ColumnCount(), 3);
    const auto rs = ctl->get_Recordset();
    EXPECT_EQ(rs->get_RecordCount(), test::k_city_rows);
    // The grid and every reader share one recordset.
    EXPECT_EQ(ctl->DropdownList().recordset(), rs);
    const auto source = std::dynamic_pointer_cast<clsDataSource>(grid_source().as_object());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->get_ConnectionString(), cnstr);
    EXPECT_EQ(take_changes(), (Names{"CnStr", "RowSource"}));
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(MorvexRowSource, PatternWithTheFieldTextBecomesALikePattern)
{
    ctl->let_Text("'s-H");
    bind(*ctl, "SELECT name FROM cities WHERE name LIKE '*'s-H*'");
    EXPECT_EQ(ctl->get_RowSource(), "SELECT name FROM cities WHERE name LIKE '%''s-H%'");
    EXPECT_EQ(ctl->get_Recordset()->get_RecordCount(), 1);
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(MorvexRowSource, SameTextAfterRewritingDoesNothingEvenWithANewConnectionString)
{
    ctl->let_Text("am");
    bind(*ctl, "SELECT name FROM cities WHERE name LIKE '*am*'");
    const auto rs = ctl->get_Recordset();
    const vb::Variant source = grid_source();
    ctl->let_CnStr("Provider=SQLite;Data Source=elsewhere.db");
    (void)take_changes();
    ctl->let_RowSource("SELECT name FROM cities WHERE name LIKE '*am*'");
    ctl->let_RowSource("SELECT name FROM cities WHERE name LIKE '%am%'");
    EXPECT_EQ(take_changes(), Names{});
    EXPECT_EQ(ctl->get_Recordset(), rs);
    EXPECT_EQ(grid_source(), source);
    EXPECT_EQ(rs->get_RecordCount(), 2); // Amsterdam, Rotterdam
}

TEST_F(MorvexRowSource, RowSourceBeforeCnStrUnbindsAndCnStrAloneBindsNothing)
{
    ctl->let_RowSource("SELECT id, name FROM cities");
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    ctl->let_CnStr(cnstr);
    ctl->let_RowSource("SELECT id, name FROM cities");
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(ctl->get_Recordset()->get_State(), ado::adStateClosed);
    ctl->let_RowSource("SELECT id, name FROM cities ORDER BY id");
    EXPECT_EQ(ctl->get_ColumnCount(), 2);
    EXPECT_EQ(ctl->get_Recordset()->get_State(), ado::adStateOpen);
}

TEST_F(MorvexRowSource, EmptyRowSourceUnbindsAndKeepsTheOpenRecordset)
{
    bind(*ctl, "SELECT id, name FROM cities");
    const auto rs = ctl->get_Recordset();
    (void)take_changes();
    ctl->let_RowSource("");
    EXPECT_EQ(take_changes(), Names{"RowSource"});
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->get_Recordset(), rs);
    EXPECT_EQ(rs->get_State(), ado::adStateOpen);
    // Empty again: equal to the stored text, nothing happens.
    ctl->let_RowSource("");
    EXPECT_EQ(take_changes(), Names{});
}

TEST_F(MorvexRowSource, NewRowSourceReplacesTheDataSourceAndClosesTheOldRows)
{
    // Before any row source: a new closed recordset that stays.
    ASSERT_EQ(ctl->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_EQ(ctl->get_Recordset(), ctl->get_Recordset());
    bind(*ctl, "SELECT id, name FROM cities");
    const auto first = ctl->get_Recordset();
    ctl->let_RowSource("SELECT id, name, code, population FROM cities WHERE id < 4");
    const auto second = ctl->get_Recordset();
    EXPECT_NE(first, second);
    EXPECT_EQ(first->get_State(), ado::adStateClosed);
    EXPECT_EQ(second->get_RecordCount(), 3);
    EXPECT_EQ(ctl->get_ColumnCount(), 4);
}

TEST_F(MorvexRowSource, EmptyTableGivesColumnsAndNoRows)
{
    bind(*ctl, "SELECT id, name FROM empty_cities");
    EXPECT_EQ(ctl->get_ColumnCount(), 2);
    EXPECT_EQ(ctl->get_Recordset()->get_RecordCount(), 0);
}

TEST_F(MorvexRowSource, BrokenConnectionStringGivesOneBoxAndAnEmptyList)
{
    const std::string broken = "Provider=SQLite;Data Source";
    const vb::Error expected = error_of([&] { ado::Connection().Open(broken, "", "", -1); });
    ctl->let_CnStr(broken);
    ctl->let_RowSource("SELECT id, name FROM cities");
    EXPECT_EQ(host::message_boxes(),
        (std::vector<host::MessageBoxRecord>{{"Error in Class_GetDataMember\r\nError: "
                + expected.description() + "\r\nNumber: " + std::to_string(expected.number()),
            host::vbOKOnly, expected.source()}}));
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(fixed_log_lines(), closed_list_lines());
    // The control keeps working.
    bind(*ctl, "SELECT id FROM cities");
    EXPECT_EQ(ctl->get_ColumnCount(), 1);
    EXPECT_EQ(host::message_boxes().size(), 1u);
}

TEST_F(MorvexRowSource, MissingColumnGivesOneRowSourceBoxAndAnEmptyList)
{
    const std::string sql = "SELECT id, nickname FROM cities";
    const vb::Error expected = error_of([&] { (void)test::open_recordset(cnstr, sql); });
    bind(*ctl, sql);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<host::MessageBoxRecord>{
            {"Error in RowSource\r\nError: " + expected.description() + "\r\nNumber: -2147217904",
                host::vbOKOnly, expected.source()}}));
    EXPECT_EQ(fixed_log_lines(), closed_list_lines());
    // Bound to an object that gave no rows.
    EXPECT_NE(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
}

TEST_F(MorvexRowSource, DataFieldAndDataSourceBindTheTextField)
{
    ctl->let_DataField("name");
    EXPECT_EQ(ctl->txtFieldCmb().get_DataField(), "name");
    const auto host_source = clsDataSource::create();
    ctl->set_dataSource(vb::Variant(host_source));
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), host_source);
    // The list is not touched.
    EXPECT_EQ(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(error_of([&] { ctl->set_dataSource(vb::Variant("cities")); }).number(),
        vb::err::ObjectRequired);
    EXPECT_EQ(error_of([&] { ctl->set_dataSource(vb::Variant(ctl->get_Recordset())); }).number(),
        vb::err::TypeMismatch);
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), host_source);
    ctl->set_dataSource(vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), nullptr);
    EXPECT_EQ(take_changes(), (Names{"DataField", "dataSource", "dataSource"}));
}

} // namespace
} // namespace pendrel
