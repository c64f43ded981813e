#include "platform/gfx/Image.h"

#include <string>
#include <system_error>

#include "platform/gfx/CairoHandles.h"
#include "platform/vb/Error.h"

namespace gfx {

namespace {

constexpr std::uint32_t pack(Rgb c, std::uint8_t a)
{
    return (std::uint32_t(a) << 24) | (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
}

} // namespace

Image::Image(int width, int height, Rgb fill)
{
    if (width < 0 || height < 0 || width > k_max_side || height > k_max_side)
        vb::raise(vb::err::InvalidPropertyValue,
            "Invalid image size " + std::to_string(width) + " x " + std::to_string(height),
            "Image");
    m_width = width;
    m_height = height;
    m_pixels.assign(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pack(fill, 0xFF));
}

std::size_t Image::index(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        vb::raise(vb::err::SubscriptOutOfRange, "Image");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width)
        + static_cast<std::size_t>(x);
}

Rgb Image::pixel(int x, int y) const
{
    std::uint32_t p = m_pixels[index(x, y)];
    return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
        static_cast<std::uint8_t>(p)};
}

std::uint8_t Image::alpha(int x, int y) const
{
    return static_cast<std::uint8_t>(m_pixels[index(x, y)] >> 24);
}

void Image::set_pixel(int x, int y, Rgb color, std::uint8_t alpha)
{
    m_pixels[index(x, y)] = pack(color, alpha);
}

Image Image::read_png(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        vb::raise(vb::err::FileNotFound, "File not found: " + path.string(), "Image");
    detail::SurfacePtr surface(cairo_image_surface_create_from_png(path.c_str()));
    cairo_status_t status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS)
        vb::raise(vb::err::InvalidFileFormat,
            "Invalid file format: " + path.string() + " (" + cairo_status_to_string(status) + ")",
            "Image");
    int w = cairo_image_surface_get_width(surface.get());
    int h = cairo_image_surface_get_height(surface.get());
    if (w > k_max_side || h > k_max_side)
        vb::raise(vb::err::InvalidFileFormat, "Image too large: " + path.string(), "Image");
    return detail::image_from_surface(surface.get(), 0, 0, w, h);
}

void Image::write_png(const std::filesystem::path& path) const
{
    auto surface = detail::surface_from_image(*this);
    detail::write_png(surface.get(), path.string());
}

} // namespace gfx
