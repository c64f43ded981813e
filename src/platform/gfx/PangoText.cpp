// Pango contexts and layouts for measuring and drawing, and the texts drawn
// on image surfaces kept with their coverage from one paint to the next.
#include "platform/gfx/PangoText.h"

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <unordered_map>

#include "platform/gfx/PlainText.h"
#include "platform/gfx/TextCoverage.h"

namespace gfx::detail {

namespace {

struct FontOptionsDeleter {
    void operator()(cairo_font_options_t* p) const { cairo_font_options_destroy(p); }
};

struct Measuring {
    ContextPtr context;
};

} // namespace

// Made as a canvas makes its own: over an image surface, so that the
// surface's font options are merged in the same way.
ContextPtr new_drawing_context(int dpi)
{
    const SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    const CairoPtr cr(cairo_create(surface.get()));
    ContextPtr context(pango_cairo_create_context(cr.get()));
    configure_context(context.get(), dpi);
    return context;
}

PangoContext* drawing_context(int dpi)
{
    thread_local std::map<int, Measuring> contexts;
    auto& m = contexts[dpi];
    if (!m.context)
        m.context = new_drawing_context(dpi);
    return m.context.get();
}

namespace {

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
    KeptLayouts::Entry entry{key, nullptr, {}, {}};
    if (!is_plain(font, text) || !lay_out_plain(dpi, font, text, entry.logical, entry.mask)) {
        entry.layout = make_layout(drawing_context(dpi), font, text);
        pango_layout_get_pixel_extents(entry.layout.get(), nullptr, &entry.logical);
        PangoLayout* layout = entry.layout.get();
        entry.mask = has_colour_glyphs(layout) ? OwnedMask{}
                                               : render_mask(entry.logical, [layout](cairo_t* cr) {
                                                     pango_cairo_show_layout(cr, layout);
                                                 });
    }
    kept.order.push_front(std::move(entry));
    kept.index.emplace(std::move(key), kept.order.begin());
    const auto& front = kept.order.front();
    return {front.layout.get(), front.logical, &front.mask.mask};
}

PangoFontDescription* font_description(const Font& font)
{
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, resolve_face(font.name).c_str());
    // Out-of-range sizes and weights (a setter should have refused them) are
    // clamped so that Pango never sees them.
    double size = std::clamp(font.size, 1.0, 2048.0);
    pango_font_description_set_size(desc, static_cast<gint>(size * PANGO_SCALE + 0.5));
    pango_font_description_set_weight(
        desc, static_cast<PangoWeight>(std::clamp(font.weight, 100, 1000)));
    pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return desc;
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
    PangoFontDescription* desc = font_description(font);
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
