#include "platform/present/Input.h"

#include <SDL.h>
#include <glib.h>

#include <cstdlib>

#include "platform/present/KeyMap.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace present {

namespace {

constexpr int k_wheel_delta = 120;

} // namespace

bool DoubleClick::press(win::POINT at, std::uint32_t milliseconds)
{
    const int half_x = win::GetSystemMetrics(win::SM_CXDOUBLECLK) / 2;
    const int half_y = win::GetSystemMetrics(win::SM_CYDOUBLECLK) / 2;
    const bool second = m_first && milliseconds - m_first->time <= win::GetDoubleClickTime()
        && std::abs(at.x - m_first->at.x) <= half_x && std::abs(at.y - m_first->at.y) <= half_y;
    if (second)
        m_first.reset();
    else
        m_first = Press{at, milliseconds};
    return second;
}

win::POINT InputTranslator::screen_point(int x, int y) const
{
    return {x / m_scale, y / m_scale};
}

void InputTranslator::handle(const SDL_Event& event)
{
    auto& wm = win::WindowManager::the();
    switch (event.type) {
    case SDL_MOUSEMOTION:
        wm.inject_mouse_move(screen_point(event.motion.x, event.motion.y));
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return on_button(event, event.type == SDL_MOUSEBUTTONDOWN);
    case SDL_MOUSEWHEEL: {
        win::POINT at{};
        win::GetCursorPos(&at);
        const int notches
            = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches != 0)
            wm.inject_wheel(at, notches * k_wheel_delta);
        return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return on_key(event, event.type == SDL_KEYDOWN);
    case SDL_TEXTINPUT:
        return on_text(event.text.text);
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            release_keys();
        return;
    default:
        return;
    }
}

void InputTranslator::on_button(const SDL_Event& event, bool down)
{
    const Uint8 button = event.button.button;
    if (button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT)
        return;
    auto& wm = win::WindowManager::the();
    const win::POINT at = screen_point(event.button.x, event.button.y);
    const bool right = button == SDL_BUTTON_RIGHT;
    if (!down) {
        wm.inject_button_up(at, right);
        return;
    }
    if (right) {
        m_double_click.reset();
        wm.inject_button_down(at, true);
    } else if (m_double_click.press(at, event.button.timestamp)) {
        wm.inject_second_press(at);
    } else {
        wm.inject_button_down(at);
    }
}

void InputTranslator::on_key(const SDL_Event& event, bool down)
{
    const int vk = virtual_key(event.key.keysym.sym);
    if (vk == 0)
        return;
    auto& wm = win::WindowManager::the();
    if (!down) {
        wm.inject_key_up(vk);
        return;
    }
    m_double_click.reset();
    wm.inject_key_down(vk);
    const bool ctrl = (event.key.keysym.mod & KMOD_CTRL) != 0;
    if (const char32_t ch = key_character(vk, ctrl); ch != 0)
        wm.inject_char(ch);
}

void InputTranslator::on_text(const char* utf8)
{
    auto& wm = win::WindowManager::the();
    for (const char* p = utf8; *p != '\0'; p = g_utf8_next_char(p)) {
        const gunichar ch = g_utf8_get_char_validated(p, -1);
        if (ch != 0 && ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF))
            wm.inject_char(static_cast<char32_t>(ch));
    }
}

void InputTranslator::release_keys()
{
    auto& wm = win::WindowManager::the();
    for (int vk = 1; vk <= 254; ++vk) {
        if (wm.key_is_down(vk))
            wm.inject_key_up(vk);
    }
}

} // namespace present
