#include "platform/present/KeyMap.h"

#include <SDL_keycode.h>

#include <array>

namespace present {

namespace {

struct KeyRow {
    SdlKey sdl;
    int vk;
};

// Keys whose code is not their ASCII value.
constexpr std::array k_keys{
    KeyRow{SDLK_BACKSPACE, 0x08},
    KeyRow{SDLK_TAB, 0x09},
    KeyRow{SDLK_RETURN, 0x0D},
    KeyRow{SDLK_KP_ENTER, 0x0D},
    KeyRow{SDLK_LSHIFT, 0x10},
    KeyRow{SDLK_RSHIFT, 0x10},
    KeyRow{SDLK_LCTRL, 0x11},
    KeyRow{SDLK_RCTRL, 0x11},
    KeyRow{SDLK_LALT, 0x12},
    KeyRow{SDLK_RALT, 0x12},
    KeyRow{SDLK_PAUSE, 0x13},
    KeyRow{SDLK_CAPSLOCK, 0x14},
    KeyRow{SDLK_ESCAPE, 0x1B},
    KeyRow{SDLK_SPACE, 0x20},
    KeyRow{SDLK_PAGEUP, 0x21},
    KeyRow{SDLK_PAGEDOWN, 0x22},
    KeyRow{SDLK_END, 0x23},
    KeyRow{SDLK_HOME, 0x24},
    KeyRow{SDLK_LEFT, 0x25},
    KeyRow{SDLK_UP, 0x26},
    KeyRow{SDLK_RIGHT, 0x27},
    KeyRow{SDLK_DOWN, 0x28},
    KeyRow{SDLK_INSERT, 0x2D},
    KeyRow{SDLK_DELETE, 0x2E},
    KeyRow{SDLK_LGUI, 0x5B},
    KeyRow{SDLK_RGUI, 0x5C},
    KeyRow{SDLK_APPLICATION, 0x5D},
    KeyRow{SDLK_KP_MULTIPLY, 0x6A},
    KeyRow{SDLK_KP_PLUS, 0x6B},
    KeyRow{SDLK_KP_MINUS, 0x6D},
    KeyRow{SDLK_KP_PERIOD, 0x6E},
    KeyRow{SDLK_KP_DIVIDE, 0x6F},
    KeyRow{SDLK_NUMLOCKCLEAR, 0x90},
    KeyRow{SDLK_SCROLLLOCK, 0x91},
    KeyRow{SDLK_SEMICOLON, 0xBA},
    KeyRow{SDLK_EQUALS, 0xBB},
    KeyRow{SDLK_COMMA, 0xBC},
    KeyRow{SDLK_MINUS, 0xBD},
    KeyRow{SDLK_PERIOD, 0xBE},
    KeyRow{SDLK_SLASH, 0xBF},
    KeyRow{SDLK_BACKQUOTE, 0xC0},
    KeyRow{SDLK_LEFTBRACKET, 0xDB},
    KeyRow{SDLK_BACKSLASH, 0xDC},
    KeyRow{SDLK_RIGHTBRACKET, 0xDD},
    KeyRow{SDLK_QUOTE, 0xDE},
};

constexpr int k_vk_numpad0 = 0x60;
constexpr int k_vk_f1 = 0x70;

} // namespace

int virtual_key(SdlKey key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return key;
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return k_vk_f1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return k_vk_numpad0 + 1 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0)
        return k_vk_numpad0;
    for (const auto& row : k_keys) {
        if (row.sdl == key)
            return row.vk;
    }
    return 0;
}

SdlKey sdl_key(int vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return SDLK_a + (vk - 'A');
    if (vk >= '0' && vk <= '9')
        return vk;
    if (vk >= k_vk_f1 && vk < k_vk_f1 + 12)
        return SDLK_F1 + (vk - k_vk_f1);
    if (vk == k_vk_numpad0)
        return SDLK_KP_0;
    if (vk > k_vk_numpad0 && vk <= k_vk_numpad0 + 9)
        return SDLK_KP_1 + (vk - k_vk_numpad0 - 1);
    for (const auto& row : k_keys) {
        if (row.vk == vk)
            return row.sdl;
    }
    return 0;
}

char32_t key_character(int vk, bool ctrl)
{
    switch (vk) {
    case 0x08:
    case 0x09:
    case 0x0D:
    case 0x1B:
        return static_cast<char32_t>(vk);
    default:
        break;
    }
    if (ctrl && vk >= 'A' && vk <= 'Z')
        return static_cast<char32_t>(vk - 'A' + 1);
    return 0;
}

} // namespace present
