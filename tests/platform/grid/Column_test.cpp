// A column's cell text in the current row, and the errors of the column
// collection and its columns.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/grid/Columns.h"
#include "support/RowName.h"
#include "support/ado/AdoFixture.h"
#include "support/grid/GridTest.h"

namespace {

using pendrel::test::cells_of_current_row;
using pendrel::test::error_of;

constexpr const char* k_cities = "SELECT id, name, country, population, area, founded FROM cities";

class ColumnText : public pendrel::test::GridTest {};

TEST_F(ColumnText, FormatsNumbersAndDatesAsTheRuntimeDoesAndNullAsNothingByNumberOrName)
{
    const auto rs = bind(k_cities)->recordset();
    EXPECT_EQ(cells_of_current_row(*grid), "1|Amsterdam|NL|921402|219.32|1275-10-27");
    rs->let_AbsolutePosition(4);
    EXPECT_EQ(cells_of_current_row(*grid), "4|Nowhere||||");
    const auto columns = grid->get_Columns();
    EXPECT_TRUE(columns->get_Item(2)->get_Value().is_null());
    EXPECT_EQ(columns->get_Item("NAME")->get_DataField(), "name");
    EXPECT_EQ(columns->get_Item(vb::Variant(2.5))->get_DataField(), "country"); // half to even
    EXPECT_EQ(columns->get_Item(vb::Variant(vb::Integer{5}))->get_DataField(), "founded");
}

struct ErrorCase {
    const char* name;
    std::function<void(grid::DataGrid&, ado::Recordset&)> call;
    vb::Long number;
};

class ColumnErrors : public pendrel::test::GridTest,
                     public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ColumnErrors, RaiseTheirNumber)
{
    const auto rs = bind(k_cities)->recordset();
    const vb::Error e = error_of([&] { GetParam().call(*grid, *rs); });
    EXPECT_EQ(e.number(), GetParam().number);
    EXPECT_FALSE(e.description().empty());
}

const ErrorCase k_errors[] = {
    {"IndexPastTheLast", [](auto& g, auto&) { (void)g.get_Columns()->get_Item(6); },
        vb::err::SubscriptOutOfRange},
    {"UnknownName", [](auto& g, auto&) { (void)g.get_Columns()->get_Item("nowhere"); },
        vb::err::SubscriptOutOfRange},
    {"IndexThatIsNoNumber", [](auto& g, auto&) { (void)g.get_Columns()->get_Item(vb::Null); },
        vb::err::TypeMismatch},
    {"TextOfAClosedRecordset",
        [](auto& g, auto& rs) {
            const auto column = g.get_Columns()->get_Item(1);
            rs.Close();
            (void)column->get_Text();
        },
        vb::err::GridNoCurrentRow},
    {"TextOfAColumnOfAnEarlierBinding",
        [](auto& g, auto&) {
            const auto column = g.get_Columns()->get_Item(1);
            g.set_DataSource(vb::Variant());
            (void)column->get_Text();
        },
        vb::err::ObjectNotSet},
    {"WidthThatIsNoNumber",
        [](auto& g, auto&) { g.get_Columns()->get_Item(0)->let_Width(std::nanf("")); },
        vb::err::InvalidPropertyValue},
    {"WidthBeyondThePixels", [](auto& g, auto&) { g.get_Columns()->get_Item(0)->let_Width(1e30F); },
        vb::err::Overflow}};

INSTANTIATE_TEST_SUITE_P(
    Columns, ColumnErrors, ::testing::ValuesIn(k_errors), pendrel::test::RowName{});

TEST_F(ColumnText, AnEmptyRowSetHasNoCurrentRowAndARefusedWidthChangesNothing)
{
    bind("SELECT id, name FROM cities WHERE id < 0");
    const auto column = grid->get_Columns()->get_Item(1);
    const vb::Error e = error_of([&] { (void)column->get_Text(); });
    EXPECT_EQ(e.number(), vb::err::GridNoCurrentRow);
    EXPECT_NE(e.description().find("no current row"), std::string::npos);
    column->let_Width(1200);
    EXPECT_VB_ERROR(column->let_Width(-15), vb::err::InvalidPropertyValue);
    EXPECT_EQ(column->get_Width(), 1200);
}

} // namespace
