#include "platform/gfx/PangoText.h"

#include <algorithm>
#include <map>

namespace gfx::detail {

namespace {

struct FontOptionsDeleter {
    void operator()(cairo_font_options_t* p) const { cairo_font_options_destroy(p); }
};

struct Measuring {
    ContextPtr context;
};

} // namespace

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
