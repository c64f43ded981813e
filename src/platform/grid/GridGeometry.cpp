#include "platform/grid/GridGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace grid {

GridGeometry::GridGeometry(GeometryInput input) : m_in(std::move(input))
{
    m_in.row_height = std::max(1, m_in.row_height);
    m_in.header_height = std::max(0, m_in.header_height);
    m_in.row_count = std::max<std::int64_t>(0, m_in.row_count);
    m_in.first_row = std::clamp<std::int64_t>(m_in.first_row, 0, m_in.row_count);
}

win::RECT GridGeometry::header_rect() const
{
    const win::RECT& a = m_in.rows_area;
    return {a.left, a.top, a.right, std::min(a.bottom, a.top + m_in.header_height)};
}

int GridGeometry::rows_top() const
{
    return m_in.rows_area.top + m_in.header_height;
}

int GridGeometry::full_rows() const
{
    return std::max(0, (m_in.rows_area.bottom - rows_top()) / m_in.row_height);
}

int GridGeometry::displayed_rows() const
{
    const int space = m_in.rows_area.bottom - rows_top();
    if (space <= 0) {
        return 0;
    }
    const std::int64_t fitting = (space + m_in.row_height - 1) / m_in.row_height;
    return static_cast<int>(std::min(fitting, m_in.row_count - m_in.first_row));
}

int GridGeometry::row_at(int y) const
{
    if (y < rows_top() || y >= m_in.rows_area.bottom) {
        return -1;
    }
    const int r = (y - rows_top()) / m_in.row_height;
    return r < displayed_rows() ? r : -1;
}

win::RECT GridGeometry::row_rect(int r) const
{
    const int top = rows_top() + r * m_in.row_height;
    return {m_in.rows_area.left, top, m_in.rows_area.right, top + m_in.row_height};
}

std::vector<ColumnSpan> GridGeometry::spans() const
{
    std::vector<ColumnSpan> out;
    std::int64_t x = m_in.rows_area.left;
    for (std::size_t i = m_in.left_col; i < m_in.columns.size(); ++i) {
        const ColumnLayout& c = m_in.columns[i];
        if (!c.visible) {
            continue;
        }
        if (x >= m_in.rows_area.right) {
            break;
        }
        out.push_back({i, x, x + c.width});
        x += c.width;
    }
    return out;
}

int GridGeometry::column_at(int x) const
{
    if (x < m_in.rows_area.left || x >= m_in.rows_area.right) {
        return -1;
    }
    for (const ColumnSpan& s : spans()) {
        if (x >= s.left && x < s.right) {
            return static_cast<int>(s.index);
        }
    }
    return -1;
}

std::int64_t GridGeometry::last_first_row() const
{
    return std::max<std::int64_t>(0, m_in.row_count - std::max(1, full_rows()));
}

std::vector<std::size_t> GridGeometry::visible_columns() const
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < m_in.columns.size(); ++i) {
        if (m_in.columns[i].visible) {
            out.push_back(i);
        }
    }
    return out;
}

// From the right: the furthest ordinal whose columns up to the end still
// fit the width; the last column itself when even it alone does not fit.
std::size_t GridGeometry::last_left_ordinal() const
{
    const auto visible = visible_columns();
    if (visible.empty()) {
        return 0;
    }
    const std::int64_t width = m_in.rows_area.right - m_in.rows_area.left;
    std::int64_t sum = 0;
    std::size_t k = visible.size();
    while (k > 0 && sum + m_in.columns[visible[k - 1]].width <= width) {
        sum += m_in.columns[visible[k - 1]].width;
        --k;
    }
    return std::min(k, visible.size() - 1);
}

std::int64_t GridGeometry::columns_width() const
{
    std::int64_t sum = 0;
    for (const ColumnLayout& c : m_in.columns) {
        sum += c.visible ? c.width : 0;
    }
    return sum;
}

BarsShown bars_for(int mode, const win::RECT& client, int header_height, int row_height,
    std::int64_t row_count, std::int64_t columns_width, int bar_size)
{
    if (mode != 4) {
        return {mode == 2 || mode == 3, mode == 1 || mode == 3};
    }
    const auto need_vertical = [&](bool horizontal) {
        const int height = client.height() - header_height - (horizontal ? bar_size : 0);
        return row_count > std::max(0, height) / std::max(1, row_height);
    };
    const auto need_horizontal
        = [&](bool vertical) { return columns_width > client.width() - (vertical ? bar_size : 0); };
    const bool vertical = need_vertical(need_horizontal(need_vertical(false)));
    return {vertical, need_horizontal(vertical)};
}

win::RECT rows_area_of(const win::RECT& client, BarsShown bars, int bar_size)
{
    win::RECT r = client;
    if (bars.vertical) {
        r.right = std::max(r.left, r.right - bar_size);
    }
    if (bars.horizontal) {
        r.bottom = std::max(r.top, r.bottom - bar_size);
    }
    return r;
}

int pixel_of_twips(double twips, double twips_per_pixel)
{
    if (std::isnan(twips) || twips_per_pixel <= 0) {
        return std::numeric_limits<int>::min();
    }
    const double px = std::floor(twips / twips_per_pixel + 1e-6);
    return static_cast<int>(
        std::clamp<double>(px, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace grid
