// Input injection: what a pointing device and a keyboard would report. Each
// call updates the device state at once (GetCursorPos, key_is_down, the
// button state of later mouse messages) and queues the event; PumpMessages
// turns it into window messages (InputRouting.cpp).

#include "platform/vb/Error.h"
#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

using Kind = InputEvent::Kind;

WPARAM mouse_keys(const WindowManager::Impl& m)
{
    WPARAM keys = 0;
    keys |= m.left_down ? MK_LBUTTON : 0;
    keys |= m.right_down ? MK_RBUTTON : 0;
    keys |= m.keys[VK_SHIFT] ? MK_SHIFT : 0;
    keys |= m.keys[VK_CONTROL] ? MK_CONTROL : 0;
    return keys;
}

void queue_mouse(WindowManager::Impl& m, Kind kind, POINT screen, bool right = false, int delta = 0)
{
    m.cursor = screen;
    InputEvent event;
    event.kind = kind;
    event.point = screen;
    event.right = right;
    event.keys = mouse_keys(m);
    event.delta = delta;
    m.input.push_back(event);
}

void check_key(int vk, const char* source)
{
    if (vk < 1 || vk > 254) {
        vb::raise(vb::err::InvalidProcedureCall, "A virtual-key code is 1 to 254", source);
    }
}

} // namespace

void WindowManager::inject_mouse_move(POINT screen)
{
    queue_mouse(*m_impl, Kind::mouse_move, screen);
}

void WindowManager::inject_button_down(POINT screen, bool right)
{
    (right ? m_impl->right_down : m_impl->left_down) = true;
    queue_mouse(*m_impl, Kind::button_down, screen, right);
}

void WindowManager::inject_button_up(POINT screen, bool right)
{
    (right ? m_impl->right_down : m_impl->left_down) = false;
    queue_mouse(*m_impl, Kind::button_up, screen, right);
}

// The whole gesture, as the platform reports it: a press, a release, the
// second press as a double click, a release.
void WindowManager::inject_double_click(POINT screen)
{
    inject_button_down(screen);
    inject_button_up(screen);
    inject_second_press(screen);
    inject_button_up(screen);
}

void WindowManager::inject_second_press(POINT screen)
{
    m_impl->left_down = true;
    queue_mouse(*m_impl, Kind::double_click, screen);
}

void WindowManager::inject_wheel(POINT screen, int delta)
{
    queue_mouse(*m_impl, Kind::wheel, screen, false, delta);
}

void WindowManager::inject_key_down(int vk)
{
    check_key(vk, "WindowManager.inject_key_down");
    InputEvent event;
    event.kind = Kind::key_down;
    event.vk = vk;
    event.was_down = m_impl->keys[static_cast<std::size_t>(vk)];
    m_impl->keys[static_cast<std::size_t>(vk)] = true;
    m_impl->input.push_back(event);
}

void WindowManager::inject_key_up(int vk)
{
    check_key(vk, "WindowManager.inject_key_up");
    InputEvent event;
    event.kind = Kind::key_up;
    event.vk = vk;
    m_impl->keys[static_cast<std::size_t>(vk)] = false;
    m_impl->input.push_back(event);
}

// WM_CHAR carries the whole Unicode code point in wParam.
void WindowManager::inject_char(char32_t ch)
{
    if (ch == 0 || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        vb::raise(
            vb::err::InvalidProcedureCall, "Not a Unicode character", "WindowManager.inject_char");
    }
    InputEvent event;
    event.kind = Kind::character;
    event.ch = ch;
    m_impl->input.push_back(event);
}

bool WindowManager::key_is_down(int vk) const
{
    return vk >= 1 && vk <= 254 && m_impl->keys[static_cast<std::size_t>(vk)];
}

// The last injected point.
BOOL GetCursorPos(POINT* point)
{
    if (point == nullptr) {
        return FALSE;
    }
    *point = detail::wm().cursor;
    return TRUE;
}

} // namespace win
