// Binding a grid to SQLite rows through the data-source callback, and the
// current row it shares with the recordset.

#include <gtest/gtest.h>

#include "platform/ado/Fields.h"
#include "platform/gfx/Compositor.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/grid/Columns.h"
#include "platform/grid/SelBookmarks.h"
#include "support/ado/AdoFixture.h"
#include "support/grid/GridTest.h"

namespace {

using pendrel::test::cells_of_current_row;
using pendrel::test::error_of;

constexpr const char* k_cities = "SELECT id, name, country, population, area, founded FROM cities";
constexpr const char* k_numbers = "SELECT n, label, half FROM numbers";

std::vector<std::string> data_fields(grid::DataGrid& g)
{
    std::vector<std::string> out;
    for (const auto& c : g.columns()) {
        out.push_back(c->get_DataField());
    }
    return out;
}

class DataGridBinding : public pendrel::test::GridTest {};

TEST_F(DataGridBinding, ADefaultWidthFitsTheCaption)
{
    const std::string caption = "a_rather_long_caption_for_one_column";
    bind("SELECT name AS " + caption + ", id FROM cities");
    const auto& font = grid->get_Font()->font();
    EXPECT_GE(grid->columns()[0]->get_Width(), gfx::text_width_twips(font, caption));
    EXPECT_LT(grid->columns()[1]->get_Width(), grid->columns()[0]->get_Width());
    EXPECT_GE(grid->columns()[1]->get_Width(), gfx::text_width_twips(font, "AAAAAAAAAA"));
}

TEST_F(DataGridBinding, CallsTheDataSourceOncePerBindingAndMakesOneColumnPerField)
{
    auto first = bind(k_cities);
    EXPECT_EQ(first->calls(), 1);
    EXPECT_EQ(data_fields(*grid),
        (std::vector<std::string>{"id", "name", "country", "population", "area", "founded"}));
    for (const auto& c : grid->columns()) {
        EXPECT_EQ(c->get_Caption(), c->get_DataField()) << "captioned by its name";
    }
    EXPECT_EQ(grid->get_ApproxCount(), 5);
    // Reading and drawing the rows asks nothing more.
    (void)grid->RowContaining(twips(header_pixels() + 1));
    (void)cells_of_current_row(*grid);
    gfx::Compositor::the().render();
    EXPECT_EQ(first->calls(), 1);

    grid->let_DataMember("Cities");
    auto second = bind(k_numbers);
    EXPECT_EQ(first->calls(), 1);
    EXPECT_EQ(second->calls(), 1);
    EXPECT_EQ(second->last_data_member(), "Cities");
    EXPECT_EQ(grid->get_DataSource(), vb::Variant(second));
}

TEST_F(DataGridBinding, NothingOrEmptyDropsTheRowsAndWhatIsNoDataSourceIsRefused)
{
    for (const vb::Variant& none : {vb::Variant(vb::ObjectRef{}), vb::Variant()}) {
        bind(k_cities);
        grid->get_SelBookmarks()->Add(grid->RowBookmark(0));
        grid->set_DataSource(none);
        EXPECT_EQ(grid->get_Columns()->get_Count(), 0);
        EXPECT_EQ(grid->get_ApproxCount(), 0);
        EXPECT_EQ(grid->get_SelBookmarks()->get_Count(), 0);
        EXPECT_EQ(grid->RowContaining(twips(header_pixels() + 1)), -1);
        EXPECT_EQ(grid->get_DataSource(), vb::Variant(vb::ObjectRef{}));
    }
    bind(k_cities);
    EXPECT_EQ(
        error_of([&] { grid->set_DataSource(vb::Variant(42)); }).number(), vb::err::ObjectRequired);
    const auto not_a_source = std::make_shared<ado::Recordset>();
    EXPECT_EQ(error_of([&] { grid->set_DataSource(vb::Variant(not_a_source)); }).number(),
        vb::err::TypeMismatch);
    EXPECT_EQ(grid->get_ApproxCount(), 5);
    // A source that gives no rows leaves the grid empty.
    const auto source = std::make_shared<pendrel::test::EmptyDataSource>();
    grid->set_DataSource(vb::Variant(source));
    EXPECT_EQ(source->calls, 1);
    EXPECT_EQ(grid->get_ApproxCount(), 0);
}

// A row made current elsewhere is scrolled into view.
TEST_F(DataGridBinding, SharesTheCurrentRowWithTheRecordset)
{
    const auto rs = bind(k_cities)->recordset();
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(grid->get_Bookmark(), rs->get_Bookmark());
    EXPECT_EQ(cells_of_current_row(*grid), "3|Łódź|PL|672185|293.25|1423-07-29");
    grid->let_Bookmark(grid->RowBookmark(4));
    EXPECT_EQ(rs->get_Fields()->get_Item("name")->get_Value(), vb::Variant("Bern"));
    EXPECT_EQ(error_of([&] { grid->let_Bookmark(vb::Variant(99.0)); }).number(),
        vb::err::AdoBadArguments);
    const auto numbers = bind(k_numbers)->recordset();
    numbers->let_AbsolutePosition(150);
    const vb::Integer row = grid->get_Row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(grid->RowBookmark(row), numbers->get_Bookmark());
    numbers->MoveFirst();
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(1.0));
}

TEST_F(DataGridBinding,
    HoldFieldsKeepsTheLayoutForTheNextBindingAndARecordsetOpenedAgainShowsItsNewRows)
{
    bind(k_cities);
    auto columns = grid->get_Columns();
    columns->get_Item(0)->let_Width(0);
    columns->get_Item(1)->let_Width(3000);
    columns->get_Item(2)->let_Visible(false);
    const vb::Single area_width = columns->get_Item(4)->get_Width();
    grid->HoldFields();
    bind("SELECT country, name, id, area FROM cities");
    EXPECT_FALSE(columns->get_Item("country")->get_Visible());
    EXPECT_EQ(columns->get_Item("name")->get_Width(), 3000);
    EXPECT_EQ(columns->get_Item("id")->get_Width(), 0);
    EXPECT_EQ(columns->get_Item("area")->get_Width(), area_width);

    grid->ClearFields();
    const auto rs = bind(k_cities)->recordset();
    EXPECT_TRUE(columns->get_Item("country")->get_Visible());
    EXPECT_NE(columns->get_Item("name")->get_Width(), 3000);
    // A recordset opened again shows its new rows.
    grid->get_Columns()->get_Item(1)->let_Width(2000);
    rs->Close();
    EXPECT_EQ(grid->get_ApproxCount(), 0);
    EXPECT_EQ(grid->get_VisibleRows(), 0);
    rs->Open(vb::Variant("SELECT id, name, country, population, area, founded FROM cities WHERE "
                         "country = 'CH'"),
        vb::Variant(cnstr));
    EXPECT_EQ(grid->get_VisibleRows(), 2);
    EXPECT_EQ(grid->get_Columns()->get_Item(1)->get_Width(), 2000); // the same fields
    rs->Close();
    rs->Open(vb::Variant(k_numbers), vb::Variant(cnstr));
    EXPECT_EQ(data_fields(*grid), (std::vector<std::string>{"n", "label", "half"}));
}

} // namespace
