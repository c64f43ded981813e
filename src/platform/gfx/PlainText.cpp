// Plain text: told apart from any other, itemized once per font, shaped by
// HarfBuzz as Pango shapes it and drawn from kept glyphs.
#include "platform/gfx/PlainText.h"

#include <hb-glib.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/gfx/KeptGlyphs.h"

namespace gfx::detail {

bool is_plain(const Font& font, std::string_view text)
{
    if (text.empty() || font.underline || font.strikethrough)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c <= 0x7E)
            continue;
        // A valid text: a lead byte C3..C8 has its one continuation byte.
        if (c < 0xC3 || c > 0xC8)
            return false;
        ++i;
    }
    return true;
}

namespace {

struct GlyphStringDeleter {
    void operator()(PangoGlyphString* p) const { pango_glyph_string_free(p); }
};

struct ItemsDeleter {
    void operator()(GList* p) const
    {
        g_list_free_full(p, [](gpointer i) { pango_item_free(static_cast<PangoItem*>(i)); });
    }
};

struct ItemDeleter {
    void operator()(PangoItem* p) const { pango_item_free(p); }
};
using ItemPtr = std::unique_ptr<PangoItem, ItemDeleter>;

// The one item of a text, left to right, in a font without glyphs of their
// own colour; null for any other text.
ItemPtr only_item(PangoContext* context, std::string_view text)
{
    thread_local const std::unique_ptr<PangoAttrList, decltype(&pango_attr_list_unref)> no_attrs(
        pango_attr_list_new(), &pango_attr_list_unref);
    const std::unique_ptr<GList, ItemsDeleter> items(pango_itemize(
        context, text.data(), 0, static_cast<int>(text.size()), no_attrs.get(), nullptr));
    if (items == nullptr || items->next != nullptr)
        return nullptr;
    auto* item = static_cast<PangoItem*>(items->data);
    if (item->analysis.level % 2 != 0 || item->analysis.font == nullptr
        || item->analysis.extra_attrs != nullptr || has_colour_glyphs(item->analysis.font))
        return nullptr;
    return ItemPtr(pango_item_copy(item));
}

bool is_letter(unsigned char lead, unsigned char next)
{
    if (lead < 0x80)
        return (lead >= 'A' && lead <= 'Z') || (lead >= 'a' && lead <= 'z');
    return !(lead == 0xC3 && (next == 0x97 || next == 0xB7)); // all but U+00D7, U+00F7
}

// A font's plain text itemized once. Every plain character in one item
// means that each is drawn in that item's font, and a plain text is one
// such item: in the Latin script when it has a letter, else in the common
// script (digits, punctuation, spaces). Null items when the font's plain
// characters are not one item (itemized text by text, then).
struct PlainFont {
    ContextPtr context; // the drawing context's settings with the font's description
    ItemPtr letters;
    ItemPtr others;
};

std::string plain_characters(bool with_letters)
{
    std::string out;
    for (int c = 0x20; c <= 0x7E; ++c) {
        if (with_letters || !is_letter(static_cast<unsigned char>(c), 0))
            out += static_cast<char>(c);
    }
    for (int c = 0xC0; with_letters && c < 0x240; ++c) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The calling thread keeps the last k_kept.
const PlainFont& plain_font(int dpi, const Font& font)
{
    struct Known {
        int dpi = 0;
        Font font;
        PlainFont plain;
    };
    constexpr std::size_t k_kept = 16;
    thread_local std::vector<Known> known;
    for (const Known& k : known) {
        if (k.dpi == dpi && k.font == font)
            return k.plain;
    }
    PlainFont plain{new_drawing_context(dpi), nullptr, nullptr};
    PangoFontDescription* desc = font_description(font);
    pango_context_set_font_description(plain.context.get(), desc);
    pango_font_description_free(desc);
    plain.letters = only_item(plain.context.get(), plain_characters(true));
    plain.others = only_item(plain.context.get(), plain_characters(false));
    if (known.size() >= k_kept)
        known.erase(known.begin());
    known.push_back({dpi, font, std::move(plain)});
    return known.back().plain;
}

// A plain text shaped by HarfBuzz as Pango shapes a left-to-right item
// that is the whole text, positions rounded to whole pixels. False when a
// character has no glyph in the font (Pango draws its own box for it).
bool shape_plain(const PangoItem& item, std::string_view text, PangoGlyphString* glyphs)
{
    PangoFont* font = item.analysis.font;
    thread_local const std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(
        hb_buffer_create(), &hb_buffer_destroy);
    hb_buffer_t* b = buffer.get();
    hb_buffer_clear_contents(b);
    hb_buffer_set_direction(b, HB_DIRECTION_LTR);
    hb_buffer_set_script(
        b, hb_glib_script_to_script(static_cast<GUnicodeScript>(item.analysis.script)));
    hb_buffer_set_language(
        b, hb_language_from_string(pango_language_to_string(item.analysis.language), -1));
    hb_buffer_set_cluster_level(b, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_CHARACTERS);
    hb_buffer_set_flags(b, static_cast<hb_buffer_flags_t>(HB_BUFFER_FLAG_BOT | HB_BUFFER_FLAG_EOT));
    hb_buffer_set_invisible_glyph(b, PANGO_GLYPH_EMPTY);
    const int length = static_cast<int>(text.size());
    hb_buffer_add_utf8(b, text.data(), length, 0, length);
    std::array<hb_feature_t, 32> features{};
    guint count = 0;
    pango_font_get_features(font, features.data(), features.size(), &count);
    hb_shape(pango_font_get_hb_font(font), b, features.data(), count);
    unsigned n = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(b, &n);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(b, nullptr);
    if (std::any_of(info, info + n, [](const hb_glyph_info_t& g) { return g.codepoint == 0; }))
        return false;
    pango_glyph_string_set_size(glyphs, static_cast<int>(n));
    int last = -1;
    for (unsigned i = 0; i < n; ++i) {
        PangoGlyphInfo& g = glyphs->glyphs[i];
        const auto cluster = static_cast<int>(info[i].cluster);
        g.glyph = info[i].codepoint;
        g.attr.is_cluster_start = cluster != last ? 1 : 0;
        g.geometry.width = PANGO_UNITS_ROUND(pos[i].x_advance);
        g.geometry.x_offset = PANGO_UNITS_ROUND(pos[i].x_offset);
        g.geometry.y_offset = PANGO_UNITS_ROUND(-pos[i].y_offset);
        glyphs->log_clusters[i] = cluster;
        last = cluster;
    }
    return true;
}

} // namespace

// 1. One item, left to right, in a font without glyphs of their own
//    colour (the font's, or the text's own when the font has none);
//    otherwise false.
// 2. Shaped as a layout shapes it (positions on whole pixels): by HarfBuzz
//    directly, or by Pango when a character has no glyph.
// 3. The logical extents of a one-line layout: its top at 0, the baseline
//    at the font's ascent.
// 4. Drawn at the baseline as a layout draws its run: composed of kept
//    glyphs, or by Cairo when they cannot be.
bool lay_out_plain(
    int dpi, const Font& font, std::string_view text, PangoRectangle& logical, OwnedMask& mask)
{
    const PlainFont& plain = plain_font(dpi, font);
    // 1.
    bool letter = false;
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++chars) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = c < 0x80 ? 0 : static_cast<unsigned char>(text[++i]);
        letter = letter || is_letter(c, next);
    }
    const PangoItem* known = letter ? plain.letters.get() : plain.others.get();
    ItemPtr own;
    if (known == nullptr) {
        own = only_item(plain.context.get(), text);
        if (own == nullptr)
            return false;
    }
    PangoItem copy = known != nullptr ? *known : *own;
    copy.offset = 0;
    copy.length = static_cast<int>(text.size());
    copy.num_chars = chars;
    PangoItem* item = &copy;
    PangoFont* pfont = item->analysis.font;
    // 2.
    const std::unique_ptr<PangoGlyphString, GlyphStringDeleter> glyphs(pango_glyph_string_new());
    if (!shape_plain(*item, text, glyphs.get()))
        pango_shape_item(item, text.data(), static_cast<int>(text.size()), nullptr, glyphs.get(),
            PANGO_SHAPE_ROUND_POSITIONS);
    // 3.
    PangoRectangle run{};
    pango_glyph_string_extents(glyphs.get(), pfont, nullptr, &run);
    const int baseline = -run.y;
    logical = {0, 0, run.width, run.height};
    pango_extents_to_pixels(&logical, nullptr);
    // 4.
    if (baseline % PANGO_SCALE == 0
        && compose_glyphs(pfont, glyphs.get(), baseline / PANGO_SCALE, mask))
        return true;
    mask = render_mask(logical, [&](cairo_t* cr) {
        double x = 0;
        double y = 0;
        cairo_get_current_point(cr, &x, &y);
        cairo_move_to(cr, x, y + static_cast<double>(baseline) / PANGO_SCALE);
        pango_cairo_show_glyph_string(cr, pfont, glyphs.get());
    });
    return mask.image != nullptr;
}

} // namespace gfx::detail
