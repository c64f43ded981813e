#pragma once
// Key codes and shift states as the controls report them in their key
// notifications (KeyDown, KeyPress, KeyUp), with the runtime's names.

#include "platform/vb/Types.h"

namespace controls {

// Key codes (the virtual-key codes of the window system).
inline constexpr vb::Integer vbKeyBack = 8;
inline constexpr vb::Integer vbKeyTab = 9;
inline constexpr vb::Integer vbKeyReturn = 13;
inline constexpr vb::Integer vbKeyShift = 16;
inline constexpr vb::Integer vbKeyControl = 17;
inline constexpr vb::Integer vbKeyMenu = 18;
inline constexpr vb::Integer vbKeyEscape = 27;
inline constexpr vb::Integer vbKeySpace = 32;
inline constexpr vb::Integer vbKeyEnd = 35;
inline constexpr vb::Integer vbKeyHome = 36;
inline constexpr vb::Integer vbKeyLeft = 37;
inline constexpr vb::Integer vbKeyUp = 38;
inline constexpr vb::Integer vbKeyRight = 39;
inline constexpr vb::Integer vbKeyDown = 40;
inline constexpr vb::Integer vbKeyDelete = 46;

// The Shift argument of KeyDown and KeyUp: a sum of these bits.
inline constexpr vb::Integer vbShiftMask = 1;
inline constexpr vb::Integer vbCtrlMask = 2;
inline constexpr vb::Integer vbAltMask = 4;

// The Shift argument for the keyboard's state right now.
[[nodiscard]] vb::Integer shift_state();

// The KeyAscii a key-press notification shows for a character: the code
// point itself up to 0x7FFF, the 16-bit two's complement of the rest of the
// basic plane (a negative number, as the runtime shows wide characters), and
// '?' (63) for a character beyond the basic plane, which 16 bits cannot hold.
[[nodiscard]] vb::Integer key_ascii_of(char32_t ch);

// The character a KeyAscii value stands for (the inverse for the basic
// plane); nothing for 0 and for a surrogate half.
[[nodiscard]] char32_t char_of_key_ascii(vb::Integer key_ascii);

} // namespace controls
