#include "platform/gfx/CairoHandles.h"

#include <algorithm>

#include "platform/vb/Error.h"

namespace gfx::detail {

namespace {

std::uint32_t unpremultiply(std::uint32_t p)
{
    std::uint32_t a = p >> 24;
    if (a == 0xFF)
        return p;
    if (a == 0)
        return 0;
    auto div = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}

} // namespace

std::uint32_t premultiplied(std::uint32_t p)
{
    std::uint32_t a = p >> 24;
    if (a == 0xFF)
        return p;
    auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
}

SurfacePtr make_surface(int width, int height)
{
    SurfacePtr s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS)
        vb::raise(vb::err::OutOfMemory, "Cairo");
    return s;
}

SurfacePtr surface_from_image(const Image& image)
{
    auto surface = make_surface(image.width(), image.height());
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    int stride = cairo_image_surface_get_stride(surface.get());
    const auto& px = image.argb();
    for (int y = 0; y < image.height(); ++y) {
        auto* row
            = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < image.width(); ++x)
            row[x] = premultiplied(px[static_cast<std::size_t>(y * image.width() + x)]);
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

Image image_from_surface(cairo_surface_t* surface, int x, int y, int w, int h)
{
    int sw = cairo_image_surface_get_width(surface);
    int sh = cairo_image_surface_get_height(surface);
    int x0 = std::clamp(x, 0, sw);
    int y0 = std::clamp(y, 0, sh);
    int x1 = std::clamp(x + std::max(w, 0), 0, sw);
    int y1 = std::clamp(y + std::max(h, 0), 0, sh);
    Image image(x1 - x0, y1 - y0);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    auto& px = image.argb();
    for (int row = y0; row < y1; ++row) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(
            data + static_cast<std::ptrdiff_t>(row) * stride);
        for (int col = x0; col < x1; ++col)
            px[static_cast<std::size_t>((row - y0) * image.width() + (col - x0))]
                = unpremultiply(src[col]);
    }
    return image;
}

void write_png(cairo_surface_t* surface, const std::string& path)
{
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        vb::raise(vb::err::PathFileAccessError,
            "Cannot write " + path + " (" + cairo_status_to_string(status) + ")", "PNG");
}

} // namespace gfx::detail
