#include "platform/gfx/TextMetrics.h"

#include <cstdlib>

#include "platform/gfx/PangoText.h"
#include "platform/gfx/Units.h"
#include "platform/gfx/Utf8.h"

namespace gfx {

TextSize measure_text(const Font& font, std::string_view text, int dpi)
{
    auto valid = valid_utf8(text);
    auto layout = detail::make_layout(detail::measuring_context(dpi), font, valid);
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return TextSize{logical.width, logical.height};
}

TextSize measure_text(const Font& font, std::string_view text)
{
    return measure_text(font, text, display_dpi());
}

// The same few fonts are asked for on every paint: each thread keeps the
// last k_kept heights it measured.
int line_height(const Font& font, int dpi)
{
    struct Known {
        Font font;
        int dpi = 0;
        int height = 0;
    };
    constexpr std::size_t k_kept = 16;
    thread_local std::vector<Known> known;
    for (const Known& k : known) {
        if (k.dpi == dpi && k.font == font)
            return k.height;
    }
    const int height = measure_text(font, {}, dpi).height;
    if (known.size() >= k_kept)
        known.erase(known.begin());
    known.push_back({font, dpi, height});
    return height;
}

double text_width_twips(const Font& font, std::string_view text)
{
    int dpi = display_dpi();
    return measure_text(font, text, dpi).width * twips_per_pixel(dpi);
}

double text_height_twips(const Font& font, std::string_view text)
{
    int dpi = display_dpi();
    return measure_text(font, text, dpi).height * twips_per_pixel(dpi);
}

std::vector<int> caret_offsets(const Font& font, std::string_view text, int dpi)
{
    auto valid = valid_utf8(text);
    auto layout = detail::make_layout(detail::measuring_context(dpi), font, valid);
    std::vector<int> offsets;
    offsets.reserve(valid.size() + 1);
    const char* begin = valid.c_str();
    const char* end = begin + valid.size();
    for (const char* p = begin; p < end; p = g_utf8_next_char(p)) {
        PangoRectangle pos{};
        pango_layout_index_to_pos(layout.get(), static_cast<int>(p - begin), &pos);
        offsets.push_back(PANGO_PIXELS(pos.x));
    }
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    offsets.push_back(logical.width);
    return offsets;
}

CaretLine::CaretLine(const Font& font, std::string_view text, int dpi)
{
    const std::string valid = valid_utf8(text);
    m_layout.reset(detail::make_layout(detail::measuring_context(dpi), font, valid).release());
    const char* begin = valid.c_str();
    const char* end = begin + valid.size();
    for (const char* p = begin; p < end; p = g_utf8_next_char(p))
        m_bytes.push_back(static_cast<int>(p - begin));
    m_bytes.push_back(static_cast<int>(valid.size()));
    PangoRectangle logical{};
    pango_layout_get_pixel_extents(m_layout.get(), nullptr, &logical);
    m_width = logical.width;
}

int CaretLine::offset(int index) const
{
    if (index >= length())
        return m_width;
    PangoRectangle pos{};
    pango_layout_index_to_pos(m_layout.get(), m_bytes[static_cast<std::size_t>(index)], &pos);
    return PANGO_PIXELS(pos.x);
}

void CaretLine::LayoutDeleter::operator()(PangoLayout* layout) const
{
    g_object_unref(layout);
}

int char_index_at(const Font& font, std::string_view text, int x, int dpi)
{
    auto offsets = caret_offsets(font, text, dpi);
    int best = 0;
    for (int i = 1; i < static_cast<int>(offsets.size()); ++i) {
        if (std::abs(offsets[static_cast<std::size_t>(i)] - x)
            < std::abs(offsets[static_cast<std::size_t>(best)] - x))
            best = i;
    }
    return best;
}

} // namespace gfx
