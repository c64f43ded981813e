// Turning queued input into window messages, at the moment the pump
// delivers it.
//
// Mouse:
// 1. While a window holds the capture, it gets every mouse message, in its
//    client coordinates (negative or beyond its size when the pointer is
//    outside it).
// 2. Otherwise the deepest window under the point (WindowFromPoint) is the
//    target; inside a disabled window the input goes to the window around
//    the outermost disabled one, and over the bare desktop nowhere.
// 3. The target is asked where the point lies (WM_NCHITTEST, screen point).
// 4. HTCLIENT gives the client message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...)
//    in client coordinates with the MK_* state in wParam; any other answer
//    gives the non-client message (WM_NCMOUSEMOVE, ...) with the hit-test
//    code in wParam and the screen point.
// Coordinates are packed with MAKELPARAM, two 16-bit words, so negative
// values arrive as their 16-bit two's complement.
//
// The wheel goes to the focus window, else to the window under the point.
// Keys go to the focus window (nowhere without one). A character injected
// right after a key down is translated with it, as TranslateMessage does: it
// is posted when the key down is delivered, so WM_CHAR follows WM_KEYDOWN
// before any later input.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

using Kind = InputEvent::Kind;
using Delivery = WindowManager::Delivery;

struct MouseMessages {
    UINT client = 0;
    UINT nonclient = 0;
};

MouseMessages messages_for(const InputEvent& e)
{
    switch (e.kind) {
    case Kind::button_down:
        return e.right ? MouseMessages{WM_RBUTTONDOWN, WM_NCRBUTTONDOWN}
                       : MouseMessages{WM_LBUTTONDOWN, WM_NCLBUTTONDOWN};
    case Kind::button_up:
        return e.right ? MouseMessages{WM_RBUTTONUP, WM_NCRBUTTONUP}
                       : MouseMessages{WM_LBUTTONUP, WM_NCLBUTTONUP};
    case Kind::double_click:
        return MouseMessages{WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK};
    default:
        return MouseMessages{WM_MOUSEMOVE, WM_NCMOUSEMOVE};
    }
}

HWND enabled_target(HWND hwnd)
{
    auto& m = detail::wm();
    HWND target = hwnd;
    for (const Window* w = m.find(hwnd); w != nullptr && w->handle != m.desktop;
         w = m.find(w->parent)) {
        if (w->disabled()) {
            target = w->parent;
        }
    }
    return target == m.desktop ? 0 : target;
}

int delivered(std::optional<LRESULT> result)
{
    return result ? 1 : 0;
}

int deliver_client(HWND hwnd, UINT msg, const InputEvent& e)
{
    POINT p = e.point;
    if (ScreenToClient(hwnd, &p) == FALSE) {
        return 0;
    }
    return delivered(detail::deliver(hwnd, msg, e.keys, MAKELPARAM(p.x, p.y), Delivery::input));
}

int deliver_mouse(const InputEvent& e)
{
    const MouseMessages messages = messages_for(e);
    // 1. The capture.
    if (const HWND holder = detail::wm().capture; holder != 0) {
        return deliver_client(holder, messages.client, e);
    }
    // 2. The window under the point.
    const HWND target = enabled_target(WindowFromPoint(e.point));
    if (target == 0) {
        return 0;
    }
    // 3. Where in it.
    const LPARAM screen = MAKELPARAM(e.point.x, e.point.y);
    const LRESULT hit = SendMessageA(target, WM_NCHITTEST, 0, screen);
    // 4. Client or non-client message.
    if (hit == HTCLIENT) {
        return deliver_client(target, messages.client, e);
    }
    return delivered(detail::deliver(
        target, messages.nonclient, static_cast<WPARAM>(hit), screen, Delivery::input));
}

int deliver_wheel(const InputEvent& e)
{
    HWND target = detail::wm().focus;
    if (target == 0) {
        target = enabled_target(WindowFromPoint(e.point));
    }
    const WPARAM wparam = MAKEWPARAM(static_cast<int>(e.keys), e.delta);
    return delivered(detail::deliver(
        target, WM_MOUSEWHEEL, wparam, MAKELPARAM(e.point.x, e.point.y), Delivery::input));
}

int deliver_key(const InputEvent& e)
{
    auto& m = detail::wm();
    const HWND target = m.focus;
    if (e.kind == Kind::key_down && !m.input.empty() && m.input.front().kind == Kind::character) {
        const char32_t ch = m.input.front().ch;
        m.input.pop_front();
        PostMessageA(target, WM_CHAR, static_cast<WPARAM>(ch), 1);
    }
    // lParam: repeat count 1; bit 30 the key was down before, bit 31 released.
    const LPARAM down = 1 | (e.was_down ? (LPARAM{1} << 30) : 0);
    const LPARAM up = static_cast<LPARAM>(0xC0000001U);
    const bool is_down = e.kind == Kind::key_down;
    return delivered(detail::deliver(target, is_down ? WM_KEYDOWN : WM_KEYUP,
        static_cast<WPARAM>(e.vk), is_down ? down : up, Delivery::input));
}

} // namespace

int detail::deliver_input(const InputEvent& event)
{
    switch (event.kind) {
    case Kind::key_down:
    case Kind::key_up:
        return deliver_key(event);
    case Kind::character:
        return delivered(
            deliver(wm().focus, WM_CHAR, static_cast<WPARAM>(event.ch), 1, Delivery::input));
    case Kind::wheel:
        return deliver_wheel(event);
    default:
        return deliver_mouse(event);
    }
}

} // namespace win
