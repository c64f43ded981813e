// The system colour table: the classic grey desktop scheme.
#include <array>

#include "platform/gfx/Color.h"

namespace gfx {

namespace {

constexpr std::array<COLORREF, COLOR_COUNT> k_system_colors{
    RGB(0xC0, 0xC0, 0xC0), // COLOR_SCROLLBAR
    RGB(0x00, 0x80, 0x80), // COLOR_BACKGROUND
    RGB(0x00, 0x00, 0x80), // COLOR_ACTIVECAPTION
    RGB(0x80, 0x80, 0x80), // COLOR_INACTIVECAPTION
    RGB(0xC0, 0xC0, 0xC0), // COLOR_MENU
    RGB(0xFF, 0xFF, 0xFF), // COLOR_WINDOW
    RGB(0x00, 0x00, 0x00), // COLOR_WINDOWFRAME
    RGB(0x00, 0x00, 0x00), // COLOR_MENUTEXT
    RGB(0x00, 0x00, 0x00), // COLOR_WINDOWTEXT
    RGB(0xFF, 0xFF, 0xFF), // COLOR_CAPTIONTEXT
    RGB(0xC0, 0xC0, 0xC0), // COLOR_ACTIVEBORDER
    RGB(0xC0, 0xC0, 0xC0), // COLOR_INACTIVEBORDER
    RGB(0x80, 0x80, 0x80), // COLOR_APPWORKSPACE
    RGB(0x00, 0x00, 0x80), // COLOR_HIGHLIGHT
    RGB(0xFF, 0xFF, 0xFF), // COLOR_HIGHLIGHTTEXT
    RGB(0xC0, 0xC0, 0xC0), // COLOR_BTNFACE
    RGB(0x80, 0x80, 0x80), // COLOR_BTNSHADOW
    RGB(0x80, 0x80, 0x80), // COLOR_GRAYTEXT
    RGB(0x00, 0x00, 0x00), // COLOR_BTNTEXT
    RGB(0xC0, 0xC0, 0xC0), // COLOR_INACTIVECAPTIONTEXT
    RGB(0xFF, 0xFF, 0xFF), // COLOR_BTNHIGHLIGHT
    RGB(0x00, 0x00, 0x00), // COLOR_3DDKSHADOW
    RGB(0xDF, 0xDF, 0xDF), // COLOR_3DLIGHT
    RGB(0x00, 0x00, 0x00), // COLOR_INFOTEXT
    RGB(0xFF, 0xFF, 0xE1), // COLOR_INFOBK
};

} // namespace

std::optional<COLORREF> GetSysColor(int index)
{
    if (index < 0 || index >= COLOR_COUNT)
        return std::nullopt;
    return k_system_colors[static_cast<std::size_t>(index)];
}

} // namespace gfx
