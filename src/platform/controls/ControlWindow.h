#pragma once
// What the standard controls share: each is an object that owns one window
// of its own class, finds itself again from the window's handle, and tells
// its owner about user actions through callback members.
//
// Ownership: the object creates its window and destroys it when the object
// goes. A window destroyed from outside (with its parent, say) leaves the
// object alive with get_hWnd() 0; its properties still read and write, but
// nothing is drawn or sent any more.
//
// NOTE: callbacks run outside code that may do anything, destroying this
// very object included. Every handler that calls one goes through notify(),
// which says whether the object is still alive afterwards, and stops at once
// when it is not.

#include <functional>
#include <memory>
#include <string_view>

#include "platform/gfx/Color.h"
#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace controls {

// Appearance: a flat border of one pixel, or the sunken or raised 3D look.
inline constexpr vb::Integer vbAppearanceFlat = 0;
inline constexpr vb::Integer vbAppearance3d = 1;
// BorderStyle of a text box.
inline constexpr vb::Integer vbBSNone = 0;
inline constexpr vb::Integer vbFixedSingle = 1;

class ControlWindow {
public:
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    virtual ~ControlWindow();

    // The window's handle; 0 once the window is gone.
    [[nodiscard]] win::HWND get_hWnd() const { return m_hwnd; }

    // The window's own enabled flag (a disabled window gets no input and
    // cannot take the focus).
    [[nodiscard]] vb::Boolean get_Enabled() const;
    void let_Enabled(vb::Boolean New_Enabled);

    // Asks for a repaint.
    void Refresh() const;

    // The control that owns a window of this thread, or nullptr (not a
    // control's window, or one whose object has gone).
    [[nodiscard]] static ControlWindow* from_hwnd(win::HWND hwnd);

protected:
    ControlWindow();

    // Registers the class on first use (classes belong to the process) and
    // creates the window: x, y in the parent's client area for a child.
    // Raises 5 when the window cannot be created (an unknown parent, say).
    void create(std::string_view class_name, win::WNDPROC proc, win::HWND parent,
        const win::RECT& rect, win::DWORD style, std::string_view source);

    // For a class procedure: WM_NCCREATE ties the window to its object (the
    // create parameter); a message for a window without an object goes to
    // DefWindowProcA.
    static win::LRESULT proc_without_object(
        win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam);
    // WM_NCDESTROY: the window is gone; the object stays.
    win::LRESULT on_nc_destroy(win::HWND hwnd, win::WPARAM wparam, win::LPARAM lparam);

    // Calls a callback if it is set, on a copy (the callback may replace
    // itself). Returns whether this object is still alive afterwards; when
    // it is not, the caller must not touch any member.
    template <class... Params, class... Args>
    [[nodiscard]] bool notify(const std::function<void(Params...)>& callback, Args&... args)
    {
        if (!callback) {
            return true;
        }
        const std::weak_ptr<int> life = m_life;
        const auto copy = callback;
        copy(args...);
        return !life.expired();
    }
    // A token that expires with the object, for a handler that sends
    // messages (which can run outside code) and must know whether it may go on.
    [[nodiscard]] std::weak_ptr<int> life() const { return m_life; }

    // Property checks: raise 380 "Invalid property value" naming the
    // property for a bad value.
    static void check_color(gfx::OLE_COLOR value, std::string_view source);
    static void check_choice(vb::Integer value, vb::Integer last, std::string_view source);

private:
    win::HWND m_hwnd = 0;
    std::shared_ptr<int> m_life = std::make_shared<int>(0);
};

} // namespace controls
