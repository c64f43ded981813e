#pragma once
// The extender: the host's handle on where a window sits, in twips in its
// parent's client area (screen twips for a top-level window), whether it
// shows and whether it takes input. Every control has one through its site,
// and so does every child window of a control (its text box, its button).
// It holds only the handle and looks the window up on every call.
//
// Sizes convert to pixels by rounding half to even; a negative width or
// height raises 380 "Invalid property value", a value that is not a number
// 380, one beyond the pixel range 6 "Overflow"; a window that no longer
// exists raises 91. Moving or sizing sends the window WM_WINDOWPOSCHANGED
// (and so WM_SIZE); a control's site answers a size change with Resize.
//
// A window whose extent the container keeps (keep_extent: a control of its
// own, such as a data grid) reads back what the extender last set, not
// what the window functions did to the window since: a grid moved onto the
// desktop and shrunk to nothing there still reports its size. Each write
// changes its one value in the kept extent and in the window.

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace host {

class Extender {
public:
    explicit Extender(win::HWND hwnd) : m_hwnd(hwnd) {}

    [[nodiscard]] win::HWND hwnd() const { return m_hwnd; }

    // From now on this thread's extenders of `hwnd` keep its extent,
    // starting from where the window is; forget_extent ends that.
    static void keep_extent(win::HWND hwnd);
    static void forget_extent(win::HWND hwnd);

    [[nodiscard]] vb::Single get_Left() const;
    void let_Left(vb::Single New_Left);
    [[nodiscard]] vb::Single get_Top() const;
    void let_Top(vb::Single New_Top);
    [[nodiscard]] vb::Single get_Width() const;
    void let_Width(vb::Single New_Width);
    [[nodiscard]] vb::Single get_Height() const;
    void let_Height(vb::Single New_Height);
    // All four at once (one move, one Resize).
    void Move(vb::Single Left, vb::Single Top, vb::Single Width, vb::Single Height);

    [[nodiscard]] vb::Boolean get_Visible() const;
    void let_Visible(vb::Boolean New_Visible);
    [[nodiscard]] vb::Boolean get_Enabled() const;
    void let_Enabled(vb::Boolean New_Enabled);

private:
    // The window's rectangle in its parent's client pixels.
    [[nodiscard]] win::RECT placement() const;
    // What the reads report: the kept extent, or the window's rectangle.
    [[nodiscard]] win::RECT extent() const;
    // Applies `edit` to the window's rectangle and to the kept extent.
    template <class Edit> void change(Edit edit);
    void place(const win::RECT& r);

    win::HWND m_hwnd;
};

} // namespace host
