#pragma once
// The screen object: the display of the calling thread's window manager in
// twips, and the mouse pointer shape the application asks for.

#include "platform/vb/Types.h"

namespace host {

// Mouse pointer shapes (0 default ... 15 size all, 99 custom).
inline constexpr vb::Integer vbDefault = 0;
inline constexpr vb::Integer vbArrow = 1;
inline constexpr vb::Integer vbHourglass = 11;
inline constexpr vb::Integer vbCustom = 99;

class Screen {
public:
    // The calling thread's screen object.
    static Screen& the();

    // 1440 / dpi: 15 at 96 dpi.
    [[nodiscard]] vb::Single get_TwipsPerPixelX() const;
    [[nodiscard]] vb::Single get_TwipsPerPixelY() const;
    // The display's size in twips.
    [[nodiscard]] vb::Single get_Width() const;
    [[nodiscard]] vb::Single get_Height() const;

    // Raises 380 for a shape other than 0..15 and 99. Headless nothing shows
    // the pointer; the value is kept for whoever asks.
    [[nodiscard]] vb::Integer get_MousePointer() const { return m_mouse_pointer; }
    void let_MousePointer(vb::Integer New_MousePointer);

private:
    vb::Integer m_mouse_pointer = vbDefault;
};

} // namespace host
