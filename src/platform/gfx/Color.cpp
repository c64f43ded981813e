#include "platform/gfx/Color.h"

#include "platform/vb/Error.h"

namespace gfx {

namespace {

std::optional<Rgb> try_translate(OLE_COLOR color)
{
    if ((color & 0xFF000000u) == 0)
        return rgb_of(color);
    if ((color & 0xFF000000u) != 0x80000000u || (color & 0x00FFFF00u) != 0)
        return std::nullopt;
    auto sys = GetSysColor(static_cast<int>(color & 0xFFu));
    if (!sys)
        return std::nullopt;
    return rgb_of(*sys);
}

} // namespace

bool is_valid_color(OLE_COLOR color)
{
    return try_translate(color).has_value();
}

Rgb translate_color(OLE_COLOR color)
{
    if (auto rgb = try_translate(color))
        return *rgb;
    vb::raise(vb::err::InvalidPropertyValue, "OleTranslateColor");
}

Rgb paint_color(OLE_COLOR color) noexcept
{
    return try_translate(color).value_or(Rgb{});
}

} // namespace gfx
