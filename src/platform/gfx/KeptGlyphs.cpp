// The glyph cache: each glyph of a font drawn once, alone, as Cairo draws
// it on a whole pixel, and texts' coverage added up from those images.
#include "platform/gfx/KeptGlyphs.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gfx::detail {

namespace {

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

} // namespace

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

} // namespace gfx::detail
