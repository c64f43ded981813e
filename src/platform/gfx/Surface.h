#pragma once
// A drawable picture in memory: a Cairo ARGB32 image surface. The
// compositor's screen is one; a canvas draws into one. Unlike an Image it is
// not copyable and lives where it was made.

#include <filesystem>
#include <memory>

#include "platform/gfx/Color.h"
#include "platform/gfx/Image.h"
#include "platform/win/Types.h"

typedef struct _cairo_surface cairo_surface_t; // NOLINT(modernize-use-using): Cairo's own spelling

namespace gfx {

class Surface {
public:
    // A surface filled with opaque black; raises 380 for a negative size or
    // a side above Image::k_max_side.
    Surface(int width, int height);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] win::RECT rect() const { return {0, 0, m_width, m_height}; }

    // The colour of one pixel; raises 9 outside the surface.
    [[nodiscard]] Rgb pixel(int x, int y) const;

    // A copy of the whole surface or of a rectangle of it (clipped to it).
    [[nodiscard]] Image to_image() const;
    [[nodiscard]] Image to_image(const win::RECT& rect) const;

    // PNG of the whole surface or of a rectangle of it; raises 75 naming the
    // file when it cannot be written, 380 for a rectangle that lies wholly
    // outside the surface.
    void write_png(const std::filesystem::path& path) const;
    void write_png(const std::filesystem::path& path, const win::RECT& rect) const;

    [[nodiscard]] cairo_surface_t* cairo() const { return m_surface; }

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface = nullptr; // owned
};

} // namespace gfx
