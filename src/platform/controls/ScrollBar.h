#pragma once
// The scroll bar control: a window of the class "PendrelScrollBar", vertical
// or horizontal, with an arrow at each end, a track and a thumb. It does not
// scroll anything itself: it tells its parent window what the user does,
// with WM_VSCROLL (vertical) or WM_HSCROLL (horizontal), the code in the low
// word of wParam, a position in the high word, and its own handle in lParam:
//
//   press on an arrow       -> SB_LINEUP / SB_LINEDOWN
//   press on the track      -> SB_PAGEUP / SB_PAGEDOWN
//   dragging the thumb      -> SB_THUMBTRACK with the thumb's position, on every change
//   release after the thumb -> SB_THUMBPOSITION with the final position
//   any end of tracking     -> SB_ENDSCROLL
//
// and the parent answers by setting the position (set_pos). A press takes
// the mouse capture for as long as the bar tracks. Tracking ends with the
// release of the button, or when the capture is taken away (or the bar is
// disabled or destroyed); either way the bar first gives the capture back, if
// it still holds it, and then sends SB_ENDSCROLL, so a window that lent it
// the capture can take it back there. A capture lost during a thumb drag
// sends no SB_THUMBPOSITION.
//
// A press keeps its single notification: there is no auto-repeat while an
// arrow or the track is held (the platform has no timers). The high word
// carries 16 bits; a parent with larger positions reads track_pos().

#include <string_view>

#include "platform/controls/ControlWindow.h"
#include "platform/controls/ScrollGeometry.h"
#include "platform/gfx/Canvas.h"

namespace controls {

// The window style that makes a vertical bar (without it: horizontal).
inline constexpr win::DWORD SBS_VERT = 0x0001;

class ScrollBar final : public ControlWindow {
public:
    static constexpr std::string_view k_class = "PendrelScrollBar";

    // A bar at `rect` (pixels; in the parent's client area, or on the screen
    // when parent is 0). WS_CHILD is added for a parent. Range 0..100, no
    // page, position 0.
    ScrollBar(
        win::HWND parent, const win::RECT& rect, bool vertical, win::DWORD style = win::WS_VISIBLE);
    ~ScrollBar() override;

    [[nodiscard]] static ScrollBar* from_hwnd(win::HWND hwnd);

    [[nodiscard]] bool vertical() const;

    // The range; raises 380 when min > max, and for a negative page. The
    // position is clamped into the new range.
    void set_range(int min, int max);
    void set_page(int page);
    [[nodiscard]] const ScrollRange& range() const { return m_range; }
    // The position, clamped to the range (see ScrollRange).
    void set_pos(int pos);
    [[nodiscard]] int pos() const { return m_pos; }
    // The thumb's position while it is dragged, else pos().
    [[nodiscard]] int track_pos() const;

    // The part being tracked (None when the bar is not tracking).
    [[nodiscard]] ScrollPart tracked_part() const { return m_part; }
    // Where the parts lie now, in the window's client coordinates (an empty
    // rectangle for a part there is none of).
    [[nodiscard]] win::RECT part_rect(ScrollPart part) const;

private:
    static win::LRESULT proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam);

    void press(win::POINT p);
    void drag(win::POINT p);
    void release();
    void capture_lost();
    void end_tracking(bool released);
    // Sends a scroll code to the parent; returns whether this object lives.
    bool send_scroll(int code, int position = 0);

    [[nodiscard]] ScrollLayout layout() const;
    [[nodiscard]] int along(win::POINT p) const;

    // ScrollBarPaint.cpp.
    void paint(gfx::Canvas* canvas) const;

    ScrollRange m_range;
    int m_pos = 0;
    ScrollPart m_part = ScrollPart::None;
    bool m_over = false; // the pointer is over the tracked arrow or page part
    int m_grab = 0; // thumb drag: pointer offset from the thumb's start
    int m_track_pos = 0; // thumb drag: the position shown
};

} // namespace controls
