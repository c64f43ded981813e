// The default procedure: what a window does with a message its own procedure
// passes on.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// HTCLIENT inside the client area, HTBORDER between it and the window's
// edge, HTNOWHERE outside the window.
LRESULT hit_test(HWND hwnd, POINT screen)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr) {
        return HTNOWHERE;
    }
    const RECT outer = detail::window_rect_on_screen(*w);
    if (PtInRect(&outer, screen) == FALSE) {
        return HTNOWHERE;
    }
    const RECT client = detail::client_rect_on_screen(*w);
    return PtInRect(&client, screen) != FALSE ? HTCLIENT : HTBORDER;
}

void on_window_pos_changed(HWND hwnd, const WINDOWPOS* pos)
{
    if (pos == nullptr) {
        return;
    }
    if ((pos->flags & SWP_NOMOVE) == 0) {
        detail::send_move(hwnd);
    }
    if ((pos->flags & SWP_NOSIZE) == 0) {
        detail::send_size(hwnd);
    }
}

} // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCHITTEST:
        return hit_test(hwnd, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    case WM_SETTEXT:
        return detail::set_text(hwnd, reinterpret_cast<const char*>(lparam));
    case WM_GETTEXT:
        return detail::copy_text(hwnd, wparam, reinterpret_cast<char*>(lparam));
    case WM_GETTEXTLENGTH:
        return detail::text_length(hwnd);
    case WM_WINDOWPOSCHANGED:
        on_window_pos_changed(hwnd, reinterpret_cast<const WINDOWPOS*>(lparam));
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        return 0;
    default:
        return 0;
    }
}

// The client area's size.
void detail::send_size(HWND hwnd)
{
    const Window* w = wm().find(hwnd);
    if (w == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// The client area's top-left corner in the parent's client coordinates
// (screen coordinates for a top-level window).
void detail::send_move(HWND hwnd)
{
    const Window* w = wm().find(hwnd);
    if (w == nullptr) {
        return;
    }
    const int border = w->border_width();
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + border, w->rect.top + border));
}

} // namespace win
