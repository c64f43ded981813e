// The list's columns (ColumnWidths applied, or fixed-length text columns
// widened), its size from rows and widths, and where it opens.

#include <cmath>
#include <tuple>

#include "diag/Steps.h"
#include "platform/grid/Columns.h"
#include "platform/host/ControlSurface.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/RowName.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexProbe.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Lines = std::vector<std::string>;

constexpr auto k_all_columns = "SELECT id, name, code, population, founded FROM cities";
constexpr auto k_two_columns = "SELECT id, name FROM cities";
constexpr vb::Integer k_screen = 19200;
constexpr vb::Long k_row_height = 220; // 225 twips a row: whole pixels throughout
constexpr vb::Single k_allowance = 255; // 17 pixels of scroll bar

std::shared_ptr<grid::Column> column(Morvex& m, vb::Long i)
{
    return m.DropdownList().get_Columns()->get_Item(vb::Variant(i));
}

// Every line ends with the procedure's name.
void expect_logged(const Lines& lines, std::size_t count, std::string_view procedure)
{
    ASSERT_EQ(lines.size(), count);
    for (const auto& line : lines)
        EXPECT_TRUE(line.ends_with(") in " + std::string(procedure))) << line;
}

using ListLayout = test::MorvexTest;

// Column widths as the explicit widths leave them, or these.
constexpr vb::Single hidden = -1;
constexpr vb::Single refused = -2; // visible, the grid kept its width

struct WidthsRow {
    std::string name, text;
    std::vector<vb::Single> columns;
    vb::Integer text_column, list_width;
    std::size_t log_lines = 0;
};

class ExplicitWidths : public test::MorvexTest, public testing::WithParamInterface<WidthsRow> {};

TEST_P(ExplicitWidths, AppliedToTheBoundList)
{
    const WidthsRow& row = GetParam();
    ctl->let_ScreenWidth(k_screen);
    bind(*ctl, k_all_columns);
    ASSERT_EQ(fixed_log_lines(), Lines{});
    ctl->let_ColumnWidths(row.text);
    for (std::size_t i = 0; i < row.columns.size(); ++i) {
        const auto c = column(*ctl, static_cast<vb::Long>(i));
        const vb::Single want = row.columns[i];
        EXPECT_EQ(bool(c->get_Visible()), want != hidden) << "column " << i;
        EXPECT_EQ(c->get_Width(), want >= 0 ? want : c->get_Width()) << "column " << i;
    }
    EXPECT_EQ(std::pair(test::MorvexProbe::text_column(*ctl), ctl->get_ListWidth()),
        std::pair(row.text_column, row.list_width));
    expect_logged(fixed_log_lines(), row.log_lines, "ResizeColumns");
}

INSTANTIATE_TEST_SUITE_P(Rows, ExplicitWidths,
    testing::Values(
        WidthsRow{"PercentOfScreen", "0;25;10", {0, 4800, 1920, hidden, hidden}, 2, 6720},
        // Counted although the grid refuses it; the sum is then no longer
        // 0, so the positive entry after it is not the text column.
        WidthsRow{"Negative", "-10;20", {refused, 3840, hidden, hidden, hidden}, 1, 1920, 1},
        // Visible and Width of the sixth entry fail; its width still counts.
        WidthsRow{"MoreEntriesThanColumns", "10;10;10;10;10;10", {1920, 1920, 1920, 1920, 1920}, 1,
            11520, 2}),
    test::RowName{});

TEST_F(ListLayout, WithoutConnectionIsNeverApplied)
{
    ctl->let_ScreenWidth(k_screen);
    ctl->let_RowSource(k_all_columns);
    ctl->let_ColumnWidths("0;25");
    // The text column and width are still a new control's.
    EXPECT_EQ(test::MorvexProbe::text_column(*ctl), 0);
    EXPECT_EQ(ctl->get_ListWidth(), 0);
}

// Empty ColumnWidths: a fixed-length text column is widened to its length
// in letters "A" of the control's font, never narrowed; other columns,
// visibility and hidden columns' widths stay and all count.
TEST_F(ListLayout, EmptyWidensFixedLengthColumns)
{
    const auto file = dir / "fixed.db";
    test::create_sqlite_file(file,
        "CREATE TABLE t (long_code CHAR(40), short_code CHAR(2), label VARCHAR(40), note TEXT);"
        "INSERT INTO t VALUES ('x', 'y', 'z', 'n');");
    ctl->let_ScreenWidth(k_screen);
    ctl->let_ColumnWidths("0;5");
    ctl->let_CnStr(test::sqlite_connection_string(file));
    ctl->let_RowSource("SELECT long_code, short_code, label, note FROM t");
    const vb::Single label_width = column(*ctl, 2)->get_Width(),
                     note_width = column(*ctl, 3)->get_Width();
    ctl->let_ColumnWidths("");
    const auto letter = static_cast<vb::Single>(std::nearbyint(site->surface().TextWidth("A")));
    // The second column was wider than 2 letters. A long text's length in
    // letters would leave the 32-bit range, but it is no fixed-length column:
    // nothing is computed for it and nothing logged.
    EXPECT_EQ(std::tuple(column(*ctl, 0)->get_Width(), column(*ctl, 1)->get_Width(),
                  column(*ctl, 2)->get_Width(), column(*ctl, 3)->get_Width()),
        std::tuple(40 * letter, 960, label_width, note_width));
    EXPECT_FALSE(bool(column(*ctl, 2)->get_Visible()));
    EXPECT_EQ(std::tuple(test::MorvexProbe::text_column(*ctl), ctl->get_ListWidth()),
        std::tuple(1, 40 * letter + 960 + label_width + note_width));
    expect_logged(fixed_log_lines(), 0, "ResizeColumns");
}

struct SizeRow {
    std::string name, row_source, widths;
    vb::Integer list_rows;
    vb::Boolean heads;
    vb::Single height, width; // twips
    std::optional<vb::Single> last_column = {};
    std::string failing_step = {}; // of ResizeGrid
};

class ListSize : public test::MorvexTest, public testing::WithParamInterface<SizeRow> {};

// 8 rows of 220 twips; the control is 3015 twips wide, the screen 28800.
TEST_P(ListSize, FromRowsHeadsAndWidths)
{
    const SizeRow& row = GetParam();
    std::optional<diag::InjectedFault> fault;
    if (!row.failing_step.empty())
        fault.emplace("ResizeGrid", row.failing_step, vb::Error(6, "Overflow", "Morvex"));
    ctl->let_ScreenWidth(k_screen);
    ctl->let_RowHeight(k_row_height);
    ctl->let_ListRows(row.list_rows);
    vb::Boolean heads = row.heads;
    ctl->let_ColumnHeads(heads);
    ctl->let_ColumnWidths(row.widths);
    bind(*ctl, row.row_source);
    const host::Extender list = ctl->DropdownList().extender();
    EXPECT_EQ(std::pair(list.get_Width(), list.get_Height()), std::pair(row.width, row.height));
    const auto last = column(*ctl, ctl->get_ColumnCount() - 1);
    EXPECT_EQ(last->get_Width(), row.last_column.value_or(last->get_Width()));
    // The closed list's window has the size it opens with.
    win::RECT window{};
    win::GetWindowRect(ctl->DropdownList().get_hWnd(), &window);
    const std::pair<vb::Single, vb::Single> window_size(window.width() * 15, window.height() * 15);
    EXPECT_EQ(window_size, std::pair(row.width, row.height));
    expect_logged(fixed_log_lines(), row.failing_step.empty() ? 0 : 1, "ResizeGrid");
}

INSTANTIATE_TEST_SUITE_P(Rows, ListSize,
    testing::Values(
        // Wider than the control: 210 more for the horizontal scroll bar.
        SizeRow{"AllRowsFit", k_all_columns, "0;25;10", 8, false, 225 * 8 + 30 + 210, 6720},
        SizeRow{"MoreRowsScroll", k_all_columns, "0;25;10", 7, false, 225 * 7 + 210,
            6720 + k_allowance},
        SizeRow{"ColumnHeads", k_all_columns, "0;25;10", 15, true, 225 * 8 + 30 + 210 + 210, 6720},
        SizeRow{"ExactlyControlWidth", k_two_columns, "0;15.703125", 15, false, 225 * 8 + 30 + 210,
            3015, 3015},
        // Narrower: as wide as the control, the last column takes the rest.
        SizeRow{"NarrowerThanControl", k_two_columns, "5;5", 15, false, 225 * 8 + 30, 3015,
            960 + (3015 - 1920)},
        SizeRow{"WiderThanScreenWithScrollBar", k_two_columns, "100;100", 5, false, 225 * 5 + 210,
            28800 - k_allowance},
        // Logged; the steps after it run, without the allowance.
        SizeRow{"NoAllowance", k_all_columns, "0;25;10", 5, false, 225 * 5 + 210, 6720, {}, "5.3"}),
    test::RowName{});

// The control's screen rectangle and the list's extender size feed the
// placement (its rules are tables of their own).
TEST_F(ListLayout, ListIsPlacedNextToTheControl)
{
    host::Extender list = ctl->DropdownList().extender();
    list.let_Width(300 * 15);
    list.let_Height(100 * 15);
    win::WindowManager::the().set_display({1920, 1080, {0, 0, 400, 233}, 96});
    const dropdown::DropRect r = test::MorvexProbe::rect_for_grid(*ctl);
    EXPECT_EQ(std::tuple(r.left, r.top, r.width, r.height), std::tuple(100, 7, 300, 100));
    // One more row of work area, and it fits below.
    win::WindowManager::the().set_display({1920, 1080, {0, 0, 400, 234}, 96});
    EXPECT_EQ(test::MorvexProbe::rect_for_grid(*ctl).top, 134);
}

} // namespace
} // namespace pendrel
