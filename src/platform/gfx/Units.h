#pragma once
// Twips and pixels. The control, its children and the grid work in twips
// (1/1440 inch); the window manager in pixels. One pair of functions converts
// between them at a given number of pixels per inch; at 96 dpi a pixel is 15
// twips. Horizontal and vertical resolution are the same on this platform.

namespace gfx {

struct Pixels {
    int value = 0;
    friend constexpr bool operator==(Pixels, Pixels) = default;
};

struct Twips {
    double value = 0.0;
    friend constexpr bool operator==(Twips, Twips) = default;
};

inline constexpr int k_twips_per_inch = 1440;

// 1440 / dpi: 15 at 96 dpi, 12 at 120 dpi.
[[nodiscard]] double twips_per_pixel(int dpi);
// The display's dpi of the calling thread's window manager.
[[nodiscard]] int display_dpi();

[[nodiscard]] Twips to_twips(Pixels p, int dpi);
// The nearest pixel, halves to the even neighbour; raises 6 "Overflow" for a
// value beyond the 32-bit range and 380 for a value that is not a number.
[[nodiscard]] Pixels to_pixels(Twips t, int dpi);

// The same at the display's dpi.
[[nodiscard]] Twips to_twips(Pixels p);
[[nodiscard]] Pixels to_pixels(Twips t);

} // namespace gfx
