#pragma once
// One window manager per thread: it owns every window of its thread, the
// message queue, the capture, the focus and the display settings. Code
// outside the window manager holds handles and looks windows up again after
// any call that can dispatch.

#include <functional>
#include <memory>
#include <vector>

#include "platform/win/Types.h"

namespace win {

// The display of one thread: sizes in pixels. Defaults: 1920 x 1080, work
// area 1920 x 1040 at (0,0), 96 pixels per inch (15 twips per pixel).
struct Display {
    int width = 1920;
    int height = 1080;
    RECT work_area{0, 0, 1920, 1040};
    int dpi = 96;
};

class WindowManager {
public:
    // The calling thread's window manager, made on first use.
    static WindowManager& the();
    // Destroys every window of the thread and starts afresh: a new desktop,
    // an empty queue, no capture, no focus, the default display, no
    // on_invalidate listener. For tests. No message is sent (the windows'
    // owners may be gone); handles are not reused; classes and procedure
    // numbers stay. Raises error 5 while a window procedure is running.
    static void reset();

    [[nodiscard]] const Display& display() const;
    void set_display(const Display& display);

    // The top-level windows (children of the desktop) bottom-most first;
    // top-most windows come after all others.
    [[nodiscard]] std::vector<HWND> top_level_windows() const;
    // A window's children bottom-most first.
    [[nodiscard]] std::vector<HWND> children(HWND parent) const;
    // 0 for an unknown window; class_background 0xFFFFFFFF (none).
    [[nodiscard]] DWORD style(HWND hwnd) const;
    [[nodiscard]] DWORD ex_style(HWND hwnd) const;
    [[nodiscard]] std::uint32_t class_background(HWND hwnd) const;
    // Width of the border between window and client rectangle (default 0,
    // 1 for WS_BORDER).
    void set_border(HWND hwnd, int pixels);

    // Called after any window's position, size, visibility, z-order, parent,
    // style, enabled state or border changes (with the window; a destroyed
    // window was hidden first), after set_display (with the desktop), and on
    // InvalidateRect; the compositor listens here. It may dispatch.
    std::function<void(HWND)> on_invalidate;
    // InvalidateRect with a rectangle (client coordinates) tells this one
    // instead, when it is set: only that part of the window changed.
    std::function<void(HWND, const RECT&)> on_invalidate_part;

    // Called whenever the keyboard focus moves, with the window that holds
    // it now (0 for none): after the window that lost it has had its
    // WM_KILLFOCUS and before the new one gets WM_SETFOCUS. The component
    // host listens here to tell a control that the focus entered or left it.
    std::function<void(HWND)> on_focus_change;

    // Input injection: as a real pointing device and keyboard would deliver
    // it, through the queue (call PumpMessages to deliver). The device state
    // (GetCursorPos, key_is_down, MK_* flags) changes at once; the target
    // window is chosen at delivery. inject_double_click queues the whole
    // gesture (down, up, WM_LBUTTONDBLCLK, up); inject_second_press only
    // the press that arrives as WM_LBUTTONDBLCLK, for a device driver that
    // tells double clicks apart itself (GetDoubleClickTime, SM_CXDOUBLECLK).
    // inject_char puts the Unicode
    // code point in WM_CHAR's wParam; right after a key down it is delivered
    // right after that key's WM_KEYDOWN. Key codes 1 to 254 and real
    // characters only: anything else raises error 5.
    void inject_mouse_move(POINT screen);
    void inject_button_down(POINT screen, bool right = false);
    void inject_button_up(POINT screen, bool right = false);
    void inject_double_click(POINT screen);
    void inject_second_press(POINT screen);
    void inject_wheel(POINT screen, int delta);
    void inject_key_down(int vk);
    void inject_char(char32_t ch);
    void inject_key_up(int vk);
    [[nodiscard]] bool key_is_down(int vk) const;

    // How the message being handled right now on this thread reached its
    // window (the innermost one when handlers nest), and how many deliveries
    // are on the stack: 0 outside any handler, 1 inside an outermost one.
    // CallWindowProcA is a call, not a delivery: it changes neither.
    enum class Delivery {
        none,
        sent, // SendMessageA, including what the window manager itself sends
        posted, // PostMessageA, delivered by the pump
        input, // a mouse or key message made from injected input
    };
    [[nodiscard]] Delivery current_delivery() const;
    [[nodiscard]] int delivery_depth() const;

    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    ~WindowManager();

    struct Impl;
    Impl& impl() { return *m_impl; }

private:
    WindowManager();
    std::unique_ptr<Impl> m_impl;
};

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);

} // namespace win
