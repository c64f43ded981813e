#pragma once
// The fixture of the grid tests: a fresh desktop, an SQLite file with real
// tables in a temporary folder, a form window and a grid on it (client area
// 400 x 200 pixels at 96 dpi, rows 240 twips = 16 pixels high), and input
// driven through the window manager.
//
// Tables: cities (5 rows: id, name, country CHAR(2), population, area REAL,
// founded DATE; row 4 is Null but for id and name) and numbers (200 rows:
// n 1..200, label 'row n', half n / 2).

#include <memory>
#include <string>

#include "platform/controls/ScrollGeometry.h"
#include "platform/grid/DataGrid.h"
#include "support/TempDir.h"
#include "support/controls/Ui.h"
#include "support/grid/SqliteDataSource.h"
#include "support/win/DesktopTest.h"

namespace pendrel::test {

class GridTest : public DesktopTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Binds the grid to a new data source over the SQL text.
    std::shared_ptr<SqliteDataSource> bind(const std::string& sql);

    static constexpr int k_row_pixels = 16;
    static constexpr int k_client_width = 400;
    static constexpr int k_client_height = 200;

    [[nodiscard]] static vb::Single twips(int pixels)
    {
        return static_cast<vb::Single>(pixels * 15);
    }
    [[nodiscard]] int header_pixels() const;
    // A client point inside displayed row r, x pixels from the left edge.
    [[nodiscard]] win::POINT row_point(int r, int x = 5) const;
    // The centre of a part of one of the grid's scroll bars, in the grid's
    // client coordinates.
    [[nodiscard]] win::POINT bar_point(bool vertical, controls::ScrollPart part) const;

    TempDir dir;
    std::string cnstr;
    win::HWND form = 0;
    std::shared_ptr<grid::DataGrid> grid;
    Ui ui;
};

// The current row's cells as text, joined by '|'.
[[nodiscard]] std::string cells_of_current_row(grid::DataGrid& grid);

} // namespace pendrel::test
