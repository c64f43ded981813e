// The work-area width in twips: halves to even, and a wide desktop clamped.

#include "morvex/ScreenWidth.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

namespace pendrel {
namespace {

struct WidthRow {
    std::string name;
    win::LONG left;
    win::LONG right;
    vb::Single twips_per_pixel;
    vb::Integer expected;
};

class ScreenWidthTwips : public testing::TestWithParam<WidthRow> {};

TEST_P(ScreenWidthTwips, PixelsTimesTwipsPerPixel)
{
    const WidthRow& row = GetParam();
    EXPECT_EQ(screen_width_twips(win::RECT{row.left, 0, row.right, 100}, row.twips_per_pixel),
        row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScreenWidthTwips,
    testing::Values(WidthRow{"OnlyTheWidthCounts", 100, 2020, 15.0F, 28800},
        WidthRow{"HalfGoesDownToEven", 0, 1, 2.5F, 2}, WidthRow{"HalfGoesUpToEven", 0, 3, 2.5F, 8},
        WidthRow{"NotAHalf", 0, 97, 14.845361F, 1440}, WidthRow{"Widest", 0, 2184, 15.0F, 32760},
        WidthRow{"OnePixelTooWide", 0, 2185, 15.0F, 32767}, WidthRow{"Empty", 10, 10, 15.0F, 0}),
    test::RowName{});

} // namespace
} // namespace pendrel
