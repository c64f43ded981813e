// Painting the grid: border, header, rows with their cells and grid lines,
// the selected rows highlighted, and the current row framed while the grid
// has the focus. Only the displayed rows are read and drawn.

#include <algorithm>

#include "platform/ado/CellValue.h"
#include "platform/ado/Recordset.h"
#include "platform/grid/CellText.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/win/User32.h"

namespace grid {

namespace {

constexpr int k_padding = 2; // pixels between a cell's edge and its text
constexpr gfx::OLE_COLOR k_line = gfx::vbButtonShadow;

win::RECT shifted(const win::RECT& r, win::POINT by)
{
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// A column's part of a band, clipped to the rows area.
win::RECT cell_of(const ColumnSpan& s, const win::RECT& band, const win::RECT& area)
{
    const win::RECT r{static_cast<int>(std::max<std::int64_t>(s.left, area.left)), band.top,
        static_cast<int>(std::min<std::int64_t>(s.right, area.right)), band.bottom};
    return win::intersection(r, area);
}

// The box the text goes in: inside the padding and the grid lines.
win::RECT text_box(const win::RECT& cell)
{
    return {cell.left + k_padding, cell.top, cell.right - 1 - k_padding, cell.bottom - 1};
}

// Grid lines along a cell's right and bottom edges.
void draw_lines(gfx::Canvas& canvas, const win::RECT& cell)
{
    canvas.draw_line({cell.left, cell.bottom - 1}, {cell.right, cell.bottom - 1}, k_line);
    canvas.draw_line({cell.right - 1, cell.top}, {cell.right - 1, cell.bottom}, k_line);
}

} // namespace

// 1. The border, outside the client area.
// 2. The client area: background, and the corner between two bars.
// 3. The header band.
// 4. The displayed rows.
// Bands the canvas's clip does not reach (a repaint of a few rows) are not
// read nor laid out. The canvas's origin is the window's top-left corner; everything else is
// placed in client coordinates moved by the border.
void DataGrid::paint(gfx::Canvas* canvas)
{
    if (canvas == nullptr) {
        return;
    }
    sync_with_recordset();
    const win::HWND hwnd = get_hWnd();
    win::RECT window{};
    win::RECT client{};
    win::GetWindowRect(hwnd, &window);
    win::GetClientRect(hwnd, &client);
    win::POINT origin{0, 0};
    win::ClientToScreen(hwnd, &origin);
    const win::POINT by{origin.x - window.left, origin.y - window.top};
    // 1.
    if (by.x > 0) {
        canvas->frame_rect({0, 0, window.width(), window.height()}, gfx::vbWindowFrame, by.x);
    }
    // 2.
    const gfx::Canvas::ClipScope inside(*canvas, shifted(client, by));
    canvas->fill_rect(shifted(client, by), m_back_color);
    if (m_bars.vertical && m_bars.horizontal) {
        const int size = win::GetSystemMetrics(win::SM_CXVSCROLL);
        canvas->fill_rect(
            shifted({client.right - size, client.bottom - size, client.right, client.bottom}, by),
            gfx::vbButtonFace);
    }
    const GridGeometry g = geometry();
    const auto spans = g.spans();
    const win::RECT clip = canvas->clip_rect();
    const auto reached = [&](const win::RECT& band) {
        return !win::intersection(shifted(band, by), clip).empty();
    };
    // 3.
    if (m_column_headers && reached(g.header_rect())) {
        paint_header(*canvas, g, spans, by);
    }
    // 4.
    for (int r = 0; r < g.displayed_rows(); ++r) {
        if (reached(g.row_rect(r))) {
            paint_row(*canvas, g, spans, r, by);
        }
    }
}

void DataGrid::paint_header(gfx::Canvas& canvas, const GridGeometry& g,
    const std::vector<ColumnSpan>& spans, win::POINT by) const
{
    const win::RECT band = g.header_rect();
    const win::RECT area = g.input().rows_area;
    for (const ColumnSpan& s : spans) {
        const win::RECT cell = shifted(cell_of(s, band, area), by);
        if (cell.right <= cell.left) {
            continue;
        }
        canvas.fill_rect(cell, gfx::vbButtonFace);
        canvas.draw_text(m_columns[s.index]->get_Caption(), text_box(cell), m_head_font->font(),
            gfx::vbButtonText);
        draw_lines(canvas, cell);
    }
}

void DataGrid::paint_row(gfx::Canvas& canvas, const GridGeometry& g,
    const std::vector<ColumnSpan>& spans, int r, win::POINT by) const
{
    const std::int64_t row = m_first_row + r;
    const win::RECT area = g.input().rows_area;
    const win::RECT band = win::intersection(g.row_rect(r), area);
    const bool selected = m_selection && m_selection->contains(row);
    const gfx::OLE_COLOR text_color = selected ? gfx::vbHighlightText : m_fore_color;
    canvas.fill_rect(shifted(band, by), selected ? gfx::vbHighlight : m_back_color);
    const ado::Table& table = m_recordset->table();
    for (const ColumnSpan& s : spans) {
        const win::RECT cell = shifted(cell_of(s, band, area), by);
        if (cell.right <= cell.left) {
            continue;
        }
        const vb::Variant value
            = ado::cell_value(table, m_columns[s.index]->index(), static_cast<std::size_t>(row));
        const gfx::TextAlign align{aligns_right(value) ? gfx::HAlign::Right : gfx::HAlign::Left};
        canvas.draw_text(cell_text(value), text_box(cell), m_font->font(), text_color, align);
        draw_lines(canvas, cell);
    }
    if (row == current_row() && win::GetFocus() == get_hWnd()) {
        canvas.draw_focus_rect(shifted(band, by));
    }
}

} // namespace grid
