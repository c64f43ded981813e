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

int line_height(const Font& font, int dpi)
{
    return measure_text(font, {}, dpi).height;
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
