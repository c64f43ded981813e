#pragma once
// The platform's virtual-key codes for the keys SDL reports, by SDL key
// code (the key's meaning in the keyboard layout, so a letter is its own
// key whatever its place): letters and digits their upper-case ASCII code,
// the left and right Shift, Ctrl and Alt keys one code each, the keypad's
// keys their own codes.

#include <cstdint>

namespace present {

// SDL_Keycode is a 32-bit signed number.
using SdlKey = std::int32_t;

// 0 for a key that has no code here.
[[nodiscard]] int virtual_key(SdlKey key);
// The SDL key code of a virtual-key code (the first, for the codes of two
// keys); 0 for none.
[[nodiscard]] SdlKey sdl_key(int vk);

// The character a key down makes on the platform without a text event:
// Backspace 8, Tab 9, Enter 13, Escape 27, and Ctrl with a letter its
// control character (Ctrl+A 1 ... Ctrl+Z 26); 0 for anything else.
[[nodiscard]] char32_t key_character(int vk, bool ctrl);

} // namespace present
