// Keyboard focus and enabling.
//
// SetFocus makes the new window the focus at once, then sends WM_KILLFOCUS
// (wParam = the new window) to the old one and, if the focus is still where
// it was put, WM_SETFOCUS (wParam = the old window) to the new one. A
// WM_KILLFOCUS handler that moves the focus elsewhere therefore stops the
// WM_SETFOCUS of the outer call, and GetFocus already shows the new window
// inside both handlers.
//
// A window takes the focus only while it is visible and neither it nor a
// window around it is disabled; SetFocus on any other window returns 0 and
// changes nothing. Hiding, disabling, destroying or re-parenting that makes
// the focus window unable to hold the focus drops it: the focus becomes 0
// and the window gets WM_KILLFOCUS with wParam 0.

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

} // namespace

bool detail::can_take_focus(HWND hwnd)
{
    auto& m = wm();
    if (hwnd == m.desktop || IsWindowVisible(hwnd) == FALSE) {
        return false;
    }
    for (const Window* w = m.find(hwnd); w != nullptr; w = m.find(w->parent)) {
        if (w->disabled()) {
            return false;
        }
    }
    return true;
}

void detail::drop_focus_within(HWND root)
{
    const HWND focus = wm().focus;
    if (focus != 0 && within(root, focus)) {
        drop_focus();
    }
}

void detail::drop_focus_if_lost()
{
    const HWND focus = wm().focus;
    if (focus != 0 && !can_take_focus(focus)) {
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
    if (m.find(hwnd) == nullptr || !detail::can_take_focus(hwnd)) {
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

// Returns whether the window was disabled before. The change is made first;
// disabling then drops a focus held inside; WM_ENABLE comes last.
BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    auto& m = detail::wm();
    Window* w = m.find(hwnd);
    if (w == nullptr || hwnd == m.desktop) {
        return FALSE;
    }
    const bool was_disabled = w->disabled();
    const bool disable = enable == FALSE;
    if (was_disabled == disable) {
        return was_disabled ? TRUE : FALSE;
    }
    w->style = disable ? (w->style | WS_DISABLED) : (w->style & ~WS_DISABLED);
    detail::invalidate(hwnd);
    if (disable) {
        detail::drop_focus_if_lost();
    }
    SendMessageA(hwnd, WM_ENABLE, disable ? FALSE : TRUE, 0);
    return was_disabled ? TRUE : FALSE;
}

// The window's own flag, as on the platform (a window inside a disabled one
// still reads as enabled here, though it cannot take the focus).
BOOL IsWindowEnabled(HWND hwnd)
{
    const Window* w = detail::wm().find(hwnd);
    return (w != nullptr && !w->disabled()) ? TRUE : FALSE;
}

} // namespace win
