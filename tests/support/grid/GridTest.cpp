#include "support/grid/GridTest.h"

#include "platform/controls/ScrollBar.h"
#include "platform/grid/Columns.h"
#include "platform/win/User32.h"
#include "support/ado/AdoFixture.h"

namespace pendrel::test {

namespace {

constexpr const char* k_sql = R"(
CREATE TABLE cities (id INTEGER PRIMARY KEY, name VARCHAR(40), country CHAR(2),
    population INTEGER, area REAL, founded DATE);
INSERT INTO cities VALUES (1, 'Amsterdam', 'NL', 921402, 219.32, '1275-10-27');
INSERT INTO cities VALUES (2, 'Zürich', 'CH', 421878, 87.88, '1218-01-01');
INSERT INTO cities VALUES (3, 'Łódź', 'PL', 672185, 293.25, '1423-07-29');
INSERT INTO cities VALUES (4, 'Nowhere', NULL, NULL, NULL, NULL);
INSERT INTO cities VALUES (5, 'Bern', 'CH', 134794, 51.62, '1191-01-01');
CREATE TABLE numbers (n INTEGER, label TEXT, half REAL);
INSERT INTO numbers WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 200)
    SELECT i, 'row ' || i, i / 2.0 FROM k;
)";

} // namespace

void GridTest::SetUp()
{
    DesktopTest::SetUp();
    const auto file = dir / "grid.db";
    create_sqlite_file(file, k_sql);
    cnstr = sqlite_connection_string(file);
    form = top("form", 100, 100, 640, 480);
    // The border takes a pixel on each side.
    grid
        = grid::DataGrid::create(form, {20, 20, 20 + k_client_width + 2, 20 + k_client_height + 2});
    grid->let_RowHeight(twips(k_row_pixels));
}

void GridTest::TearDown()
{
    grid.reset();
    DesktopTest::TearDown();
}

std::shared_ptr<SqliteDataSource> GridTest::bind(const std::string& sql)
{
    auto source = std::make_shared<SqliteDataSource>(cnstr, sql);
    grid->set_DataSource(source);
    return source;
}

int GridTest::header_pixels() const
{
    return static_cast<int>(grid->get_HeaderHeight() / 15);
}

win::POINT GridTest::row_point(int r, int x) const
{
    return {x, header_pixels() + r * k_row_pixels + k_row_pixels / 2};
}

win::POINT GridTest::bar_point(bool vertical, controls::ScrollPart part) const
{
    const controls::ScrollBar* bar = vertical ? grid->vertical_bar() : grid->horizontal_bar();
    EXPECT_NE(bar, nullptr);
    if (bar == nullptr) {
        return {};
    }
    const win::RECT r = bar->part_rect(part);
    win::POINT p = Ui::centre(r);
    win::ClientToScreen(bar->get_hWnd(), &p);
    win::ScreenToClient(grid->get_hWnd(), &p);
    return p;
}

std::string cells_of_current_row(grid::DataGrid& grid)
{
    std::string out;
    const auto columns = grid.get_Columns();
    for (vb::Long i = 0; i < columns->get_Count(); ++i) {
        out += (i == 0 ? "" : "|") + columns->get_Item(i)->get_Text();
    }
    return out;
}

} // namespace pendrel::test
