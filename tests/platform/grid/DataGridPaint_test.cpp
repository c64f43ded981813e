// What a bound grid looks like, compared tolerantly: which colour fills
// which band, where ink is, and a PNG that reads back the same.

#include <gtest/gtest.h>

#include "platform/gfx/Compositor.h"
#include "platform/grid/SelBookmarks.h"
#include "support/gfx/Pixels.h"
#include "support/grid/GridTest.h"

namespace {

using pendrel::test::count_color;
using pendrel::test::count_dark;

constexpr gfx::Rgb k_white{0xFF, 0xFF, 0xFF};
constexpr gfx::Rgb k_highlight{0x00, 0x00, 0x80};
constexpr gfx::Rgb k_face{0xC0, 0xC0, 0xC0};

class GridPaint : public pendrel::test::GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        bind("SELECT id, name, country FROM cities");
    }
    // Window coordinates: the client area starts inside the 1-pixel border.
    [[nodiscard]] win::RECT band_of_row(int r) const
    {
        const int top = 1 + header_pixels() + r * k_row_pixels;
        return {1, top, 1 + k_client_width, top + k_row_pixels};
    }
    [[nodiscard]] win::RECT header_band() const
    {
        return {1, 1, 1 + k_client_width, 1 + header_pixels()};
    }
    static int area(const win::RECT& r) { return r.width() * r.height(); }
    // The part of a band the columns cover (3 columns of the default width).
    [[nodiscard]] win::RECT covered(win::RECT r) const
    {
        r.right = 1 + static_cast<int>(3 * grid->columns()[0]->get_Width() / 15);
        return r;
    }
    gfx::Image snapshot() { return gfx::Compositor::the().snapshot(grid->get_hWnd()); }
};

TEST_F(GridPaint, HeaderRowsAndTheOneHighlightedRowReadBackFromThePng)
{
    grid->get_SelBookmarks()->Add(grid->RowBookmark(1));
    const auto png = dir / "grid.png";
    gfx::Compositor::the().write_png(png, grid->get_hWnd());
    const gfx::Image image = gfx::Image::read_png(png);
    ASSERT_EQ(image.width(), k_client_width + 2);
    ASSERT_EQ(image.height(), k_client_height + 2);

    const win::RECT selected = band_of_row(1);
    EXPECT_GT(count_color(image, selected, k_highlight), area(selected) * 7 / 10);
    EXPECT_GT(count_color(image, selected, k_white), 0); // its text
    for (int r : {0, 2, 3, 4}) {
        EXPECT_EQ(count_color(image, band_of_row(r), k_highlight), 0) << r;
        EXPECT_GT(count_color(image, band_of_row(r), k_white), area(band_of_row(r)) / 2) << r;
        EXPECT_GT(count_dark(image, covered(band_of_row(r))), 20) << r; // its text
    }
    // The header band differs from the rows; nothing is drawn below the last row.
    const win::RECT header = covered(header_band());
    EXPECT_GT(count_color(image, header, k_face), area(header) / 2);
    EXPECT_GT(count_dark(image, header), 20); // the captions
    const win::RECT below{1, band_of_row(5).top, 1 + k_client_width, 1 + k_client_height};
    EXPECT_EQ(count_color(image, below, k_white), area(below));
}

TEST_F(GridPaint, ChangesOfTheSharedFontAndColoursShowAtOnceAndScrolledRowsToo)
{
    const int regular = count_dark(snapshot(), covered(band_of_row(0)));
    grid->get_Font()->let_Bold(true);
    const int bold = count_dark(snapshot(), covered(band_of_row(0)));
    EXPECT_GT(bold, regular);

    grid->let_BackColor(gfx::vbButtonFace);
    const gfx::Image image = snapshot();
    EXPECT_GT(count_color(image, band_of_row(0), k_face), area(band_of_row(0)) / 2);
    bind("SELECT n, label FROM numbers");
    grid->get_SelBookmarks()->Add(vb::Variant(11.0));
    EXPECT_GT(count_color(snapshot(), band_of_row(10), k_highlight), 0);
    grid->Scroll(0, 10);
    const gfx::Image scrolled = snapshot();
    EXPECT_EQ(count_color(scrolled, band_of_row(10), k_highlight), 0);
    EXPECT_GT(count_color(scrolled, band_of_row(0), k_highlight), area(band_of_row(0)) / 2);
}

} // namespace
