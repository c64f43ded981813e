// Where rows and columns lie: a grid of 400 x 200 pixels, a header of 15
// and rows of 16 pixels, columns 100, 50 (hidden), 0, 120 and 200 wide.

#include <gtest/gtest.h>

#include <limits>

#include "platform/grid/GridGeometry.h"
#include "support/RowName.h"

namespace {

using grid::GeometryInput;
using grid::GridGeometry;

auto row_name = pendrel::test::RowName{};

GeometryInput input(std::int64_t first_row, std::int64_t row_count, std::size_t left_col = 0)
{
    GeometryInput in;
    in.rows_area = {0, 0, 400, 200};
    in.header_height = 15;
    in.row_height = 16;
    in.first_row = first_row;
    in.row_count = row_count;
    in.columns = {{100, true}, {50, false}, {0, true}, {120, true}, {200, true}};
    in.left_col = left_col;
    return in;
}

struct RowCase {
    const char* name;
    std::int64_t first_row;
    std::int64_t row_count;
    int y;
    int row;
};

class RowAt : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowAt, GivesTheDisplayedRowOrMinusOne)
{
    const RowCase& c = GetParam();
    EXPECT_EQ(GridGeometry(input(c.first_row, c.row_count)).row_at(c.y), c.row);
}

const RowCase k_rows[] = {{"AboveTheGrid", 0, 200, -1, -1}, {"HeaderBottom", 0, 200, 14, -1},
    {"FirstRowTop", 0, 200, 15, 0}, {"FirstRowBottom", 0, 200, 30, 0},
    {"SecondRowTop", 0, 200, 31, 1}, {"PartlyShownLastRow", 0, 200, 199, 11},
    {"BelowTheArea", 0, 200, 200, -1}, {"LastOfThreeRows", 0, 3, 62, 2},
    {"BelowThreeRows", 0, 3, 63, -1}, {"ScrolledNearTheEnd", 195, 200, 15 + 4 * 16, 4},
    {"PastTheEndAfterScrolling", 195, 200, 15 + 5 * 16, -1}};

INSTANTIATE_TEST_SUITE_P(Rows, RowAt, ::testing::ValuesIn(k_rows), row_name);

struct ColumnCase {
    const char* name;
    std::size_t left_col;
    int x;
    int column;
};

class ColumnAt : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnAt, SkipsHiddenAndEmptyColumns)
{
    const ColumnCase& c = GetParam();
    EXPECT_EQ(GridGeometry(input(0, 10, c.left_col)).column_at(c.x), c.column);
}

const ColumnCase k_columns[] = {{"FirstColumnEnd", 0, 99, 0}, {"AfterHiddenAndEmpty", 0, 100, 3},
    {"FourthColumnEnd", 0, 219, 3}, {"AreaRightEdge", 0, 399, 4}, {"OutsideTheArea", 0, 400, -1},
    {"LeftOfTheArea", 0, -1, -1}, {"ScrolledFirst", 3, 0, 3}, {"ScrolledLast", 3, 319, 4},
    {"RightOfTheLastColumn", 3, 320, -1}};

INSTANTIATE_TEST_SUITE_P(Columns, ColumnAt, ::testing::ValuesIn(k_columns), row_name);

// A header taller than the area leaves no rows.
TEST(GridGeometry, CountsWholeAndPartRowsAndScrollsColumnsUntilTheRestFits)
{
    const GridGeometry g(input(0, 200));
    EXPECT_EQ(g.full_rows(), 11);
    EXPECT_EQ(g.displayed_rows(), 12);
    EXPECT_EQ(g.last_first_row(), 189);
    EXPECT_EQ(GridGeometry(input(0, 5)).displayed_rows(), 5);
    EXPECT_EQ(GridGeometry(input(0, 5)).last_first_row(), 0);
    EXPECT_EQ(g.visible_columns(), (std::vector<std::size_t>{0, 2, 3, 4}));
    EXPECT_EQ(g.columns_width(), 420);
    EXPECT_EQ(g.last_left_ordinal(), 1U);
    GeometryInput in = input(0, 10);
    in.rows_area = {0, 0, 400, 10};
    const GridGeometry none(in);
    EXPECT_EQ(none.displayed_rows(), 0);
    EXPECT_EQ(none.full_rows(), 0);
    EXPECT_EQ(none.row_at(12), -1);
}

struct BarsCase {
    const char* name;
    int mode;
    std::int64_t rows;
    std::int64_t width;
    bool vertical;
    bool horizontal;
};

class BarsFor : public ::testing::TestWithParam<BarsCase> {};

TEST_P(BarsFor, ShowsABarOnlyWhereItIsNeeded)
{
    const BarsCase& c = GetParam();
    const auto bars = grid::bars_for(c.mode, {0, 0, 400, 200}, 15, 16, c.rows, c.width, 17);
    EXPECT_EQ(bars, (grid::BarsShown{c.vertical, c.horizontal}));
}

const BarsCase k_bars[] = {{"None", 0, 500, 900, false, false},
    {"Horizontal", 1, 0, 0, false, true}, {"Vertical", 2, 0, 0, true, false},
    {"Both", 3, 0, 0, true, true}, {"AutomaticEverythingFits", 4, 11, 400, false, false},
    {"AutomaticOneRowTooMany", 4, 12, 300, true, false},
    {"AutomaticTooWide", 4, 5, 401, false, true},
    {"HorizontalBarPushesRowsOut", 4, 11, 401, true, true},
    {"VerticalBarPushesColumnsOut", 4, 12, 390, true, true}};

INSTANTIATE_TEST_SUITE_P(Modes, BarsFor, ::testing::ValuesIn(k_bars), row_name);

TEST(PixelOfTwips, TakesThePixelThatHoldsTheCoordinate)
{
    EXPECT_EQ(grid::pixel_of_twips(14, 15), 0);
    EXPECT_EQ(grid::pixel_of_twips(15, 15), 1);
    EXPECT_EQ(grid::pixel_of_twips(-1, 15), -1);
    // 3 pixels at 100 dpi, multiplied out in single precision.
    EXPECT_EQ(grid::pixel_of_twips(static_cast<float>(3 * 14.4), 14.4), 3);
    EXPECT_EQ(grid::pixel_of_twips(std::numeric_limits<double>::quiet_NaN(), 15),
        std::numeric_limits<int>::min());
    EXPECT_EQ(grid::pixel_of_twips(1e300, 15), std::numeric_limits<int>::max());
}

} // namespace
