#include "platform/controls/ScrollBar.h"

#include "platform/vb/Error.h"
#include "platform/win/MessageParams.h"
#include "platform/win/User32.h"

namespace controls {

ScrollBar::ScrollBar(win::HWND parent, const win::RECT& rect, bool vertical, win::DWORD style)
{
    style = vertical ? (style | SBS_VERT) : (style & ~SBS_VERT);
    create(k_class, &ScrollBar::proc, parent, rect, parent != 0 ? (style | win::WS_CHILD) : style,
        "ScrollBar");
}

// A bar destroyed while it tracks still ends its tracking properly.
ScrollBar::~ScrollBar()
{
    if (m_part != ScrollPart::None) {
        end_tracking(false);
    }
}

ScrollBar* ScrollBar::from_hwnd(win::HWND hwnd)
{
    return dynamic_cast<ScrollBar*>(ControlWindow::from_hwnd(hwnd));
}

win::LRESULT ScrollBar::proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    ScrollBar* self = from_hwnd(hwnd);
    if (self == nullptr) {
        return proc_without_object(hwnd, msg, wparam, lparam);
    }
    switch (msg) {
    case win::WM_PAINT:
        self->paint(gfx::canvas_of(wparam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        self->press(win::point_of(lparam));
        return 0;
    case win::WM_MOUSEMOVE:
        self->drag(win::point_of(lparam));
        return 0;
    case win::WM_LBUTTONUP:
        self->release();
        return 0;
    case win::WM_CAPTURECHANGED:
        self->capture_lost();
        return 0;
    case win::WM_SIZE:
    case win::WM_ENABLE:
        self->Refresh();
        return 0;
    case win::WM_NCDESTROY:
        return self->on_nc_destroy(hwnd, wparam, lparam);
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

bool ScrollBar::vertical() const
{
    const auto style = static_cast<win::DWORD>(win::GetWindowLongA(get_hWnd(), win::GWL_STYLE));
    return (style & SBS_VERT) != 0;
}

// The range ------------------------------------------------------------------

void ScrollBar::set_range(int min, int max)
{
    if (min > max) {
        vb::raise(vb::err::InvalidPropertyValue, "The range's minimum lies above its maximum",
            "ScrollBar.set_range");
    }
    m_range.min = min;
    m_range.max = max;
    set_pos(m_pos);
}

void ScrollBar::set_page(int page)
{
    if (page < 0) {
        vb::raise(vb::err::InvalidPropertyValue, "A page cannot be negative", "ScrollBar.set_page");
    }
    m_range.page = page;
    set_pos(m_pos);
}

void ScrollBar::set_pos(int pos)
{
    m_pos = m_range.clamp(pos);
    Refresh();
}

int ScrollBar::track_pos() const
{
    return m_part == ScrollPart::Thumb ? m_track_pos : m_pos;
}

// Geometry ------------------------------------------------------------------

ScrollLayout ScrollBar::layout() const
{
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    const bool v = vertical();
    return layout_scroll(v ? client.height() : client.width(), v ? client.width() : client.height(),
        m_range, track_pos());
}

int ScrollBar::along(win::POINT p) const
{
    return vertical() ? p.y : p.x;
}

win::RECT ScrollBar::part_rect(ScrollPart part) const
{
    const ScrollLayout l = layout();
    int begin = 0;
    int end = 0;
    switch (part) {
    case ScrollPart::LineUp:
        end = l.arrow;
        break;
    case ScrollPart::PageUp:
        begin = l.track_begin, end = l.has_thumb() ? l.thumb_begin : 0;
        break;
    case ScrollPart::Thumb:
        begin = l.thumb_begin, end = l.thumb_end;
        break;
    case ScrollPart::PageDown:
        begin = l.thumb_end, end = l.has_thumb() ? l.track_end : 0;
        break;
    case ScrollPart::LineDown:
        begin = l.track_end, end = l.length;
        break;
    case ScrollPart::None:
        break;
    }
    if (end <= begin) {
        return {};
    }
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    return vertical() ? win::RECT{0, begin, client.right, end}
                      : win::RECT{begin, 0, end, client.bottom};
}

// Tracking ------------------------------------------------------------------

// 1. A press on no part, or during tracking, does nothing. 2. The part is
// tracked and the capture taken. 3. An arrow or the track tells the parent.
void ScrollBar::press(win::POINT p)
{
    const ScrollLayout l = layout();
    const ScrollPart part = part_at(l, along(p));
    if (m_part != ScrollPart::None || part == ScrollPart::None) {
        return;
    }
    m_part = part;
    m_over = true;
    m_grab = along(p) - l.thumb_begin;
    m_track_pos = m_pos;
    Refresh();
    const auto alive = life();
    win::SetCapture(get_hWnd());
    if (alive.expired() || m_part != part) {
        return; // the capture's change ended the tracking already
    }
    switch (part) {
    case ScrollPart::LineUp:
        (void)send_scroll(win::SB_LINEUP);
        break;
    case ScrollPart::LineDown:
        (void)send_scroll(win::SB_LINEDOWN);
        break;
    case ScrollPart::PageUp:
        (void)send_scroll(win::SB_PAGEUP);
        break;
    case ScrollPart::PageDown:
        (void)send_scroll(win::SB_PAGEDOWN);
        break;
    default:
        break;
    }
}

void ScrollBar::drag(win::POINT p)
{
    if (m_part == ScrollPart::None) {
        return;
    }
    const ScrollLayout l = layout();
    if (m_part != ScrollPart::Thumb) {
        const bool over = part_at(l, along(p)) == m_part;
        if (over != m_over) {
            m_over = over;
            Refresh();
        }
        return;
    }
    const int position = position_for_thumb(l, m_range, along(p) - m_grab);
    if (position == m_track_pos) {
        return;
    }
    m_track_pos = position;
    Refresh();
    (void)send_scroll(win::SB_THUMBTRACK, position);
}

void ScrollBar::release()
{
    if (m_part != ScrollPart::None) {
        end_tracking(true);
    }
}

void ScrollBar::capture_lost()
{
    if (m_part != ScrollPart::None) {
        end_tracking(false);
    }
}

// 1. Tracking stops (so the capture's loss below is expected). 2. A thumb
// released tells its final position. 3. The capture goes back, if the bar
// still holds it. 4. SB_ENDSCROLL.
void ScrollBar::end_tracking(bool released)
{
    const ScrollPart part = m_part;
    m_part = ScrollPart::None;
    m_over = false;
    Refresh();
    if (released && part == ScrollPart::Thumb && !send_scroll(win::SB_THUMBPOSITION, m_track_pos)) {
        return;
    }
    const auto alive = life();
    if (win::GetCapture() == get_hWnd() && get_hWnd() != 0) {
        win::ReleaseCapture();
    }
    if (!alive.expired()) {
        (void)send_scroll(win::SB_ENDSCROLL);
    }
}

bool ScrollBar::send_scroll(int code, int position)
{
    const win::HWND hwnd = get_hWnd();
    const win::HWND parent = win::GetParent(hwnd);
    if (parent == 0) {
        return true;
    }
    const auto alive = life();
    win::SendMessageA(parent, vertical() ? win::WM_VSCROLL : win::WM_HSCROLL,
        win::MAKEWPARAM(code, position), static_cast<win::LPARAM>(hwnd));
    return !alive.expired();
}

} // namespace controls
