#include "platform/gfx/PangoText.h"

#include <hb-ot.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <list>
#include <map>
#include <unordered_map>

#include "platform/win/Types.h"

namespace gfx::detail {

namespace {

struct FontOptionsDeleter {
    void operator()(cairo_font_options_t* p) const { cairo_font_options_destroy(p); }
};

struct Measuring {
    ContextPtr context;
};

struct SurfaceDeleter {
    void operator()(cairo_surface_t* p) const { cairo_surface_destroy(p); }
};

struct CairoDeleter {
    void operator()(cairo_t* p) const { cairo_destroy(p); }
};

// Made as a canvas makes its own: over an image surface, so that the
// surface's font options are merged in the same way.
PangoContext* drawing_context(int dpi)
{
    thread_local std::map<int, Measuring> contexts;
    auto& m = contexts[dpi];
    if (!m.context) {
        const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
        const std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
        m.context.reset(pango_cairo_create_context(cr.get()));
        configure_context(m.context.get(), dpi);
    }
    return m.context.get();
}

struct LayoutKey {
    int dpi = 0;
    Font font;
    std::string text;
};

// A key to look up without copying the font and the text.
struct LayoutKeyView {
    int dpi = 0;
    const Font* font = nullptr;
    std::string_view text;
};

LayoutKeyView view_of(const LayoutKey& k)
{
    return {k.dpi, &k.font, k.text};
}

struct LayoutKeyHash {
    using is_transparent = void;
    std::size_t operator()(const LayoutKey& k) const { return (*this)(view_of(k)); }
    std::size_t operator()(const LayoutKeyView& k) const
    {
        std::size_t h = std::hash<std::string_view>()(k.text);
        const auto mix
            = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
        mix(std::hash<std::string>()(k.font->name));
        mix(std::hash<double>()(k.font->size));
        mix(static_cast<std::size_t>(k.font->weight));
        mix(static_cast<std::size_t>(k.font->italic)
            | (static_cast<std::size_t>(k.font->underline) << 1)
            | (static_cast<std::size_t>(k.font->strikethrough) << 2));
        mix(static_cast<std::size_t>(k.dpi));
        return h;
    }
};

struct LayoutKeyEqual {
    using is_transparent = void;
    static bool same(const LayoutKeyView& a, const LayoutKeyView& b)
    {
        return a.dpi == b.dpi && a.text == b.text && *a.font == *b.font;
    }
    bool operator()(const LayoutKey& a, const LayoutKey& b) const
    {
        return same(view_of(a), view_of(b));
    }
    bool operator()(const LayoutKeyView& a, const LayoutKey& b) const
    {
        return same(a, view_of(b));
    }
    bool operator()(const LayoutKey& a, const LayoutKeyView& b) const
    {
        return same(view_of(a), b);
    }
};

struct PixmanDeleter {
    void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};

// The coverage's bytes and the pixman image over them.
struct OwnedMask {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> pixels;
    std::unique_ptr<pixman_image_t, PixmanDeleter> image;
    TextMask mask;
};

bool has_colour_glyphs(PangoLayout* layout)
{
    for (GSList* l = pango_layout_get_lines_readonly(layout); l != nullptr; l = l->next) {
        const auto* line = static_cast<PangoLayoutLine*>(l->data);
        for (GSList* r = line->runs; r != nullptr; r = r->next) {
            const auto* run = static_cast<PangoGlyphItem*>(r->data);
            PangoFont* font = run->item->analysis.font;
            if (font == nullptr)
                continue;
            hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(font));
            if (hb_ot_color_has_layers(face) || hb_ot_color_has_png(face)
                || hb_ot_color_has_svg(face))
                return true;
        }
    }
    return false;
}

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

// 1. Text with glyphs of their own colour gets no coverage.
// 2. The area is the logical extents with a margin (ink reaches past them
//    only a little: slanted letters, underlines); the layout
//    is drawn into it as a canvas draws it (no antialiasing of shapes),
//    adding coverage as Cairo adds overlapping glyphs.
// 3. Anything drawn up to the area's edge may have been cut: a wider margin
//    again.
// 4. The image covers only the rows and columns drawn on (where the rest
//    would leave the pixels below as they are anyway).
OwnedMask render_mask(PangoLayout* layout)
{
    OwnedMask out;
    // 1.
    if (has_colour_glyphs(layout))
        return out;
    // 2.
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    const int left = logical.x;
    const int top = logical.y;
    const int right = logical.x + logical.width;
    const int bottom = logical.y + logical.height;
    for (int margin = 4; margin <= 64; margin *= 2) {
        const int w = right - left + 2 * margin;
        const int h = bottom - top + 2 * margin;
        std::unique_ptr<cairo_surface_t, SurfaceDeleter> pixels(
            cairo_image_surface_create(CAIRO_FORMAT_A8, w, h));
        if (cairo_surface_status(pixels.get()) != CAIRO_STATUS_SUCCESS)
            return out;
        {
            const std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(pixels.get()));
            cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
            cairo_set_operator(cr.get(), CAIRO_OPERATOR_ADD);
            cairo_set_source_rgb(cr.get(), 0, 0, 0);
            cairo_move_to(cr.get(), margin - left, margin - top);
            pango_cairo_show_layout(cr.get(), layout);
        }
        cairo_surface_flush(pixels.get());
        // 3.
        if (!clear_edges(pixels.get()))
            continue;
        // 4.
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

// Least recently drawn at the back of the list.
struct KeptLayouts {
    struct Entry {
        LayoutKey key;
        LayoutPtr layout;
        PangoRectangle logical{};
        OwnedMask mask;
    };
    std::list<Entry> order;
    std::unordered_map<LayoutKey, std::list<Entry>::iterator, LayoutKeyHash, LayoutKeyEqual> index;
};

} // namespace

DrawnLayout drawing_layout(int dpi, const Font& font, std::string_view text)
{
    thread_local KeptLayouts kept;
    if (const auto it = kept.index.find(LayoutKeyView{dpi, &font, text}); it != kept.index.end()) {
        kept.order.splice(kept.order.begin(), kept.order, it->second);
        return {it->second->layout.get(), it->second->logical, &it->second->mask.mask};
    }
    if (kept.order.size() >= k_kept_layouts) {
        kept.index.erase(kept.order.back().key);
        kept.order.pop_back();
    }
    LayoutKey key{dpi, font, std::string(text)};
    KeptLayouts::Entry entry{key, make_layout(drawing_context(dpi), font, text), {}, {}};
    pango_layout_get_pixel_extents(entry.layout.get(), nullptr, &entry.logical);
    entry.mask = render_mask(entry.layout.get());
    kept.order.push_front(std::move(entry));
    kept.index.emplace(std::move(key), kept.order.begin());
    const auto& front = kept.order.front();
    return {front.layout.get(), front.logical, &front.mask.mask};
}

void configure_context(PangoContext* context, int dpi)
{
    std::unique_ptr<cairo_font_options_t, FontOptionsDeleter> options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(context, options.get());
    pango_cairo_context_set_resolution(context, dpi);
    pango_context_set_round_glyph_positions(context, TRUE);
}

PangoContext* measuring_context(int dpi)
{
    thread_local std::map<int, Measuring> contexts;
    auto& m = contexts[dpi];
    if (!m.context) {
        auto* map = pango_cairo_font_map_get_default();
        m.context.reset(pango_font_map_create_context(map));
        configure_context(m.context.get(), dpi);
    }
    return m.context.get();
}

LayoutPtr make_layout(PangoContext* context, const Font& font, std::string_view text)
{
    LayoutPtr layout(pango_layout_new(context));
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, resolve_face(font.name).c_str());
    // Out-of-range sizes and weights (a setter should have refused them) are
    // clamped so that Pango never sees them.
    double size = std::clamp(font.size, 1.0, 2048.0);
    pango_font_description_set_size(desc, static_cast<gint>(size * PANGO_SCALE + 0.5));
    pango_font_description_set_weight(
        desc, static_cast<PangoWeight>(std::clamp(font.weight, 100, 1000)));
    pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), desc);
    pango_font_description_free(desc);

    PangoAttrList* attrs = pango_attr_list_new();
    if (font.underline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.strikethrough)
        pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);

    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    pango_layout_set_text(layout.get(), text.data(), static_cast<int>(text.size()));
    return layout;
}

} // namespace gfx::detail
