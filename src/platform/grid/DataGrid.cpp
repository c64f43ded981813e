// The grid object: making its window, its appearance and its fonts.

#include "platform/grid/DataGrid.h"

#include <cmath>

#include "platform/controls/ScrollBar.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Units.h"
#include "platform/grid/Columns.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace grid {

namespace {

constexpr int k_max_row_pixels = 32767;

host::StdFontRef checked_font(host::StdFontRef font, const char* source)
{
    if (!font) {
        vb::raise(vb::err::ObjectRequired, source);
    }
    return font;
}

} // namespace

std::shared_ptr<DataGrid> DataGrid::create(
    win::HWND parent, const win::RECT& rect, win::DWORD style)
{
    auto grid = std::make_shared<DataGrid>(Passkey{});
    style |= win::WS_BORDER | win::WS_CLIPCHILDREN | (parent != 0 ? win::WS_CHILD : 0);
    grid->ControlWindow::create(k_class, &DataGrid::proc, parent, rect, style, "DataGrid");
    grid->update_layout();
    return grid;
}

DataGrid::DataGrid(Passkey) : m_font(host::StdFont::create()), m_head_font(host::StdFont::create())
{
    set_Font(m_font);
    set_HeadFont(m_head_font);
}

// Columns and the selection may outlive the grid (a script holds them):
// they let go of it here.
DataGrid::~DataGrid()
{
    for (const auto& c : m_columns) {
        c->detach();
    }
    for (const auto& c : m_held) {
        c->detach();
    }
}

DataGrid* DataGrid::from_hwnd(win::HWND hwnd)
{
    return dynamic_cast<DataGrid*>(ControlWindow::from_hwnd(hwnd));
}

std::shared_ptr<DataGrid> DataGrid::self()
{
    return std::static_pointer_cast<DataGrid>(shared_from_this());
}

std::shared_ptr<Columns> DataGrid::get_Columns()
{
    if (!m_columns_object) {
        m_columns_object = std::make_shared<Columns>(self());
    }
    return m_columns_object;
}

std::shared_ptr<SelBookmarks> DataGrid::get_SelBookmarks()
{
    if (!m_selection) {
        m_selection = std::make_shared<SelBookmarks>(self());
    }
    return m_selection;
}

void DataGrid::let_ScrollBars(vb::Integer New_ScrollBars)
{
    check_choice(New_ScrollBars, dbgAutomatic, "DataGrid.ScrollBars");
    m_scroll_bars = New_ScrollBars;
    update_layout();
}

void DataGrid::let_BackColor(gfx::OLE_COLOR New_BackColor)
{
    check_color(New_BackColor, "DataGrid.BackColor");
    m_back_color = New_BackColor;
    Refresh();
}

void DataGrid::let_ForeColor(gfx::OLE_COLOR New_ForeColor)
{
    check_color(New_ForeColor, "DataGrid.ForeColor");
    m_fore_color = New_ForeColor;
    Refresh();
}

// The row and header heights follow the fonts, so a change of either
// object lays the grid out again.
void DataGrid::set_Font(host::StdFontRef New_Font)
{
    m_font = checked_font(std::move(New_Font), "DataGrid.Font");
    m_font_subscription = m_font->subscribe([this] { update_layout(); });
    update_layout();
}

void DataGrid::set_HeadFont(host::StdFontRef New_HeadFont)
{
    m_head_font = checked_font(std::move(New_HeadFont), "DataGrid.HeadFont");
    m_head_font_subscription = m_head_font->subscribe([this] { update_layout(); });
    update_layout();
}

void DataGrid::let_ColumnHeaders(vb::Boolean New_ColumnHeaders)
{
    m_column_headers = New_ColumnHeaders;
    update_layout();
}

vb::Single DataGrid::get_RowHeight() const
{
    if (m_row_height > 0) {
        return m_row_height;
    }
    return static_cast<vb::Single>(row_pixels() * twips_per_pixel());
}

void DataGrid::let_RowHeight(vb::Single New_RowHeight)
{
    if (!std::isfinite(New_RowHeight) || New_RowHeight < 0
        || New_RowHeight / twips_per_pixel() > k_max_row_pixels) {
        vb::raise(vb::err::InvalidPropertyValue,
            "RowHeight must be 0 (from the font) or a positive height up to 32767 pixels",
            "DataGrid.RowHeight");
    }
    m_row_height = New_RowHeight;
    update_layout();
}

vb::Single DataGrid::get_HeaderHeight() const
{
    return static_cast<vb::Single>(header_pixels() * twips_per_pixel());
}

vb::Integer DataGrid::get_BorderStyle() const
{
    const auto style = static_cast<win::DWORD>(win::GetWindowLongA(get_hWnd(), win::GWL_STYLE));
    return (style & win::WS_BORDER) != 0 ? dbgFixedSingle : dbgNoBorder;
}

int DataGrid::row_pixels() const
{
    if (m_row_height > 0) {
        const double px = vb::round_half_even(m_row_height / twips_per_pixel());
        return std::max(1, static_cast<int>(px));
    }
    return m_row_metric.line_height(m_font->font()) + 2;
}

int DataGrid::header_pixels() const
{
    if (!m_column_headers) {
        return 0;
    }
    return m_head_metric.line_height(m_head_font->font());
}

// Measuring a font costs a text layout; rows and the header ask on every
// query, so the answer is kept for as long as font and resolution stay.
int DataGrid::FontMetric::line_height(const gfx::Font& font)
{
    const int dpi = gfx::display_dpi();
    if (!m_pixels || font != m_font || dpi != m_dpi) {
        m_font = font;
        m_dpi = dpi;
        m_pixels = gfx::line_height(font, dpi);
    }
    return *m_pixels;
}

double DataGrid::twips_per_pixel()
{
    return gfx::twips_per_pixel(gfx::display_dpi());
}

} // namespace grid
