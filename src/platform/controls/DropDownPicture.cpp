#include "platform/controls/DropDownPicture.h"

namespace controls {

namespace {

constexpr int k_side = 32;
constexpr int k_centre_column = 16;
constexpr int k_first_row = 13;
constexpr int k_rows = 5; // half-widths 4, 3, 2, 1, 0

} // namespace

gfx::Image drop_down_picture()
{
    gfx::Image image(k_side, k_side, gfx::rgb_of(drop_down_mask_color));
    for (int row = 0; row < k_rows; ++row) {
        const int half = k_rows - 1 - row;
        for (int x = k_centre_column - half; x <= k_centre_column + half; ++x) {
            image.set_pixel(x, k_first_row + row, gfx::Rgb{0, 0, 0});
        }
    }
    return image;
}

} // namespace controls
