// The open list's window procedure and its mouse handlers. The module knows
// no control: it reaches the grid through GridControl and GridHwnd and the
// text field through TextHwnd, and the control's events only through the
// text field, whose change handler reports what a pick writes into it.
//
// NOTE: handlers re-enter one another. ReleaseCapture sends
// WM_CAPTURECHANGED to the grid at once, so the capture-loss handler, and
// through it HideDropDown, runs inside the handler that released it; the
// outer message then still goes to PrevGridWndProc, which closing keeps.
// Each handler holds its own reference to the grid, and a text change may
// destroy the control (a host's AfterUpdate), so nothing is kept across a
// call that can dispatch but the record's numbers.
#include <memory>

#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "platform/grid/Column.h"
#include "platform/grid/Columns.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Screen.h"
#include "platform/win/User32.h"

namespace modGridCombo {

namespace {

// The grid's own messages: its forwarded press has ended, and it asks to
// let go of the mouse.
constexpr win::UINT k_forwarded_press_ended = win::WM_USER + 20; // 0x0414
constexpr win::UINT k_release_the_mouse = win::WM_USER + 100; // 0x0464

vb::Single twips_x(vb::Long x)
{
    return static_cast<vb::Single>(x) * host::Screen::the().get_TwipsPerPixelX();
}

vb::Single twips_y(vb::Long y)
{
    return static_cast<vb::Single>(y) * host::Screen::the().get_TwipsPerPixelY();
}

std::shared_ptr<grid::DataGrid> grid_of(const GridState& g)
{
    if (!g.GridControl)
        vb::raise(vb::err::ObjectNotSet, "modGridCombo");
    return g.GridControl;
}

// The mouse messages carry a point, the scroll messages a code and a
// position: split into words and handed to the message's handler.
void handle(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam)
{
    vb::Long lo = 0;
    vb::Long hi = 0;
    vb::Long w = static_cast<vb::Long>(wParam);
    vb::Long l = static_cast<vb::Long>(lParam);
    switch (msg) {
    case win::WM_MOUSEMOVE:
        GetHiLoWord(l, lo, hi);
        return DropdownList_OnMouseMove(hwnd, w, lo, hi);
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        GetHiLoWord(l, lo, hi);
        return DropdownList_OnLButtonDown(hwnd, w, lo, hi);
    case win::WM_LBUTTONUP:
        GetHiLoWord(l, lo, hi);
        return DropdownList_OnLButtonUp(hwnd, w, lo, hi);
    case win::WM_CAPTURECHANGED:
        return DropdownList_OnCaptureChanged(hwnd, w);
    case win::WM_HSCROLL:
        GetHiLoWord(w, lo, hi);
        return DropdownList_OnHScroll(hwnd, lo, hi, l);
    case win::WM_VSCROLL:
        GetHiLoWord(w, lo, hi);
        return DropdownList_OnVScroll(hwnd, lo, hi, l);
    case k_forwarded_press_ended:
        state().ForwardedClick = 0;
        return;
    case k_release_the_mouse:
        win::ReleaseCapture();
        return;
    default:
        return;
    }
}

} // namespace

win::LRESULT DataGridWindowProc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam)
{
    diag::Steps s("DataGridWindowProc");
    win::LRESULT result = 0;
    const auto own = [&] {
        result = win::CallWindowProcA(state().PrevGridWndProc, hwnd, msg, wParam, lParam);
    };
    // 1.-3. The handler; a vertical scroll goes to the grid first (and its
    // answer is the answer), the grid's end of a forwarded press no further.
    bool pass_on = msg != k_forwarded_press_ended;
    if (msg == win::WM_VSCROLL) {
        s.step("3", own);
        pass_on = false;
    }
    s.step("2", [&] { handle(hwnd, msg, wParam, lParam); });
    // 4. The grid's own procedure, even when the handler closed the list.
    if (pass_on)
        s.step("4", own);
    return s.left() ? 0 : result;
}

// Errors ignored.
void DropdownList_OnMouseMove(win::HWND hwnd, vb::Long& /*wParam*/, vb::Long& x, vb::Long& y)
{
    diag::Steps s("DropdownList_OnMouseMove");
    win::RECT client{};
    s.step("1", [&] { win::GetClientRect(hwnd, &client); });
    s.step("2", [&] { host::Screen::the().let_MousePointer(0); });
    s.step("3", [&] { state().PointerInList = win::PtInRect(&client, win::POINT{x, y}) != 0; });
}

void DropdownList_OnLButtonDown(win::HWND hwnd, vb::Long& /*wParam*/, vb::Long& /*x*/, vb::Long& y)
{
    diag::Steps s("DropdownList_OnLButtonDown");
    auto& g = state();
    win::POINT p{};
    s.step("1", [&] { win::GetCursorPos(&p); });
    // 2. Where the grid's own procedure says the press lies.
    win::LRESULT hit = 0;
    s.step("2", [&] {
        vb::Long px = p.x;
        vb::Long py = p.y;
        hit = win::CallWindowProcA(
            g.PrevGridWndProc, hwnd, win::WM_NCHITTEST, 0, MakeLParm(px, py));
    });
    if (s.condition("3", [&] { return hit == win::HTCLIENT; })) {
        win::HWND under = 0;
        s.step("3.1", [&] { under = win::WindowFromPoint(p); });
        // 3.2 A child window of the grid (its scroll bar) takes the press.
        // NOTE: never the list itself: with the record out of date (its
        // setup failed) a press posted back to the list would come back
        // here for ever.
        if (s.condition("3.2", [&] { return under != g.GridHwnd && under != hwnd; })) {
            win::POINT c = p;
            if (s.condition("3.2.1", [&] { return win::ScreenToClient(under, &c) != 0; })) {
                s.step("3.2.2", [&] { g.ForwardedClick = 1; });
                s.step("3.2.3", [&] {
                    vb::Long cx = c.x;
                    vb::Long cy = c.y;
                    win::PostMessageA(
                        under, win::WM_LBUTTONDOWN, win::MK_LBUTTON, MakeLParm(cx, cy));
                });
            }
            return;
        }
        // 3.3 No row there (the header, below the last row): let go, which
        // closes the list.
        const bool on_a_row = s.quietly("3.3", [&] {
            const auto grid = grid_of(g);
            (void)grid->RowBookmark(grid->RowContaining(twips_y(y)));
        });
        if (!on_a_row)
            s.step("3.3.1", [] { win::ReleaseCapture(); });
        return;
    }
    // 4. Outside the window: the list closes.
    win::RECT window{};
    s.step("4", [&] { win::GetWindowRect(hwnd, &window); });
    if (s.condition("4.1", [&] { return !win::PtInRect(&window, p); })) {
        if (s.condition("4.1.1", [&] { return !g.PointerInList; }))
            s.step("4.1.1.1",
                [&] { win::SetWindowLongA(g.GridHwnd, win::GWL_WNDPROC, g.PrevGridWndProc); });
        if (s.condition("4.1.2", [&] { return win::IsWindowVisible(g.GridHwnd) != 0; }))
            s.step("4.1.2.1", [] { HideDropDown(); });
        s.step("4.1.3", [] { win::ReleaseCapture(); });
    }
}

// The pick: the row under the pointer becomes current and its text goes
// into the text field, emptied first, so that Change and AfterUpdate come
// even when the text was the same.
void DropdownList_OnLButtonUp(win::HWND hwnd, vb::Long& /*wParam*/, vb::Long& x, vb::Long& y)
{
    diag::Steps s("DropdownList_OnLButtonUp");
    auto& g = state();
    // 1. The text field hears of every release that reaches the list.
    win::POINT p{};
    s.step("1.1", [&] { win::GetCursorPos(&p); });
    s.step("1.2", [&] {
        vb::Long px = p.x;
        vb::Long py = p.y;
        win::PostMessageA(g.TextHwnd, win::WM_LBUTTONUP, win::MK_LBUTTON, MakeLParm(px, py));
    });
    // 2.-3. Outside the rows, or right of the last column: the list stays.
    win::RECT client{};
    s.step("2", [&] { win::GetClientRect(hwnd, &client); });
    if (s.condition("2.1", [&] { return !win::PtInRect(&client, win::POINT{x, y}); }))
        return;
    if (s.condition("3", [&] { return grid_of(g)->ColContaining(twips_x(x)) < 0; }))
        return;
    // 4.-7. From here on failures are not reported.
    const bool on_a_row = s.quietly("4", [&] {
        const auto grid = grid_of(g);
        grid->let_Bookmark(grid->RowBookmark(grid->RowContaining(twips_y(y))));
    });
    const auto read_only
        = [&] { return (win::GetWindowLongA(g.TextHwnd, win::GWL_STYLE) & win::ES_READONLY) != 0; };
    if (!on_a_row) {
        s.quietly("5", [] { win::ReleaseCapture(); });
        return;
    }
    // 6. Nothing is written into a read-only field (nor when that cannot be
    // told).
    bool locked = false;
    if (!s.quietly("6", [&] { locked = read_only(); }) || locked) {
        s.quietly("6.1", [] { win::ReleaseCapture(); });
        return;
    }
    const auto set_text = [&](const std::string& text) {
        win::SendMessageA(
            g.TextHwnd, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
    };
    s.quietly("7.1", [&] { g.TextEdited = false; });
    s.quietly("7.2", [&] { set_text(""); });
    s.quietly("7.3", [&] {
        g.TextEdited = true;
        g.PickPending = true;
    });
    s.quietly("7.4", [&] {
        const auto column
            = grid_of(g)->get_Columns()->get_Item(vb::Variant(vb::Long{g.TextColumn} - 1));
        set_text(column->get_Text());
    });
    s.quietly("7.5", [] { win::ReleaseCapture(); });
    s.quietly("7.6", [&] { g.PickPending = false; });
}

// Errors ignored. A loss the list expects (a child window took the mouse
// for a forwarded press) leaves it open.
void DropdownList_OnCaptureChanged(win::HWND /*hwnd*/, vb::Long& /*wParam*/)
{
    diag::Steps s("DropdownList_OnCaptureChanged");
    auto& g = state();
    if (s.condition("1", [&] { return g.ForwardedClick == 0 && win::IsWindowVisible(g.GridHwnd); }))
        s.step("1.1", [] { HideDropDown(); });
}

namespace {

// A forwarded press's scrolling ended: the list takes the mouse back.
void scroll_ended(diag::Steps& s, win::HWND hwnd, vb::Long code)
{
    auto& g = state();
    if (s.condition("1", [&] { return code == win::SB_ENDSCROLL && g.ForwardedClick != 0; })) {
        s.step("1.1", [&] { g.ForwardedClick = 0; });
        s.step("1.2", [&] { win::SetCapture(hwnd); });
    }
}

} // namespace

void DropdownList_OnVScroll(
    win::HWND hwnd, vb::Long& code, vb::Long& /*position*/, vb::Long& /*lParam*/)
{
    diag::Steps s("DropdownList_OnVScroll");
    scroll_ended(s, hwnd, code);
}

void DropdownList_OnHScroll(
    win::HWND hwnd, vb::Long& code, vb::Long& /*position*/, vb::Long& /*lParam*/)
{
    diag::Steps s("DropdownList_OnHScroll");
    scroll_ended(s, hwnd, code);
}

vb::Long GetHiLoWord(vb::Long value, vb::Long& lo, vb::Long& hi)
{
    diag::Steps s("GetHiLoWord");
    s.step("1", [&] { lo = value & 0xFFFF; });
    s.step("2", [&] { hi = (value / 65536) & 0xFFFF; });
    return 1;
}

vb::Long MakeLParm(vb::Long& lo, vb::Long& hi)
{
    diag::Steps s("MakeLParm");
    vb::Long packed = 0;
    s.step("1", [&] {
        const auto bits = (static_cast<std::uint32_t>(lo) & 0xFFFFU)
            | ((static_cast<std::uint32_t>(hi) & 0xFFFFU) << 16);
        packed = static_cast<vb::Long>(bits);
    });
    return packed;
}

} // namespace modGridCombo
