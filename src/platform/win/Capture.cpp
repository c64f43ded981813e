// The mouse capture: while a window holds it, every mouse message of the
// thread goes to that window, wherever the pointer is.
//
// Rules:
// - every change of holder tells the window that lost it, with
//   WM_CAPTURECHANGED (lParam = the new holder, 0 on release), before the
//   call that changed it returns; GetCapture already shows the new holder
//   inside that handler;
// - SetCapture on the window that holds the capture, and ReleaseCapture with
//   nothing captured, change nothing and send nothing;
// - disabling the holder releases it: EnableWindow sends WM_CANCELMODE,
//   whose default handling releases a capture the window holds (a window
//   that answers WM_CANCELMODE itself keeps it);
// - destroying the holder, or a window around it, releases it after the
//   WM_DESTROY messages and before the WM_NCDESTROY messages;
// - hiding the holder does not release it: a hidden window may hold and
//   take the capture.
//
// A handler of WM_CAPTURECHANGED may take the capture itself. The changes
// then nest: A holds, SetCapture(B) makes B the holder and tells A; A's
// handler calls SetCapture(A), which makes A the holder again and tells B
// (nested inside A's handler); the outer SetCapture(B) then returns A, and A
// holds the capture. The last change made wins, and every window that lost
// the capture on the way was told so.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

void tell_loser(HWND loser, HWND new_holder)
{
    if (loser != 0) {
        SendMessageA(loser, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(new_holder));
    }
}

} // namespace

// Returns the previous holder. An unknown window takes nothing (0 is
// returned and the capture stays); SetCapture(0) releases.
HWND SetCapture(HWND hwnd)
{
    auto& m = detail::wm();
    const HWND previous = m.capture;
    if (hwnd == 0) {
        ReleaseCapture();
        return previous;
    }
    if (m.find(hwnd) == nullptr || hwnd == m.desktop) {
        return 0;
    }
    if (previous == hwnd) {
        return previous;
    }
    m.capture = hwnd;
    tell_loser(previous, hwnd);
    return previous;
}

BOOL ReleaseCapture()
{
    auto& m = detail::wm();
    const HWND previous = m.capture;
    if (previous == 0) {
        return TRUE;
    }
    m.capture = 0;
    tell_loser(previous, 0);
    return TRUE;
}

HWND GetCapture()
{
    return detail::wm().capture;
}

void detail::release_capture_within(HWND root)
{
    const HWND holder = wm().capture;
    if (holder != 0 && within(root, holder)) {
        ReleaseCapture();
    }
}

} // namespace win
