#include "platform/controls/KeyCodes.h"

#include <cstdint>

#include "platform/win/WindowManager.h"

namespace controls {

vb::Integer shift_state()
{
    const auto& wm = win::WindowManager::the();
    vb::Integer shift = 0;
    shift = static_cast<vb::Integer>(shift | (wm.key_is_down(win::VK_SHIFT) ? vbShiftMask : 0));
    shift = static_cast<vb::Integer>(shift | (wm.key_is_down(win::VK_CONTROL) ? vbCtrlMask : 0));
    shift = static_cast<vb::Integer>(shift | (wm.key_is_down(win::VK_MENU) ? vbAltMask : 0));
    return shift;
}

vb::Integer key_ascii_of(char32_t ch)
{
    if (ch > 0xFFFF) {
        return 63;
    }
    return static_cast<vb::Integer>(static_cast<std::uint16_t>(ch));
}

char32_t char_of_key_ascii(vb::Integer key_ascii)
{
    const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(key_ascii));
    if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF)) {
        return 0;
    }
    return unit;
}

} // namespace controls
