#include "support/gfx/Pixels.h"

#include <algorithm>

namespace pendrel::test {

namespace {

template <class F> int count_if(const gfx::Image& image, const win::RECT& r, F pred)
{
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(image.height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(image.width(), r.right); ++x)
            n += pred(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

} // namespace

int count_color(const gfx::Image& image, const win::RECT& r, gfx::Rgb color)
{
    return count_if(image, r, [&](gfx::Rgb c) { return c == color; });
}

int count_other(const gfx::Image& image, const win::RECT& r, gfx::Rgb color)
{
    return count_if(image, r, [&](gfx::Rgb c) { return c != color; });
}

int count_dark(const gfx::Image& image, const win::RECT& r)
{
    return count_if(image, r, [](gfx::Rgb c) { return c.r < 0x80 && c.g < 0x80 && c.b < 0x80; });
}

std::optional<win::RECT> ink_box(
    const gfx::Image& image, gfx::Rgb background, const win::RECT& area)
{
    std::optional<win::RECT> box;
    for (int y = std::max(0, area.top); y < std::min(image.height(), area.bottom); ++y) {
        for (int x = std::max(0, area.left); x < std::min(image.width(), area.right); ++x) {
            if (image.pixel(x, y) == background)
                continue;
            const win::RECT r = box.value_or(win::RECT{x, y, x + 1, y + 1});
            box = win::RECT{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                std::max(r.bottom, y + 1)};
        }
    }
    return box;
}

int count_different(const gfx::Image& a, const gfx::Image& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return std::max(a.width() * a.height(), b.width() * b.height());
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return n;
}

} // namespace pendrel::test
