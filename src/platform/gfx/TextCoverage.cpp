// Coverage drawn by Cairo: the text drawn alone into bytes of its own, with
// a margin wide enough for its ink, then cut to the pixels drawn on.
#include "platform/gfx/TextCoverage.h"

#include <hb-ot.h>

#include <algorithm>
#include <iterator>

#include "platform/win/Types.h"

namespace gfx::detail {

bool has_colour_glyphs(PangoFont* font)
{
    if (font == nullptr)
        return false;
    hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(font));
    return hb_ot_color_has_layers(face) || hb_ot_color_has_png(face) || hb_ot_color_has_svg(face);
}

bool has_colour_glyphs(PangoLayout* layout)
{
    for (GSList* l = pango_layout_get_lines_readonly(layout); l != nullptr; l = l->next) {
        const auto* line = static_cast<PangoLayoutLine*>(l->data);
        for (GSList* r = line->runs; r != nullptr; r = r->next) {
            const auto* run = static_cast<PangoGlyphItem*>(r->data);
            if (has_colour_glyphs(run->item->analysis.font))
                return true;
        }
    }
    return false;
}

namespace {

// Whether the outermost pixels of the coverage are all empty, so that
// nothing drawn was cut off.
bool clear_edges(cairo_surface_t* s)
{
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    const auto at = [&](int x, int y) { return data[static_cast<std::ptrdiff_t>(y) * stride + x]; };
    for (int x = 0; x < w; ++x) {
        if (at(x, 0) != 0 || at(x, h - 1) != 0)
            return false;
    }
    for (int y = 0; y < h; ++y) {
        if (at(0, y) != 0 || at(w - 1, y) != 0)
            return false;
    }
    return true;
}

// The part of the coverage drawn on, its left edge on a 4-byte boundary
// (pixman's rows start on one); one empty pixel when nothing was drawn.
win::RECT covered(cairo_surface_t* s)
{
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    win::RECT r{w, h, 0, 0};
    const auto drawn = [](unsigned char c) { return c != 0; };
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        const unsigned char* first = std::find_if(row, row + w, drawn);
        if (first == row + w)
            continue;
        const auto last = std::find_if(
            std::make_reverse_iterator(row + w), std::make_reverse_iterator(first), drawn);
        r.left = std::min<int>(r.left, static_cast<int>(first - row));
        r.right = std::max<int>(r.right, static_cast<int>(last.base() - row));
        r.top = std::min(r.top, y);
        r.bottom = y + 1;
    }
    if (r.right <= r.left)
        return {0, 0, 1, 1};
    r.left &= ~3;
    return r;
}

} // namespace

// 1. The area is the logical extents with a margin (ink reaches past them
//    only a little: slanted letters, underlines); the text is drawn into it
//    as a canvas draws it (no antialiasing of shapes), adding coverage as
//    Cairo adds overlapping glyphs.
// 2. Anything drawn up to the area's edge may have been cut: a wider margin
//    again.
// 3. The image covers only the rows and columns drawn on (where the rest
//    would leave the pixels below as they are anyway).
OwnedMask render_mask(const PangoRectangle& logical, const DrawText& draw)
{
    OwnedMask out;
    // 1.
    const int left = logical.x;
    const int top = logical.y;
    const int right = logical.x + logical.width;
    const int bottom = logical.y + logical.height;
    for (int margin = 4; margin <= 64; margin *= 2) {
        const int w = right - left + 2 * margin;
        const int h = bottom - top + 2 * margin;
        SurfacePtr pixels(cairo_image_surface_create(CAIRO_FORMAT_A8, w, h));
        if (cairo_surface_status(pixels.get()) != CAIRO_STATUS_SUCCESS)
            return out;
        {
            const CairoPtr cr(cairo_create(pixels.get()));
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
            cairo_set_operator(cr.get(), CAIRO_OPERATOR_ADD);
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
            cairo_move_to(cr.get(), margin - left, margin - top);
            draw(cr.get());
        }
        cairo_surface_flush(pixels.get());
        // 2.
        if (!clear_edges(pixels.get()))
            continue;
        // 3.
        const win::RECT used = covered(pixels.get());
        unsigned char* data = cairo_image_surface_get_data(pixels.get());
        const int stride = cairo_image_surface_get_stride(pixels.get());
        out.image.reset(pixman_image_create_bits(PIXMAN_a8, used.width(), used.height(),
            reinterpret_cast<std::uint32_t*>(
                data + static_cast<std::ptrdiff_t>(used.top) * stride + used.left),
            stride));
        out.pixels = std::move(pixels);
        out.mask = {out.image.get(), margin - left - used.left, margin - top - used.top,
            used.width(), used.height()};
        return out;
    }
    return out;
}

} // namespace gfx::detail
