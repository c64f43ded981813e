// The grid's geometry in twips: which displayed row and column lie under a
// point, and the bookmarks of the displayed rows, before and after
// scrolling. Rows are 16 pixels (240 twips) high; 15 twips make a pixel.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/grid/Columns.h"
#include "support/ado/AdoFixture.h"
#include "support/grid/GridTest.h"

namespace {

constexpr const char* k_cities = "SELECT id, name, country, population, area, founded FROM cities";
constexpr const char* k_numbers = "SELECT n, label, half FROM numbers";

class GridRows : public pendrel::test::GridTest {
protected:
    // The text of column 0 in displayed row r.
    std::string first_cell_of_row(vb::Integer r)
    {
        grid->let_Bookmark(grid->RowBookmark(r));
        return grid->get_Columns()->get_Item(0)->get_Text();
    }
};

// GetBookmark counts from the current row; every displayed row has a
// bookmark and no other row has.
TEST_F(GridRows, RowContainingAtTheEdgesAndTheBookmarksOfTheDisplayedRows)
{
    bind(k_cities);
    const int h = header_pixels();
    ASSERT_GT(h, 0);
    EXPECT_EQ(grid->RowContaining(twips(0)), -1); // the header
    EXPECT_EQ(grid->RowContaining(twips(h)), 0);
    EXPECT_EQ(grid->RowContaining(twips(h + 5 * k_row_pixels - 1)), 4); // the last row
    EXPECT_EQ(grid->RowContaining(twips(h + 5 * k_row_pixels)), -1); // below it
    EXPECT_EQ(grid->GetBookmark(2), vb::Variant(3.0));
    EXPECT_TRUE(grid->GetBookmark(-1).is_null() && grid->GetBookmark(5).is_null());
    ASSERT_EQ(grid->get_VisibleRows(), 5);
    for (vb::Integer r = 0; r < 5; ++r) {
        EXPECT_EQ(first_cell_of_row(r), std::to_string(r + 1));
    }
    for (vb::Integer r : {-1, 5}) {
        EXPECT_VB_ERROR((void)grid->RowBookmark(r), vb::err::SubscriptOutOfRange);
    }
}

// RowHeight sets the pitch, and without headers rows start at the top.
TEST_F(GridRows, ColContainingSkipsHiddenAndEmptyColumnsAndStartsAtLeftColAndRowHeightSetsThePitch)
{
    bind(k_cities);
    const auto columns = grid->get_Columns();
    columns->get_Item(0)->let_Width(twips(100));
    columns->get_Item(1)->let_Visible(false);
    columns->get_Item(2)->let_Width(0);
    EXPECT_EQ(grid->ColContaining(twips(99)), 0);
    EXPECT_EQ(grid->ColContaining(twips(100)), 3);
    grid->let_LeftCol(4);
    EXPECT_EQ(grid->ColContaining(0), 4);
    EXPECT_VB_ERROR(grid->let_LeftCol(6), vb::err::SubscriptOutOfRange);
    grid->let_RowHeight(twips(30));
    EXPECT_EQ(grid->RowContaining(twips(header_pixels() + 29)), 0);
    EXPECT_EQ(grid->RowContaining(twips(header_pixels() + 30)), 1);
    grid->let_ColumnHeaders(false);
    EXPECT_EQ(grid->get_HeaderHeight(), 0);
    EXPECT_EQ(grid->RowContaining(twips(30)), 1);
    grid->let_RowHeight(0); // from the font
    EXPECT_GT(grid->get_RowHeight(), 0);
    for (const vb::Single wrong : {-1.0F, 1e9F, std::nanf("")}) {
        EXPECT_VB_ERROR(grid->let_RowHeight(wrong), vb::err::InvalidPropertyValue);
    }
}

TEST_F(GridRows, AfterScrollingRowsCountFromTheFirstDisplayedRowUntilTheLastIsWhole)
{
    bind(k_numbers);
    grid->Scroll(0, 50);
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(51.0));
    EXPECT_EQ(grid->RowContaining(twips(header_pixels())), 0);
    EXPECT_EQ(first_cell_of_row(2), "53");
    grid->Scroll(0, 1000);
    const int whole = (k_client_height - header_pixels()) / k_row_pixels;
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(static_cast<double>(200 - whole + 1)));
    grid->Scroll(0, -1000);
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(1.0));
}

} // namespace
