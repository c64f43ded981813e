#pragma once
// Looking at rendered pixels: counting a colour in a rectangle and finding
// where anything other than a background colour was drawn. Comparisons of
// drawn text are tolerant by nature: they ask where ink is, not which bytes.

#include <optional>

#include "platform/gfx/Image.h"
#include "platform/win/Types.h"

namespace pendrel::test {

// Pixels of exactly this colour inside the rectangle (clipped to the image).
[[nodiscard]] int count_color(const gfx::Image& image, const win::RECT& r, gfx::Rgb color);

// Pixels inside the rectangle that differ from the colour.
[[nodiscard]] int count_other(const gfx::Image& image, const win::RECT& r, gfx::Rgb color);

// The smallest rectangle holding every pixel (of the area, the whole image
// unless given) that differs from the background, or nothing when there is
// none.
[[nodiscard]] std::optional<win::RECT> ink_box(const gfx::Image& image, gfx::Rgb background,
    const win::RECT& area = {0, 0, gfx::Image::k_max_side, gfx::Image::k_max_side});

// Pixels that differ between two images of one size (every pixel when the
// sizes differ).
[[nodiscard]] int count_different(const gfx::Image& a, const gfx::Image& b);

// Pixels whose channels are all below 0x80 (drawn text in black, say).
[[nodiscard]] int count_dark(const gfx::Image& image, const win::RECT& r);

} // namespace pendrel::test
