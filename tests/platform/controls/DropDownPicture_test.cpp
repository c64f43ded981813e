#include "platform/controls/DropDownPicture.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

constexpr gfx::Rgb k_grey{0xC0, 0xC0, 0xC0};
constexpr gfx::Rgb k_black{0, 0, 0};

// Independent of how the picture is made: row r of the triangle (13..17)
// spans columns 12 + (r - 13) .. 20 - (r - 13), that is 9, 7, 5, 3 and 1
// pixels centred on column 16.
bool in_triangle(int x, int y)
{
    if (y < 13 || y > 17) {
        return false;
    }
    const int inset = y - 13;
    return x >= 12 + inset && x <= 20 - inset;
}

TEST(DropDownPicture, IsThirtyTwoSquareGreyWithABlackTriangle)
{
    EXPECT_EQ(gfx::rgb_of(drop_down_mask_color), k_grey);
    const gfx::Image picture = drop_down_picture();
    ASSERT_EQ(picture.width(), 32);
    ASSERT_EQ(picture.height(), 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(picture.pixel(x, y), in_triangle(x, y) ? k_black : k_grey)
                << "pixel " << x << "," << y;
            EXPECT_EQ(picture.alpha(x, y), 0xFF) << "pixel " << x << "," << y;
        }
    }
}

} // namespace
} // namespace controls
