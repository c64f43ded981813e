// Showing, hiding, moving, sizing and stacking windows.
//
// Order of what a change sends: ShowWindow first sends WM_SHOWWINDOW (the
// window still as it was); then the change is made and on_invalidate told;
// then comes WM_WINDOWPOSCHANGED with the SWP_* flags of what really
// changed, whose default handling sends WM_MOVE and WM_SIZE. ShowWindow on a
// child of a hidden window sends WM_SHOWWINDOW only: nothing on the screen
// changes. ShowWindow(SW_HIDE) of the focus window then moves the focus to
// its parent (see Focus.cpp); SetWindowPos(SWP_HIDEWINDOW) leaves it. Hiding
// never touches the capture. A call that changes nothing sends nothing.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// nullopt for the commands that minimise or maximise, which this window
// manager does not model: they leave the window as it is.
std::optional<bool> wanted_visibility(int cmd)
{
    switch (cmd) {
    case SW_HIDE:
        return false;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_RESTORE:
    case 10: // SW_SHOWDEFAULT
        return true;
    default:
        return std::nullopt;
    }
}

// Sets WS_VISIBLE; whether it changed.
bool set_shown(Window& w, bool show)
{
    if (w.shown() == show) {
        return false;
    }
    w.style = show ? (w.style | WS_VISIBLE) : (w.style & ~WS_VISIBLE);
    return true;
}

void send_pos_changed(HWND hwnd, HWND insert_after, UINT flags)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr) {
        return;
    }
    WINDOWPOS pos{
        hwnd, insert_after, w->rect.left, w->rect.top, w->rect.width(), w->rect.height(), flags};
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

struct Outcome {
    bool moved = false;
    bool sized = false;
    bool restacked = false;
    bool shown = false;
    bool hidden = false;
    [[nodiscard]] bool any() const { return moved || sized || restacked || shown || hidden; }
};

// Makes the changes SetWindowPos asks for; reports what changed.
Outcome apply(Window& w, Window& parent, HWND insert_after, RECT wanted, UINT flags)
{
    Outcome out;
    const RECT before = w.rect;
    if ((flags & SWP_NOMOVE) == 0) {
        w.rect = RECT{
            wanted.left, wanted.top, wanted.left + w.rect.width(), wanted.top + w.rect.height()};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        w.rect.right = w.rect.left + wanted.width();
        w.rect.bottom = w.rect.top + wanted.height();
    }
    out.moved = w.rect.left != before.left || w.rect.top != before.top;
    out.sized = w.rect.width() != before.width() || w.rect.height() != before.height();
    out.restacked = (flags & SWP_NOZORDER) == 0 && detail::restack(parent, w, insert_after);
    if ((flags & SWP_SHOWWINDOW) != 0) {
        out.shown = set_shown(w, true);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        out.hidden = set_shown(w, false);
    }
    return out;
}

UINT reported_flags(UINT flags, const Outcome& out)
{
    UINT result
        = flags & ~(SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_HIDEWINDOW);
    result |= out.moved ? 0 : SWP_NOMOVE;
    result |= out.sized ? 0 : SWP_NOSIZE;
    result |= out.restacked ? 0 : SWP_NOZORDER;
    result |= out.shown ? SWP_SHOWWINDOW : 0;
    result |= out.hidden ? SWP_HIDEWINDOW : 0;
    return result;
}

} // namespace

BOOL ShowWindow(HWND hwnd, int cmd)
{
    auto& m = detail::wm();
    const Window* w = m.find(hwnd);
    if (w == nullptr || hwnd == m.desktop) {
        return FALSE;
    }
    const bool was_shown = w->shown();
    const std::optional<bool> show = wanted_visibility(cmd);
    if (!show || *show == was_shown) {
        return was_shown ? TRUE : FALSE;
    }
    // 1. Told while still as it was.
    SendMessageA(hwnd, WM_SHOWWINDOW, *show ? TRUE : FALSE, 0);
    // 2. The change (unless a handler made or undid it meanwhile).
    Window* now = m.find(hwnd);
    if (now == nullptr || !set_shown(*now, *show)) {
        return was_shown ? TRUE : FALSE;
    }
    const bool on_screen = IsWindowVisible(now->parent) != FALSE;
    detail::invalidate(hwnd);
    // 3. The position notice, where the screen changed.
    if (on_screen) {
        send_pos_changed(hwnd, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE
                | (*show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    // 4. A hidden focus window passes the focus on.
    if (!*show && m.focus == hwnd) {
        detail::move_focus_out_of(hwnd);
    }
    return was_shown ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto& m = detail::wm();
    const Window* w = m.find(hwnd);
    if (w == nullptr) {
        return FALSE;
    }
    for (; w != nullptr; w = m.find(w->parent)) {
        if (!w->shown()) {
            return FALSE;
        }
    }
    return TRUE;
}

// There is no activation in this window manager: SWP_NOACTIVATE and its
// absence behave the same.
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags)
{
    // 1. A known window, and a z-order target among its siblings.
    auto& m = detail::wm();
    Window* w = m.find(hwnd);
    if (w == nullptr || hwnd == m.desktop) {
        return FALSE;
    }
    Window& parent = *m.find(w->parent);
    if ((flags & SWP_NOZORDER) == 0 && !detail::is_sibling_handle(parent, hwnd, insert_after)) {
        return FALSE;
    }
    // 2. The changes.
    const Outcome out = apply(*w, parent, insert_after, detail::clamp_rect(x, y, cx, cy), flags);
    if (!out.any()) {
        return TRUE;
    }
    if ((flags & SWP_NOREDRAW) == 0) {
        detail::invalidate(hwnd);
    }
    // 3. The position notice.
    send_pos_changed(hwnd, insert_after, reported_flags(flags, out));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    const UINT redraw = repaint != FALSE ? 0 : SWP_NOREDRAW;
    return SetWindowPos(hwnd, 0, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | redraw);
}

} // namespace win
