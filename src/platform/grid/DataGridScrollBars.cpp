// Laying the grid out: which scroll bars it shows, their child windows, and
// their ranges in rows (vertical) and in visible columns (horizontal).

#include <algorithm>

#include "platform/controls/ScrollBar.h"
#include "platform/grid/DataGrid.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace grid {

namespace {

void place(std::unique_ptr<controls::ScrollBar>& bar, bool shown, win::HWND parent,
    const win::RECT& r, bool vertical)
{
    if (!shown) {
        bar.reset();
        return;
    }
    if (!bar) {
        bar = std::make_unique<controls::ScrollBar>(parent, r, vertical);
        return;
    }
    win::MoveWindow(bar->get_hWnd(), r.left, r.top, r.width(), r.height(), 1);
}

int clamped_int(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, std::numeric_limits<int>::max()));
}

} // namespace

// Runs whenever the size, the rows, the columns, the fonts or the scroll
// bar setting change.
// 1. Decide the bars from the content and the client area.
// 2. Keep the scroll positions inside what the new layout allows.
// 3. Make, move or remove the bars' windows and set their ranges.
void DataGrid::update_layout()
{
    const win::HWND hwnd = get_hWnd();
    if (hwnd == 0) {
        return;
    }
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    // 1.
    m_bars = bars_for(m_scroll_bars, client, header_pixels(), row_pixels(), row_count(),
        geometry().columns_width(), win::GetSystemMetrics(win::SM_CXVSCROLL));
    // 2.
    const GridGeometry g = geometry();
    m_first_row = std::clamp<std::int64_t>(m_first_row, 0, g.last_first_row());
    const auto visible = g.visible_columns();
    const auto last_left = g.last_left_ordinal();
    if (!visible.empty() && m_left_col > visible[last_left]) {
        m_left_col = visible[last_left];
    }
    // 3.
    place_bars(client, m_bars);
    update_bar_positions();
    Refresh();
}

void DataGrid::columns_changed()
{
    update_layout();
}

void DataGrid::selection_changed(std::int64_t row) const
{
    invalidate_row(row);
}

void DataGrid::invalidate_row(std::int64_t row) const
{
    const GridGeometry g = geometry();
    const std::int64_t r = row - m_first_row;
    if (row < 0 || r < 0 || r >= g.displayed_rows()) {
        return;
    }
    const win::RECT band = g.row_rect(static_cast<int>(r));
    const win::RECT area = g.input().rows_area;
    const win::RECT part{std::max(band.left, area.left), std::max(band.top, area.top),
        std::min(band.right, area.right), std::min(band.bottom, area.bottom)};
    if (part.right > part.left && part.bottom > part.top) {
        win::InvalidateRect(get_hWnd(), &part, 1);
    }
}

void DataGrid::place_bars(const win::RECT& client, BarsShown bars)
{
    const int size = win::GetSystemMetrics(win::SM_CXVSCROLL);
    const int right = client.right;
    const int bottom = client.bottom;
    const int left_edge = std::max(client.left, right - size);
    const int top_edge = std::max(client.top, bottom - size);
    const win::RECT vertical{left_edge, client.top, right, bars.horizontal ? top_edge : bottom};
    const win::RECT horizontal{client.left, top_edge, bars.vertical ? left_edge : right, bottom};
    place(m_vbar, bars.vertical, get_hWnd(), vertical, true);
    place(m_hbar, bars.horizontal, get_hWnd(), horizontal, false);
}

// The vertical bar counts rows with a page of the whole rows shown; the
// horizontal one counts visible columns, its page reaching from the last
// left column worth scrolling to up to the end.
void DataGrid::update_bar_positions()
{
    const GridGeometry g = geometry();
    if (m_vbar) {
        const std::int64_t rows = row_count();
        m_vbar->set_range(0, clamped_int(rows - 1));
        m_vbar->set_page(clamped_int(std::max(1, g.full_rows())));
        m_vbar->set_pos(clamped_int(m_first_row));
    }
    if (m_hbar) {
        const auto visible = g.visible_columns();
        const auto count = static_cast<std::int64_t>(visible.size());
        const auto last_left = static_cast<std::int64_t>(g.last_left_ordinal());
        const auto left = std::lower_bound(visible.begin(), visible.end(), m_left_col);
        m_hbar->set_range(0, clamped_int(count - 1));
        m_hbar->set_page(clamped_int(std::max<std::int64_t>(1, count - last_left)));
        m_hbar->set_pos(clamped_int(left - visible.begin()));
    }
}

} // namespace grid
