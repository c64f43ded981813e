#include "platform/gfx/PangoText.h"

#include <hb-glib.h>
#include <hb-ot.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <limits>
#include <list>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/win/Types.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
ContextPtr new_drawing_context(int dpi)
{
    const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    const std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
    ContextPtr context(pango_cairo_create_context(cr.get()));
    configure_context(context.get(), dpi);
    return context;
}

} // namespace

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

struct PixmanDeleter {
    void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};

// The coverage's bytes and the pixman image over them.
struct OwnedMask {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> pixels;
    std::vector<std::uint32_t> words; // or the bytes here, four a word
    std::unique_ptr<pixman_image_t, PixmanDeleter> image;
    TextMask mask;
};

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

// The text drawn at cairo's current point as a layout's top-left corner.
using DrawText = std::function<void(cairo_t*)>;

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

// Coverage is added k_lanes bytes at a time: a glyph's rows are padded
// with zeros to a multiple of k_lanes, and a text's coverage has k_lanes
// spare bytes after its last row.
constexpr int k_lanes = 16;

// A glyph's coverage as Cairo draws it with its origin on a whole pixel:
// the rows and columns drawn on, (x, y) from the origin to their top-left
// corner, rows pitch bytes apart. Nothing drawn: width 0.
struct GlyphImage {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int pitch = 0;
    std::vector<unsigned char> coverage;
};

// 1. Drawn alone, as a glyph string of one glyph, the way a text is drawn
//    for its coverage, over its ink extents.
// 2. Cut to the pixels drawn on.
std::optional<GlyphImage> render_glyph(PangoFont* font, PangoGlyph glyph)
{
    // 1.
    PangoRectangle ink{};
    pango_font_get_glyph_extents(font, glyph, &ink, nullptr);
    pango_extents_to_pixels(&ink, nullptr);
    PangoGlyphInfo info{glyph, {0, 0, 0}, {}};
    int cluster = 0;
    PangoGlyphString one{1, &info, &cluster, 0};
    const OwnedMask drawn = render_mask(
        ink, [font, &one](cairo_t* cr) { pango_cairo_show_glyph_string(cr, font, &one); });
    if (drawn.image == nullptr)
        return std::nullopt;
    // 2.
    const TextMask& m = drawn.mask;
    const auto* bytes = reinterpret_cast<const unsigned char*>(pixman_image_get_data(m.image));
    const int stride = pixman_image_get_stride(m.image);
    const auto at
        = [&](int x, int y) { return bytes[static_cast<std::ptrdiff_t>(y) * stride + x]; };
    int left = m.width;
    int right = 0;
    int top = m.height;
    int bottom = 0;
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            if (at(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = y + 1;
            }
        }
    }
    GlyphImage out;
    if (right <= left)
        return out;
    out.x = left - m.x;
    out.y = top - m.y;
    out.width = right - left;
    out.height = bottom - top;
    out.pitch = (out.width + k_lanes - 1) / k_lanes * k_lanes;
    out.coverage.resize(static_cast<std::size_t>(out.pitch) * out.height);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            out.coverage[static_cast<std::size_t>(y - top) * out.pitch + (x - left)] = at(x, y);
    }
    return out;
}

// A font's glyphs drawn once, null for one that cannot be drawn (the font
// held while kept). Pointers to the images stay valid while the font's
// glyphs are kept.
struct FontGlyphs {
    std::unique_ptr<PangoFont, GObjectDeleter> font;
    std::unordered_map<PangoGlyph, std::optional<GlyphImage>> glyphs;

    const GlyphImage* image(PangoGlyph glyph)
    {
        auto g = glyphs.find(glyph);
        if (g == glyphs.end())
            g = glyphs.emplace(glyph, render_glyph(font.get(), glyph)).first;
        return g->second ? &*g->second : nullptr;
    }
};

// The font's kept glyphs on the calling thread. Plain text uses a few
// hundred glyphs of a few fonts: past k_kept_fonts or k_kept_glyphs they
// are forgotten here (never while a text is composed) and drawn again when
// next needed.
FontGlyphs& font_glyphs(PangoFont* font)
{
    constexpr std::size_t k_kept_fonts = 16;
    constexpr std::size_t k_kept_glyphs = 4096;
    thread_local std::unordered_map<PangoFont*, FontGlyphs> fonts;
    auto it = fonts.find(font);
    if (it == fonts.end()) {
        if (fonts.size() >= k_kept_fonts)
            fonts.clear();
        FontGlyphs held;
        held.font.reset(static_cast<PangoFont*>(g_object_ref(font)));
        it = fonts.emplace(font, std::move(held)).first;
    }
    if (it->second.glyphs.size() >= k_kept_glyphs)
        it->second.glyphs.clear();
    return it->second;
}

// to[i] += from[i], at most 255, for k_lanes bytes.
void add_saturating(unsigned char* to, const unsigned char* from)
{
#if defined(__SSE2__)
    static_assert(k_lanes == 16);
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_adds_epu8(a, b));
#else
    for (int i = 0; i < k_lanes; ++i) {
        const unsigned sum = to[i] + from[i];
        to[i] = static_cast<unsigned char>(sum > 255 ? 255 : sum);
    }
#endif
}

// The coverage of a glyph string drawn with its baseline's left end at
// (0, baseline), composed of its glyphs' kept coverage: what Cairo draws,
// as it places each glyph on a whole pixel and adds (saturating) the
// coverage of glyphs that overlap. False, drawing nothing, when a glyph is
// off the pixel grid, has no kept coverage or is drawn as a box for a
// missing character.
bool compose_glyphs(PangoFont* font, const PangoGlyphString* glyphs, int baseline, OwnedMask& out)
{
    struct Placed {
        const GlyphImage* image;
        int x;
        int y;
    };
    thread_local std::vector<Placed> placed;
    placed.clear();
    FontGlyphs& kept = font_glyphs(font);
    int left = std::numeric_limits<int>::max();
    int top = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    int bottom = std::numeric_limits<int>::min();
    int x_position = 0;
    for (int i = 0; i < glyphs->num_glyphs; ++i) {
        const PangoGlyphInfo& gi = glyphs->glyphs[i];
        const int x = x_position + gi.geometry.x_offset;
        const int y = gi.geometry.y_offset;
        x_position += gi.geometry.width;
        if (gi.glyph == PANGO_GLYPH_EMPTY)
            continue;
        if ((gi.glyph & PANGO_GLYPH_UNKNOWN_FLAG) != 0) {
            if (gi.glyph == (0x20 | PANGO_GLYPH_UNKNOWN_FLAG)) // a space: nothing drawn
                continue;
            return false;
        }
        if (x % PANGO_SCALE != 0 || y % PANGO_SCALE != 0)
            return false;
        const GlyphImage* image = kept.image(gi.glyph);
        if (image == nullptr)
            return false;
        if (image->width == 0)
            continue;
        const Placed p{image, x / PANGO_SCALE + image->x, baseline + y / PANGO_SCALE + image->y};
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x + image->width);
        bottom = std::max(bottom, p.y + image->height);
        placed.push_back(p);
    }
    if (placed.empty()) {
        left = 0;
        top = 0;
        right = 1;
        bottom = 1;
    }
    const int width = right - left;
    const int height = bottom - top;
    const int stride = (width + 3) & ~3;
    std::vector<std::uint32_t> words((static_cast<std::size_t>(stride) * height + k_lanes) / 4);
    auto* bytes = reinterpret_cast<unsigned char*>(words.data());
    for (const Placed& p : placed) {
        const unsigned char* from = p.image->coverage.data();
        unsigned char* row = bytes + static_cast<std::ptrdiff_t>(p.y - top) * stride + (p.x - left);
        for (int y = 0; y < p.image->height; ++y, row += stride, from += p.image->pitch) {
            for (int x = 0; x < p.image->width; x += k_lanes)
                add_saturating(row + x, from + x);
        }
    }
    out.image.reset(pixman_image_create_bits(PIXMAN_a8, width, height, words.data(), stride));
    if (out.image == nullptr)
        return false;
    out.words = std::move(words);
    out.mask = {out.image.get(), -left, -top, width, height};
    return true;
}

// Plain text: printable ASCII and the accented Latin letters
// (U+00C0..U+023F), in a font without underline or strike-through.
// Anything else (controls, tabs, bidi, combining marks, fallback fonts)
// goes through a layout.
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
