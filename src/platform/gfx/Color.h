#pragma once
// Colours as the platform passes them: OLE_COLOR values, either an explicit
// colour 0x00BBGGRR or 0x80000000 plus a system colour index. The system
// colours are the classic grey desktop look; their table lives in
// SystemColors.cpp.

#include <cstdint>
#include <optional>

namespace gfx {

using OLE_COLOR = std::uint32_t;
using COLORREF = std::uint32_t; // 0x00BBGGRR

// System colour indices (the low byte of a system OLE_COLOR).
inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_COUNT = 25;

inline constexpr OLE_COLOR system_color(int index)
{
    return 0x80000000u | static_cast<OLE_COLOR>(index);
}

// The system colours the controls use most, as OLE_COLOR values.
inline constexpr OLE_COLOR vbButtonFace = system_color(COLOR_BTNFACE); // 0x8000000F
inline constexpr OLE_COLOR vbButtonText = system_color(COLOR_BTNTEXT); // 0x80000012
inline constexpr OLE_COLOR vbWindowBackground = system_color(COLOR_WINDOW);
inline constexpr OLE_COLOR vbWindowText = system_color(COLOR_WINDOWTEXT);
inline constexpr OLE_COLOR vbHighlight = system_color(COLOR_HIGHLIGHT);
inline constexpr OLE_COLOR vbHighlightText = system_color(COLOR_HIGHLIGHTTEXT);
inline constexpr OLE_COLOR vbGrayText = system_color(COLOR_GRAYTEXT);
inline constexpr OLE_COLOR vbButtonShadow = system_color(COLOR_BTNSHADOW);
inline constexpr OLE_COLOR vb3DHighlight = system_color(COLOR_BTNHIGHLIGHT);
inline constexpr OLE_COLOR vb3DDKShadow = system_color(COLOR_3DDKSHADOW);
inline constexpr OLE_COLOR vb3DLight = system_color(COLOR_3DLIGHT);
inline constexpr OLE_COLOR vbWindowFrame = system_color(COLOR_WINDOWFRAME);

// An explicit colour from its parts, as 0x00BBGGRR.
inline constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The colour of a system colour index; nothing for an unknown index.
[[nodiscard]] std::optional<COLORREF> GetSysColor(int index);

// True for 0x00BBGGRR and for 0x80000000 plus a known system index.
[[nodiscard]] bool is_valid_color(OLE_COLOR color);

// The RGB colour an OLE_COLOR stands for; raises 380 "Invalid property
// value" for a value that is neither form (a setter validates with it).
[[nodiscard]] Rgb translate_color(OLE_COLOR color);

// As translate_color, but black for an invalid value: painting never fails
// because of a colour a setter should have refused.
[[nodiscard]] Rgb paint_color(OLE_COLOR color) noexcept;

[[nodiscard]] constexpr Rgb rgb_of(COLORREF c)
{
    return Rgb{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
        static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

} // namespace gfx
