#include "platform/gfx/Surface.h"

#include <string>

#include "platform/gfx/CairoHandles.h"
#include "platform/vb/Error.h"

namespace gfx {

Surface::Surface(int width, int height) : m_width(width), m_height(height)
{
    if (width < 0 || height < 0 || width > Image::k_max_side || height > Image::k_max_side)
        vb::raise(vb::err::InvalidPropertyValue,
            "Invalid surface size " + std::to_string(width) + " x " + std::to_string(height),
            "Surface");
    m_surface = detail::make_surface(width, height).release();
    detail::CairoPtr cr(cairo_create(m_surface));
    cairo_set_source_rgb(cr.get(), 0, 0, 0);
    cairo_paint(cr.get());
}

Surface::~Surface()
{
    cairo_surface_destroy(m_surface);
}

Rgb Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        vb::raise(vb::err::SubscriptOutOfRange, "Surface");
    return detail::image_from_surface(m_surface, x, y, 1, 1).pixel(0, 0);
}

Image Surface::to_image() const
{
    return detail::image_from_surface(m_surface, 0, 0, m_width, m_height);
}

Image Surface::to_image(const win::RECT& rect) const
{
    return detail::image_from_surface(m_surface, rect.left, rect.top, rect.width(), rect.height());
}

void Surface::write_png(const std::filesystem::path& path) const
{
    detail::write_png(m_surface, path.string());
}

void Surface::write_png(const std::filesystem::path& path, const win::RECT& rect) const
{
    Image part = to_image(rect);
    if (part.empty())
        vb::raise(vb::err::InvalidPropertyValue, "The rectangle lies outside the screen", "PNG");
    part.write_png(path);
}

} // namespace gfx
