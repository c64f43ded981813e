// Rows and columns on the screen: the geometry of what is displayed, the
// queries in twips, and scrolling.

#include <algorithm>

#include "platform/grid/Bookmarks.h"
#include "platform/grid/DataGrid.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace grid {

namespace {

constexpr double k_max_column_pixels = 1 << 28;

int width_pixels(vb::Single twips, double tpp)
{
    const double px = vb::round_half_even(twips / tpp);
    return static_cast<int>(std::clamp(px, 0.0, k_max_column_pixels));
}

// The ordinal among the visible columns of the first one shown.
std::size_t left_ordinal(const std::vector<std::size_t>& visible, std::size_t left_col)
{
    const auto it = std::lower_bound(visible.begin(), visible.end(), left_col);
    return static_cast<std::size_t>(it - visible.begin());
}

} // namespace

GridGeometry DataGrid::geometry() const
{
    GeometryInput in;
    win::RECT client{};
    win::GetClientRect(get_hWnd(), &client);
    in.rows_area = rows_area_of(client, m_bars, win::GetSystemMetrics(win::SM_CXVSCROLL));
    in.header_height = header_pixels();
    in.row_height = row_pixels();
    in.first_row = m_first_row;
    in.row_count = row_count();
    const double tpp = twips_per_pixel();
    in.columns.reserve(m_columns.size());
    for (const auto& c : m_columns) {
        in.columns.push_back({width_pixels(c->get_Width(), tpp), bool(c->get_Visible())});
    }
    in.left_col = m_left_col;
    return GridGeometry(std::move(in));
}

vb::Integer DataGrid::RowContaining(vb::Single Y)
{
    sync_with_recordset();
    return static_cast<vb::Integer>(geometry().row_at(pixel_of_twips(Y, twips_per_pixel())));
}

vb::Integer DataGrid::ColContaining(vb::Single X)
{
    sync_with_recordset();
    return static_cast<vb::Integer>(geometry().column_at(pixel_of_twips(X, twips_per_pixel())));
}

vb::Variant DataGrid::RowBookmark(vb::Integer RowNum)
{
    sync_with_recordset();
    const int shown = geometry().displayed_rows();
    if (RowNum < 0 || RowNum >= shown) {
        vb::raise(vb::err::SubscriptOutOfRange,
            "Row " + std::to_string(RowNum) + " is not a displayed row ("
                + (shown == 0 ? std::string("no rows are displayed")
                              : "rows 0 to " + std::to_string(shown - 1) + " are")
                + ")",
            "DataGrid.RowBookmark");
    }
    return bookmark_of_row(m_first_row + RowNum);
}

vb::Variant DataGrid::GetBookmark(vb::Long RowNum)
{
    sync_with_recordset();
    const std::int64_t current = current_row();
    const std::int64_t row = current + RowNum;
    if (current < 0 || row < 0 || row >= row_count()) {
        return vb::Null;
    }
    return bookmark_of_row(row);
}

vb::Integer DataGrid::get_VisibleRows()
{
    sync_with_recordset();
    return static_cast<vb::Integer>(geometry().displayed_rows());
}

vb::Variant DataGrid::get_FirstRow()
{
    sync_with_recordset();
    return row_count() > 0 ? bookmark_of_row(m_first_row) : vb::Variant(vb::Null);
}

void DataGrid::let_FirstRow(const vb::Variant& New_FirstRow)
{
    sync_with_recordset();
    const auto row = row_of_bookmark(New_FirstRow);
    if (!row) {
        vb::raise(vb::err::InvalidProcedureCall, "Not a bookmark of the grid's rows",
            "DataGrid.FirstRow");
    }
    scroll_rows_to(*row);
}

void DataGrid::let_LeftCol(vb::Integer New_LeftCol)
{
    if (New_LeftCol < 0 || static_cast<std::size_t>(New_LeftCol) >= m_columns.size()) {
        vb::raise(vb::err::SubscriptOutOfRange,
            "The grid has no column " + std::to_string(New_LeftCol), "DataGrid.LeftCol");
    }
    if (m_left_col == static_cast<std::size_t>(New_LeftCol)) {
        return;
    }
    m_left_col = static_cast<std::size_t>(New_LeftCol);
    update_bar_positions();
    Refresh();
    (void)notify(on_scroll);
}

vb::Integer DataGrid::get_Row()
{
    sync_with_recordset();
    const std::int64_t r = current_row() - m_first_row;
    return current_row() >= 0 && r < geometry().displayed_rows() && r >= 0
        ? static_cast<vb::Integer>(r)
        : vb::Integer{-1};
}

void DataGrid::Scroll(vb::Long ColsToScroll, vb::Long RowsToScroll)
{
    sync_with_recordset();
    if (RowsToScroll != 0) {
        scroll_rows_to(m_first_row + RowsToScroll);
    }
    if (ColsToScroll != 0) {
        const auto visible = geometry().visible_columns();
        const auto from = static_cast<std::int64_t>(left_ordinal(visible, m_left_col));
        scroll_columns_to(static_cast<std::size_t>(std::max<std::int64_t>(0, from + ColsToScroll)));
    }
}

// Clamped so that the rows area stays filled while there are rows enough.
void DataGrid::scroll_rows_to(std::int64_t first_row)
{
    const GridGeometry g = geometry();
    first_row = std::clamp<std::int64_t>(first_row, 0, g.last_first_row());
    if (first_row == m_first_row) {
        return;
    }
    m_first_row = first_row;
    update_bar_positions();
    Refresh();
    (void)notify(on_scroll);
}

// `ordinal` counts visible columns; clamped so that columns fill the width.
void DataGrid::scroll_columns_to(std::size_t ordinal)
{
    const GridGeometry g = geometry();
    const auto visible = g.visible_columns();
    if (visible.empty()) {
        return;
    }
    const std::size_t left = visible[std::min(ordinal, g.last_left_ordinal())];
    if (left == m_left_col) {
        return;
    }
    m_left_col = left;
    update_bar_positions();
    Refresh();
    (void)notify(on_scroll);
}

void DataGrid::ensure_visible(std::int64_t row)
{
    const std::int64_t full = std::max(1, geometry().full_rows());
    std::int64_t first = m_first_row;
    if (row < first) {
        first = row;
    } else if (row >= first + full) {
        first = row - full + 1;
    }
    scroll_rows_to(first);
}

} // namespace grid
