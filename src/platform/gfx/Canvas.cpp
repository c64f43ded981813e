#include "platform/gfx/Canvas.h"

#include <pixman.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gfx/CairoHandles.h"
#include "platform/gfx/PangoText.h"
#include "platform/gfx/Units.h"
#include "platform/gfx/Utf8.h"

namespace gfx {

namespace {

win::RECT normalized(const win::RECT& r)
{
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
        std::max(r.top, r.bottom)};
}

void add_rect(cairo_t* cr, const win::RECT& r)
{
    auto n = normalized(r);
    cairo_rectangle(cr, n.left, n.top, n.width(), n.height());
}

win::RECT moved(const win::RECT& r, win::POINT by)
{
    return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// An opaque colour as a pixel of the surface, and as pixman's 16-bit
// channels (Cairo's own conversion: each byte doubled up).
std::uint32_t pixel_of(Rgb rgb)
{
    return 0xFF000000U | (std::uint32_t{rgb.r} << 16) | (std::uint32_t{rgb.g} << 8) | rgb.b;
}

pixman_color_t pixman_color_of(Rgb rgb)
{
    const auto wide = [](std::uint8_t c) { return static_cast<std::uint16_t>(c * 257); };
    return {wide(rgb.r), wide(rgb.g), wide(rgb.b), 0xFFFF};
}

struct PixmanDeleter {
    void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};

} // namespace

Canvas::Canvas(Surface& surface, win::POINT origin, const win::RECT& clip, int dpi)
    : m_surface(surface),
      m_origin(origin),
      m_clip(win::intersection(normalized(clip), surface.rect())),
      m_dpi(dpi > 0 ? dpi : display_dpi())
{
    m_cr = cairo_create(surface.cairo());
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    add_rect(m_cr, clip);
    cairo_clip(m_cr);
    cairo_translate(m_cr, origin.x, origin.y);
    cairo_surface_flush(surface.cairo());
}

Canvas::Canvas(Surface& surface, int dpi) : Canvas(surface, {0, 0}, surface.rect(), dpi)
{
}

Canvas::~Canvas()
{
    if (m_target != nullptr) {
        pixman_image_unref(m_target);
    }
    cairo_destroy(m_cr);
    cairo_surface_mark_dirty(m_surface.cairo());
}

win::RECT Canvas::clip_rect() const
{
    if (m_clip.empty())
        return {};
    return moved(m_clip, {-m_origin.x, -m_origin.y});
}

win::RECT Canvas::on_surface(const win::RECT& r) const
{
    return win::intersection(moved(normalized(r), m_origin), m_clip);
}

pixman_image_t* Canvas::target()
{
    if (m_target == nullptr) {
        cairo_surface_t* s = m_surface.cairo();
        m_target = pixman_image_create_bits(PIXMAN_a8r8g8b8, m_surface.width(), m_surface.height(),
            reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s)),
            cairo_image_surface_get_stride(s));
    }
    return m_target;
}

void Canvas::set_color(Rgb rgb)
{
    cairo_set_source_rgb(m_cr, rgb.r / 255.0, rgb.g / 255.0, rgb.b / 255.0);
}

void Canvas::set_color(OLE_COLOR color)
{
    set_color(paint_color(color));
}

void Canvas::fill(const win::RECT& r, Rgb rgb)
{
    const win::RECT a = on_surface(r);
    if (a.empty())
        return;
    cairo_surface_t* s = m_surface.cairo();
    (void)pixman_fill(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s)),
        cairo_image_surface_get_stride(s) / 4, 32, a.left, a.top, a.width(), a.height(),
        pixel_of(rgb));
}

void Canvas::fill_rect(const win::RECT& r, OLE_COLOR color)
{
    fill(r, paint_color(color));
}

void Canvas::fill_checker(const win::RECT& r, OLE_COLOR even, OLE_COLOR odd)
{
    const win::RECT a = on_surface(r);
    if (a.empty())
        return;
    const std::uint32_t pixels[2] = {pixel_of(paint_color(even)), pixel_of(paint_color(odd))};
    cairo_surface_t* s = m_surface.cairo();
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = a.top; y < a.bottom; ++y) {
        auto* row
            = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = a.left; x < a.right; ++x)
            row[x] = pixels[(x - m_origin.x + y - m_origin.y) & 1];
    }
}

void Canvas::frame_rect(const win::RECT& r, OLE_COLOR color, int thickness)
{
    auto n = normalized(r);
    Rgb rgb = paint_color(color);
    for (int i = 0; i < thickness && n.width() > 0 && n.height() > 0; ++i) {
        frame(n, rgb, rgb);
        n = {n.left + 1, n.top + 1, n.right - 1, n.bottom - 1};
    }
}

// One pixel: top and left edges in one colour, bottom and right in the
// other (the bottom-left and top-right corners belong to the second).
void Canvas::frame(const win::RECT& r, Rgb top_left, Rgb bottom_right)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    fill({r.left, r.top, r.right - 1, r.top + 1}, top_left);
    fill({r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
    fill({r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
    fill({r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

void Canvas::draw_line(win::POINT from, win::POINT to, OLE_COLOR color)
{
    Rgb rgb = paint_color(color);
    if (from.y == to.y) {
        fill({std::min(from.x, to.x + 1), from.y, std::max(from.x + 1, to.x), from.y + 1}, rgb);
        return;
    }
    if (from.x == to.x) {
        fill({from.x, std::min(from.y, to.y + 1), from.x + 1, std::max(from.y + 1, to.y)}, rgb);
        return;
    }
    set_color(rgb);
    cairo_set_line_width(m_cr, 1.0);
    cairo_move_to(m_cr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(m_cr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(m_cr);
}

void Canvas::draw_edge(const win::RECT& r, Edge edge)
{
    auto sys = [](int index) { return paint_color(system_color(index)); };
    auto n = normalized(r);
    win::RECT inner{n.left + 1, n.top + 1, n.right - 1, n.bottom - 1};
    switch (edge) {
    case Edge::Flat:
        frame(n, sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME));
        break;
    case Edge::Raised:
        frame(n, sys(COLOR_3DLIGHT), sys(COLOR_3DDKSHADOW));
        frame(inner, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_BTNSHADOW));
        break;
    case Edge::Sunken:
        frame(n, sys(COLOR_BTNSHADOW), sys(COLOR_BTNHIGHLIGHT));
        frame(inner, sys(COLOR_3DDKSHADOW), sys(COLOR_3DLIGHT));
        break;
    case Edge::Pressed:
        frame(n, sys(COLOR_3DDKSHADOW), sys(COLOR_3DDKSHADOW));
        frame(inner, sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW));
        break;
    }
}

void Canvas::draw_selection(const win::RECT& r)
{
    fill_rect(r, vbHighlight);
}

void Canvas::draw_focus_rect(const win::RECT& r)
{
    auto n = normalized(r);
    Rgb black{};
    // Every other pixel along the frame, starting at the top-left corner.
    for (int x = n.left; x < n.right; x += 2) {
        fill({x, n.top, x + 1, n.top + 1}, black);
        fill({x, n.bottom - 1, x + 1, n.bottom}, black);
    }
    for (int y = n.top; y < n.bottom; y += 2) {
        fill({n.left, y, n.left + 1, y + 1}, black);
        fill({n.right - 1, y, n.right, y + 1}, black);
    }
}

void Canvas::draw_text(
    std::string_view text, const win::RECT& box, const Font& font, OLE_COLOR color, TextAlign align)
{
    auto valid = valid_utf8(text);
    const auto [layout, logical, mask] = detail::drawing_layout(m_dpi, font, valid);

    auto n = normalized(box);
    int x = n.left;
    if (align.h == HAlign::Center)
        x = n.left + (n.width() - logical.width) / 2;
    else if (align.h == HAlign::Right)
        x = n.right - logical.width;
    int y = n.top;
    if (align.v == VAlign::Center)
        y = n.top + (n.height() - logical.height) / 2;
    else if (align.v == VAlign::Bottom)
        y = n.bottom - logical.height;

    // The kept coverage in the colour, cut to the box and the clip; a text
    // with coloured glyphs goes through Pango.
    const win::POINT at{x - align.scroll_x - logical.x, y - logical.y};
    if (mask->image != nullptr) {
        const win::RECT placed
            = moved({at.x - mask->x, at.y - mask->y, at.x - mask->x + mask->width,
                        at.y - mask->y + mask->height},
                m_origin);
        const win::RECT a = win::intersection(placed, on_surface(n));
        if (a.empty())
            return;
        const pixman_color_t ink = pixman_color_of(paint_color(color));
        const std::unique_ptr<pixman_image_t, PixmanDeleter> solid(
            pixman_image_create_solid_fill(&ink));
        pixman_image_composite32(PIXMAN_OP_OVER, solid.get(), mask->image, target(), 0, 0,
            a.left - placed.left, a.top - placed.top, a.left, a.top, a.width(), a.height());
        return;
    }
    cairo_save(m_cr);
    add_rect(m_cr, n);
    cairo_clip(m_cr);
    set_color(color);
    cairo_move_to(m_cr, at.x, at.y);
    pango_cairo_show_layout(m_cr, layout);
    cairo_restore(m_cr);
}

// The visible part only, premultiplied as Cairo would, keyed pixels left
// out, and composited over the surface.
void Canvas::draw_image(const Image& image, win::POINT at, std::optional<OLE_COLOR> transparent)
{
    if (image.empty())
        return;
    const win::RECT placed
        = moved({at.x, at.y, at.x + image.width(), at.y + image.height()}, m_origin);
    const win::RECT a = win::intersection(placed, m_clip);
    if (a.empty())
        return;
    std::optional<std::uint32_t> key;
    if (transparent)
        key = pixel_of(paint_color(*transparent)) & 0xFFFFFFU;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(a.width()) * a.height());
    auto out = pixels.begin();
    for (int y = a.top - placed.top; y < a.bottom - placed.top; ++y) {
        const auto* row = image.argb().data() + static_cast<std::ptrdiff_t>(y) * image.width();
        for (int x = a.left - placed.left; x < a.right - placed.left; ++x) {
            const std::uint32_t p = row[x];
            *out++ = key && (p & 0xFFFFFFU) == *key ? 0 : detail::premultiplied(p);
        }
    }
    const std::unique_ptr<pixman_image_t, PixmanDeleter> source(pixman_image_create_bits(
        PIXMAN_a8r8g8b8, a.width(), a.height(), pixels.data(), a.width() * 4));
    pixman_image_composite32(PIXMAN_OP_OVER, source.get(), nullptr, target(), 0, 0, 0, 0, a.left,
        a.top, a.width(), a.height());
}

void Canvas::draw_image_centered(
    const Image& image, const win::RECT& box, std::optional<OLE_COLOR> transparent)
{
    auto n = normalized(box);
    int extra_x = n.width() - image.width();
    int extra_y = n.height() - image.height();
    // Floor division keeps the odd pixel on the right and at the bottom, also
    // when the image is larger than the box.
    auto half = [](int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
    draw_image(image, {n.left + half(extra_x), n.top + half(extra_y)}, transparent);
}

Canvas::ClipScope::ClipScope(Canvas& canvas, const win::RECT& r)
    : m_canvas(canvas), m_outer(canvas.m_clip)
{
    cairo_save(canvas.m_cr);
    add_rect(canvas.m_cr, r);
    cairo_clip(canvas.m_cr);
    canvas.m_clip = canvas.on_surface(r);
}

Canvas::ClipScope::~ClipScope()
{
    m_canvas.m_clip = m_outer;
    cairo_restore(m_canvas.m_cr);
}

} // namespace gfx
