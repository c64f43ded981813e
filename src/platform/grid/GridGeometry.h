#pragma once
// Where things lie in a grid's client area, in pixels: the header band, the
// rows below it from the first displayed row, and the columns from the
// first displayed column, all inside the rows area (the client area less the
// scroll bars). A pure computation over a snapshot of the grid; nothing here
// looks at a window or a recordset, and every query costs at most the
// displayed rows or the columns, never the rows of the recordset.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/Types.h"

namespace grid {

struct ColumnLayout {
    int width = 0; // pixels
    bool visible = true;
};

// A displayed column: its index among all columns and its x range (client
// pixels, right edge exclusive, not clipped to the rows area).
struct ColumnSpan {
    std::size_t index = 0;
    std::int64_t left = 0;
    std::int64_t right = 0;
};

struct GeometryInput {
    win::RECT rows_area; // client pixels
    int header_height = 0; // 0: no header row
    int row_height = 1;
    std::int64_t first_row = 0; // 0-based row of the recordset shown first
    std::int64_t row_count = 0;
    std::vector<ColumnLayout> columns;
    std::size_t left_col = 0; // the first column shown at the left edge
};

class GridGeometry {
public:
    explicit GridGeometry(GeometryInput input);

    [[nodiscard]] const GeometryInput& input() const { return m_in; }
    [[nodiscard]] win::RECT header_rect() const;
    // The top of the first row.
    [[nodiscard]] int rows_top() const;

    // Rows that fit whole below the header (at least 0).
    [[nodiscard]] int full_rows() const;
    // Rows shown at least in part: existing rows from first_row that start
    // above the bottom of the rows area.
    [[nodiscard]] int displayed_rows() const;
    // The displayed row under a client y, or -1 (over the header, below the
    // last row, outside the rows area).
    [[nodiscard]] int row_at(int y) const;
    // A displayed row's band across the rows area (any r: rows before or
    // after the displayed ones lie above or below it).
    [[nodiscard]] win::RECT row_rect(int r) const;

    // The visible columns from left_col on that start left of the rows
    // area's right edge; columns of width 0 are included.
    [[nodiscard]] std::vector<ColumnSpan> spans() const;
    // The column under a client x, or -1 (hidden and zero-width columns
    // are never under it; right of the last column; outside the area).
    [[nodiscard]] int column_at(int x) const;

    // The last first_row that still fills the rows area.
    [[nodiscard]] std::int64_t last_first_row() const;
    // The visible columns in order, and the ordinal among them of the last
    // left_col worth scrolling to (the rest then fits the width).
    [[nodiscard]] std::vector<std::size_t> visible_columns() const;
    [[nodiscard]] std::size_t last_left_ordinal() const;
    // Total width of the visible columns.
    [[nodiscard]] std::int64_t columns_width() const;

private:
    GeometryInput m_in;
};

// Which scroll bars a grid shows. mode: 0 none, 1 horizontal, 2 vertical,
// 3 both, 4 automatic (each bar only when its content does not fit; a
// shown bar takes room from the other direction, so the decision is taken
// twice).
struct BarsShown {
    bool vertical = false;
    bool horizontal = false;
    friend constexpr bool operator==(BarsShown, BarsShown) = default;
};
[[nodiscard]] BarsShown bars_for(int mode, const win::RECT& client, int header_height,
    int row_height, std::int64_t row_count, std::int64_t columns_width, int bar_size);

// The rows area: the client area less the bars (clamped to an empty
// rectangle when the bars take all of it).
[[nodiscard]] win::RECT rows_area_of(const win::RECT& client, BarsShown bars, int bar_size);

// A twips coordinate as the pixel that holds it: floor(twips / tpp),
// forgiving the rounding of a value that was made by multiplying pixels.
[[nodiscard]] int pixel_of_twips(double twips, double twips_per_pixel);

} // namespace grid
