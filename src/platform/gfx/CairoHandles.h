#pragma once
// Internal to gfx: RAII owners of Cairo handles, and the conversion of an
// image to and from Cairo's premultiplied ARGB32 surfaces.

#include <memory>
#include <string>

#include <cairo.h>

#include "platform/gfx/Image.h"

namespace gfx::detail {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;

// A new ARGB32 surface; raises 7 "Out of memory" when Cairo cannot make it.
[[nodiscard]] SurfacePtr make_surface(int width, int height);

// An image's pixel (straight alpha) as Cairo keeps it (premultiplied).
[[nodiscard]] std::uint32_t premultiplied(std::uint32_t argb);

// Copies an image into a new surface (premultiplying), or a part of a
// surface into a new image (unpremultiplying). The rectangle is clipped to
// the surface.
[[nodiscard]] SurfacePtr surface_from_image(const Image& image);
[[nodiscard]] Image image_from_surface(cairo_surface_t* surface, int x, int y, int w, int h);

// Writes a surface as PNG; raises 75 naming the file and Cairo's reason.
void write_png(cairo_surface_t* surface, const std::string& path);

} // namespace gfx::detail
