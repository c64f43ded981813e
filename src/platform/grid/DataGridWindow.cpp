// The grid's window procedure and what it does with the mouse, the wheel,
// the keys, its scroll bars and the capture.

#include <algorithm>
#include <optional>

#include "platform/controls/ScrollBar.h"
#include "platform/grid/DataGrid.h"
#include "platform/win/MessageParams.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace grid {

namespace {

constexpr win::WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;
constexpr int k_wheel_rows = 3; // rows a notch of the wheel scrolls

// The position a scroll bar's 16-bit word stands for: the one nearest to
// `near` whose low 16 bits are `low`.
std::int64_t widen(int low, std::int64_t near)
{
    const std::int64_t base = near - (near & 0xFFFF) + low;
    std::int64_t best = base;
    for (const std::int64_t c : {base - 0x10000, base + 0x10000}) {
        if (c >= 0
            && (c > near ? c - near : near - c) < (best > near ? best - near : near - best)) {
            best = c;
        }
    }
    return best;
}

struct ScrollState {
    std::int64_t now = 0; // the first row, or the first column's ordinal
    std::int64_t page = 1;
    std::int64_t last = 0;
    std::optional<int> track; // the thumb's position, when the bar is ours
};

// Where a scroll code goes; nothing for a code that does not scroll.
std::optional<std::int64_t> scroll_target(int code, int word, const ScrollState& s)
{
    switch (code) {
    case win::SB_LINEUP:
        return s.now - 1;
    case win::SB_LINEDOWN:
        return s.now + 1;
    case win::SB_PAGEUP:
        return s.now - s.page;
    case win::SB_PAGEDOWN:
        return s.now + s.page;
    case win::SB_THUMBTRACK:
        return s.track ? *s.track : widen(word, s.now);
    case win::SB_THUMBPOSITION:
        return widen(word, s.now);
    case win::SB_TOP:
        return 0;
    case win::SB_BOTTOM:
        return s.last;
    default:
        return std::nullopt;
    }
}

} // namespace

win::LRESULT DataGrid::proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    DataGrid* grid = from_hwnd(hwnd);
    if (grid == nullptr) {
        return proc_without_object(hwnd, msg, wparam, lparam);
    }
    // The object lives until the message is handled, whatever a callback
    // does with the last reference to it.
    const auto keep = grid->weak_from_this().lock();
    switch (msg) {
    case win::WM_NCHITTEST:
        return grid->on_nc_hit_test(lparam);
    case win::WM_PAINT:
        grid->paint(gfx::canvas_of(wparam));
        return 0;
    case win::WM_SIZE:
        grid->update_layout();
        return 0;
    case win::WM_MOUSEMOVE:
        grid->on_mouse_move_message(wparam, lparam);
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        grid->on_left_press(lparam);
        return 0;
    case win::WM_MOUSEWHEEL:
        grid->on_wheel(wparam);
        return 0;
    case win::WM_KEYDOWN:
        grid->on_key_down(wparam);
        return 0;
    case win::WM_VSCROLL:
        grid->on_scroll_message(true, wparam, lparam);
        return 0;
    case win::WM_HSCROLL:
        grid->on_scroll_message(false, wparam, lparam);
        return 0;
    case win::WM_CAPTURECHANGED:
        grid->on_capture_changed(lparam);
        return 0;
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
        grid->Refresh();
        return 0;
    case win::WM_NCDESTROY:
        return grid->on_nc_destroy(hwnd, wparam, lparam);
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

// HTCLIENT inside the client area (its scroll bars included), HTBORDER
// between it and the window's edge, HTNOWHERE outside the window.
win::LRESULT DataGrid::on_nc_hit_test(win::LPARAM lparam) const
{
    const win::POINT p = win::point_of(lparam);
    win::RECT outer{};
    if (!win::GetWindowRect(get_hWnd(), &outer) || !win::PtInRect(&outer, p)) {
        return win::HTNOWHERE;
    }
    win::RECT client{};
    win::GetClientRect(get_hWnd(), &client);
    win::POINT origin{0, 0};
    win::ClientToScreen(get_hWnd(), &origin);
    const win::RECT on_screen{
        origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    return win::PtInRect(&on_screen, p) ? win::HTCLIENT : win::HTBORDER;
}

void DataGrid::on_mouse_move_message(win::WPARAM wparam, win::LPARAM lparam)
{
    const win::POINT p = win::point_of(lparam);
    const double tpp = twips_per_pixel();
    vb::Integer button = 0;
    button |= (wparam & win::MK_LBUTTON) != 0 ? 1 : 0;
    button |= (wparam & win::MK_RBUTTON) != 0 ? 2 : 0;
    button |= (wparam & MK_MBUTTON) != 0 ? 4 : 0;
    vb::Integer shift = 0;
    shift |= (wparam & win::MK_SHIFT) != 0 ? 1 : 0;
    shift |= (wparam & win::MK_CONTROL) != 0 ? 2 : 0;
    shift |= win::WindowManager::the().key_is_down(win::VK_MENU) ? 4 : 0;
    auto x = static_cast<vb::Single>(p.x * tpp);
    auto y = static_cast<vb::Single>(p.y * tpp);
    (void)notify(on_mouse_move, button, shift, x, y);
}

// 1. A grid on a form takes the focus; a drop-down one (its parent the
//    desktop) leaves it where it is.
// 2. The row under the press, in a column, becomes the current row. The
//    grid does not scroll here: a release at the same point must still
//    find the same row under it.
void DataGrid::on_left_press(win::LPARAM lparam)
{
    const win::HWND hwnd = get_hWnd();
    // 1.
    const win::HWND parent = win::GetParent(hwnd);
    if (parent != 0 && parent != win::GetDesktopWindow() && win::GetFocus() != hwnd) {
        win::SetFocus(hwnd);
    }
    // 2.
    sync_with_recordset();
    const win::POINT p = win::point_of(lparam);
    const GridGeometry g = geometry();
    const int r = g.row_at(p.y);
    if (r < 0 || g.column_at(p.x) < 0) {
        return;
    }
    user_moved_to(m_first_row + r, false);
}

void DataGrid::user_moved_to(std::int64_t row, bool scroll)
{
    if (row != current_row()) {
        make_current(row);
    }
    if (scroll) {
        ensure_visible(row);
    }
    (void)notify(on_row_col_change);
}

// Whole notches scroll; the rest of a fine-grained wheel is kept.
void DataGrid::on_wheel(win::WPARAM wparam)
{
    m_wheel_rest += static_cast<std::int16_t>(win::HIWORD(static_cast<win::LPARAM>(wparam)));
    const int notches = m_wheel_rest / WHEEL_DELTA;
    m_wheel_rest -= notches * WHEEL_DELTA;
    if (notches != 0) {
        sync_with_recordset();
        scroll_rows_to(m_first_row - static_cast<std::int64_t>(notches) * k_wheel_rows);
    }
}

void DataGrid::on_key_down(win::WPARAM vk)
{
    sync_with_recordset();
    const std::int64_t rows = row_count();
    if (rows == 0) {
        return;
    }
    const std::int64_t current = current_row();
    const std::int64_t page = std::max(1, geometry().full_rows());
    std::int64_t target = 0;
    switch (static_cast<int>(vk)) {
    case win::VK_DOWN:
        target = current < 0 ? 0 : current + 1;
        break;
    case win::VK_UP:
        target = current < 0 ? 0 : current - 1;
        break;
    case win::VK_NEXT:
        target = current < 0 ? 0 : current + page;
        break;
    case win::VK_PRIOR:
        target = current < 0 ? 0 : current - page;
        break;
    case win::VK_HOME:
        target = 0;
        break;
    case win::VK_END:
        target = rows - 1;
        break;
    default:
        return;
    }
    user_moved_to(std::clamp<std::int64_t>(target, 0, rows - 1), true);
}

// Codes from either bar. Thumb positions come from the bar itself (the
// message's word holds only 16 bits of them).
void DataGrid::on_scroll_message(bool vertical, win::WPARAM wparam, win::LPARAM lparam)
{
    const int code = win::LOWORD(static_cast<win::LPARAM>(wparam));
    const auto from = static_cast<win::HWND>(lparam);
    if (code == win::SB_ENDSCROLL) {
        take_capture_back(from);
        return;
    }
    sync_with_recordset();
    const GridGeometry g = geometry();
    const controls::ScrollBar* bar = vertical ? m_vbar.get() : m_hbar.get();
    const auto visible = g.visible_columns();
    ScrollState state;
    state.now = vertical
        ? m_first_row
        : std::lower_bound(visible.begin(), visible.end(), m_left_col) - visible.begin();
    state.page = vertical ? std::max(1, g.full_rows()) : 1;
    state.last = vertical ? g.last_first_row() : static_cast<std::int64_t>(g.last_left_ordinal());
    if (bar != nullptr && bar->get_hWnd() == from) {
        state.track = bar->track_pos();
    }
    const auto to = scroll_target(code, win::HIWORD(static_cast<win::LPARAM>(wparam)), state);
    if (!to) {
        return;
    }
    if (vertical) {
        scroll_rows_to(*to);
    } else {
        scroll_columns_to(static_cast<std::size_t>(std::max<std::int64_t>(0, *to)));
    }
}

// Lent to one of the grid's own bars, the capture comes back at the end of
// its tracking; lost to anyone else, it is gone.
void DataGrid::on_capture_changed(win::LPARAM new_holder)
{
    const auto holder = static_cast<win::HWND>(new_holder);
    const bool to_bar = holder != 0
        && ((m_vbar && m_vbar->get_hWnd() == holder) || (m_hbar && m_hbar->get_hWnd() == holder));
    m_capture_lent_to = to_bar ? holder : 0;
}

// Only while the grid is shown (a hidden window holding the capture would
// swallow every mouse message) and nobody else took the capture meanwhile.
void DataGrid::take_capture_back(win::HWND from)
{
    if (m_capture_lent_to == 0 || from != m_capture_lent_to) {
        return;
    }
    m_capture_lent_to = 0;
    if (win::GetCapture() == 0 && win::IsWindowVisible(get_hWnd())) {
        win::SetCapture(get_hWnd());
    }
}

} // namespace grid
