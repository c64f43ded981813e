#include "platform/gfx/Canvas.h"

#include <algorithm>

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

} // namespace

Canvas::Canvas(Surface& surface, win::POINT origin, const win::RECT& clip, int dpi)
    : m_origin(origin), m_dpi(dpi > 0 ? dpi : display_dpi())
{
    m_cr = cairo_create(surface.cairo());
    cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    add_rect(m_cr, clip);
    cairo_clip(m_cr);
    cairo_translate(m_cr, origin.x, origin.y);
}

Canvas::Canvas(Surface& surface, int dpi) : Canvas(surface, {0, 0}, surface.rect(), dpi)
{
}

Canvas::~Canvas()
{
    cairo_destroy(m_cr);
}

win::RECT Canvas::clip_rect() const
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    return {static_cast<win::LONG>(x1), static_cast<win::LONG>(y1), static_cast<win::LONG>(x2),
        static_cast<win::LONG>(y2)};
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
    set_color(rgb);
    add_rect(m_cr, r);
    cairo_fill(m_cr);
}

void Canvas::fill_rect(const win::RECT& r, OLE_COLOR color)
{
    fill(r, paint_color(color));
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
    const auto [layout, logical] = detail::drawing_layout(m_dpi, font, valid);

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

    cairo_save(m_cr);
    add_rect(m_cr, n);
    cairo_clip(m_cr);
    set_color(color);
    cairo_move_to(m_cr, x - align.scroll_x - logical.x, y - logical.y);
    pango_cairo_show_layout(m_cr, layout);
    cairo_restore(m_cr);
}

void Canvas::draw_image(const Image& image, win::POINT at, std::optional<OLE_COLOR> transparent)
{
    if (image.empty())
        return;
    Image copy = image;
    if (transparent) {
        Rgb key = paint_color(*transparent);
        for (auto& p : copy.argb()) {
            Rgb c{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                static_cast<std::uint8_t>(p)};
            if (c == key)
                p = 0;
        }
    }
    auto source = detail::surface_from_image(copy);
    cairo_set_source_surface(m_cr, source.get(), at.x, at.y);
    cairo_pattern_set_filter(cairo_get_source(m_cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(m_cr, at.x, at.y, image.width(), image.height());
    cairo_fill(m_cr);
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

Canvas::ClipScope::ClipScope(Canvas& canvas, const win::RECT& r) : m_canvas(canvas)
{
    cairo_save(canvas.m_cr);
    add_rect(canvas.m_cr, r);
    cairo_clip(canvas.m_cr);
}

Canvas::ClipScope::~ClipScope()
{
    cairo_restore(m_canvas.m_cr);
}

} // namespace gfx
