// Rectangles and points in screen pixels. A window's rectangle is kept in its
// parent's client coordinates; the client area lies inside it by the border
// width on every side.

#include <algorithm>

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

POINT window_origin(const Window& window)
{
    const Window* parent = detail::wm().find(window.parent);
    const POINT base = parent == nullptr ? POINT{} : detail::client_origin(*parent);
    return POINT{base.x + window.rect.left, base.y + window.rect.top};
}

// The deepest shown child of window (window itself if none) under the point;
// a child is only found through its parent's client area.
HWND deepest_under(const Window& window, POINT screen)
{
    auto& m = detail::wm();
    const RECT client = detail::client_rect_on_screen(window);
    if (PtInRect(&client, screen) == FALSE) {
        return window.handle;
    }
    for (std::size_t i = window.children.size(); i-- > 0;) {
        const Window* child = m.find(window.children[i]);
        if (child == nullptr || !child->shown()) {
            continue;
        }
        const RECT outer = detail::window_rect_on_screen(*child);
        if (PtInRect(&outer, screen) != FALSE) {
            return deepest_under(*child, screen);
        }
    }
    return window.handle;
}

} // namespace

POINT detail::client_origin(const Window& window)
{
    const POINT origin = window_origin(window);
    const int border = window.border_width();
    return POINT{origin.x + border, origin.y + border};
}

RECT detail::window_rect_on_screen(const Window& window)
{
    const POINT origin = window_origin(window);
    return RECT{
        origin.x, origin.y, origin.x + window.rect.width(), origin.y + window.rect.height()};
}

RECT detail::client_rect_on_screen(const Window& window)
{
    const POINT origin = client_origin(window);
    const int border = window.border_width();
    const int width = std::max(0, window.rect.width() - 2 * border);
    const int height = std::max(0, window.rect.height() - 2 * border);
    return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

// Window coordinates travel in 16-bit message words, so they stay in that
// range, as the platform keeps them.
RECT detail::clamp_rect(int x, int y, int width, int height)
{
    const int left = std::clamp(x, -32768, 32767);
    const int top = std::clamp(y, -32768, 32767);
    return RECT{left, top, left + std::clamp(width, 0, 32767), top + std::clamp(height, 0, 32767)};
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = detail::window_rect_on_screen(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    const RECT client = detail::client_rect_on_screen(*w);
    *rect = RECT{0, 0, client.width(), client.height()};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    const POINT origin = detail::client_origin(*w);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr || point == nullptr) {
        return FALSE;
    }
    const POINT origin = detail::client_origin(*w);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

// The right and bottom edges lie outside.
BOOL PtInRect(const RECT* rect, POINT point)
{
    if (rect == nullptr) {
        return FALSE;
    }
    const bool inside = point.x >= rect->left && point.x < rect->right && point.y >= rect->top
        && point.y < rect->bottom;
    return inside ? TRUE : FALSE;
}

// The deepest shown window under the point, disabled ones included: the
// top-level windows from the top (top-most first), then down through the
// children whose parents' client areas hold the point. 0 over the bare
// desktop. NOTE: no WM_NCHITTEST is sent, so this never dispatches and a
// window answering HTTRANSPARENT is not looked through.
HWND WindowFromPoint(POINT point)
{
    auto& m = detail::wm();
    const auto& top_level = m.desktop_window().children;
    for (std::size_t i = top_level.size(); i-- > 0;) {
        const Window* w = m.find(top_level[i]);
        if (w == nullptr || !w->shown()) {
            continue;
        }
        const RECT outer = detail::window_rect_on_screen(*w);
        if (PtInRect(&outer, point) != FALSE) {
            return deepest_under(*w, point);
        }
    }
    return 0;
}

} // namespace win
