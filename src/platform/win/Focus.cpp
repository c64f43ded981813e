// Keyboard focus and enabling.
//
// SetFocus makes the new window the focus at once, then sends WM_KILLFOCUS
// (wParam = the new window) to the old one and, if the focus is still where
// it was put, WM_SETFOCUS (wParam = the old window) to the new one. A
// WM_KILLFOCUS handler that moves the focus elsewhere therefore stops the
// WM_SETFOCUS of the outer call, and GetFocus already shows the new window
// inside both handlers.
//
// Which window may take the focus: see can_take_focus. SetFocus on any other
// window returns 0 and changes nothing. A hidden window may hold the focus,
// so hiding or disabling a window around the focus window leaves the focus
// where it is. Only these move it:
// - hiding the focus window itself with ShowWindow: to its parent (after the
//   position notice), or nowhere for a top-level window;
// - disabling the focus window itself: nowhere (WM_KILLFOCUS, wParam 0);
// - destroying the focus window or a window around it: to the parent of the
//   window destroyed, before its WM_DESTROY.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// Tells on_focus_change where the focus is now. A copy: the listener may
// replace itself while it runs.
void notify_focus_change()
{
    const auto listener = WindowManager::the().on_focus_change;
    if (listener) {
        listener(detail::wm().focus);
    }
}

void drop_focus()
{
    auto& m = detail::wm();
    const HWND previous = m.focus;
    if (previous == 0) {
        return;
    }
    m.focus = 0;
    SendMessageA(previous, WM_KILLFOCUS, 0, 0);
    notify_focus_change();
}

// A child window placed on the desktop (WS_CHILD without WS_POPUP).
bool is_child_of_desktop(const Window& w)
{
    return w.parent == detail::wm().desktop && (w.style & WS_CHILD) != 0
        && (w.style & WS_POPUP) == 0;
}

} // namespace

bool detail::can_take_focus(HWND hwnd)
{
    auto& m = wm();
    if (hwnd == m.desktop) {
        return false;
    }
    for (const Window* w = m.find(hwnd); w != nullptr; w = m.find(w->parent)) {
        if (w->disabled() || is_child_of_desktop(*w)) {
            return false;
        }
    }
    return m.find(hwnd) != nullptr;
}

void detail::move_focus_out_of(HWND root)
{
    auto& m = wm();
    const Window* w = m.find(root);
    if (m.focus == 0 || w == nullptr || !within(root, m.focus)) {
        return;
    }
    // The desktop, a top-level window's parent, never takes it.
    if (can_take_focus(w->parent)) {
        SetFocus(w->parent);
    } else {
        drop_focus();
    }
}

// Returns the previous focus window; SetFocus(0) drops the focus.
HWND SetFocus(HWND hwnd)
{
    auto& m = detail::wm();
    const HWND previous = m.focus;
    if (hwnd == 0) {
        drop_focus();
        return previous;
    }
    if (!detail::can_take_focus(hwnd)) {
        return 0;
    }
    if (previous == hwnd) {
        return previous;
    }
    m.focus = hwnd;
    if (previous != 0) {
        SendMessageA(previous, WM_KILLFOCUS, static_cast<WPARAM>(hwnd), 0);
    }
    notify_focus_change();
    if (detail::wm().focus == hwnd) {
        SendMessageA(hwnd, WM_SETFOCUS, static_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus()
{
    return detail::wm().focus;
}

// Returns whether the window was disabled before. Disabling sends
// WM_CANCELMODE first (whose default handling releases a capture the window
// holds), then makes the change, drops the focus if the window itself holds
// it, and sends WM_ENABLE last. Enabling sends only WM_ENABLE.
BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    auto& m = detail::wm();
    const Window* w = m.find(hwnd);
    if (w == nullptr || hwnd == m.desktop) {
        return FALSE;
    }
    const BOOL was_disabled = w->disabled() ? TRUE : FALSE;
    const bool disable = enable == FALSE;
    if (w->disabled() == disable) {
        return was_disabled;
    }
    if (disable) {
        SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
    }
    Window* now = m.find(hwnd);
    if (now == nullptr || now->disabled() == disable) {
        return was_disabled;
    }
    now->style = disable ? (now->style | WS_DISABLED) : (now->style & ~WS_DISABLED);
    detail::invalidate(hwnd);
    if (disable && m.focus == hwnd) {
        drop_focus();
    }
    SendMessageA(hwnd, WM_ENABLE, disable ? FALSE : TRUE, 0);
    return was_disabled;
}

// The window's own flag, as on the platform (a window inside a disabled one
// still reads as enabled here, though it cannot take the focus).
BOOL IsWindowEnabled(HWND hwnd)
{
    const Window* w = detail::wm().find(hwnd);
    return (w != nullptr && !w->disabled()) ? TRUE : FALSE;
}

} // namespace win
