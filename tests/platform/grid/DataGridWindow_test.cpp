// The grid's window: hit testing, the mouse-move event, presses, the wheel,
// the keys, and its scroll bars, with the capture lent to a bar and taken
// back, all driven through the window manager's input.

#include <gtest/gtest.h>

#include "platform/controls/ScrollBar.h"
#include "platform/grid/Columns.h"
#include "platform/win/User32.h"
#include "support/grid/GridTest.h"

namespace {

using controls::ScrollPart;
using pendrel::test::Expected;
using pendrel::test::input;
using pendrel::test::posted;
using pendrel::test::sent;

constexpr const char* k_cities = "SELECT id, name, country FROM cities";
constexpr const char* k_numbers = "SELECT n, label, half FROM numbers";

class GridWindow : public pendrel::test::GridTest {
protected:
    [[nodiscard]] win::LRESULT hit_test(win::POINT screen) const
    {
        return win::SendMessageA(
            grid->get_hWnd(), win::WM_NCHITTEST, 0, win::MAKELPARAM(screen.x, screen.y));
    }
    [[nodiscard]] win::POINT screen_of(win::POINT client) const
    {
        return pendrel::test::Ui::screen_of(grid->get_hWnd(), client);
    }
    [[nodiscard]] vb::Long current() const { return grid->recordset()->get_AbsolutePosition(); }
    // The vertical bar's down arrow, in the bar's own coordinates.
    [[nodiscard]] win::POINT bar_arrow() const
    {
        return pendrel::test::Ui::centre(grid->vertical_bar()->part_rect(ScrollPart::LineDown));
    }
};

TEST_F(GridWindow, MouseMovesRaiseTheEventInTwips)
{
    bind(k_cities);
    std::vector<std::array<float, 4>> events;
    grid->on_mouse_move = [&](vb::Integer button, vb::Integer shift, vb::Single x, vb::Single y) {
        events.push_back({float(button), float(shift), x, y});
    };
    ui.move_to(grid->get_hWnd(), {10, 20});
    wm().inject_key_down(win::VK_SHIFT);
    ui.button_down(grid->get_hWnd(), {11, 21});
    ui.move_to(grid->get_hWnd(), {12, 22});
    ui.button_up(grid->get_hWnd(), {12, 22});
    wm().inject_key_up(win::VK_SHIFT);
    pump();
    // The press moves the pointer first.
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[0], (std::array<float, 4>{0, 0, 150, 300}));
    EXPECT_EQ(events[1], (std::array<float, 4>{0, 1, 165, 315}));
    EXPECT_EQ(events[2], (std::array<float, 4>{1, 1, 180, 330}));
}

// On the desktop, as an open list is, the grid leaves the focus where it is.
TEST_F(GridWindow, ALeftPressOnARowMakesItCurrentAndADropDownGridLeavesTheFocusWhereItIs)
{
    bind(k_cities);
    int changes = 0;
    grid->on_row_col_change = [&] { ++changes; };
    ui.click(grid->get_hWnd(), row_point(2));
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(win::GetFocus(), grid->get_hWnd());
    ui.click(grid->get_hWnd(), {5, 2}); // the header
    ui.click(grid->get_hWnd(), row_point(6)); // below the last row
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(changes, 1);
    const win::HWND field = top("field", 0, 0, 50, 20);
    win::SetFocus(field);
    win::SetParent(grid->get_hWnd(), win::GetDesktopWindow());
    ui.click(grid->get_hWnd(), row_point(1));
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(win::GetFocus(), field);
}

TEST_F(GridWindow, TheWheelScrollsThreeRowsANotchAndKeysMoveTheCurrentRowAndKeepItInView)
{
    bind(k_numbers);
    const win::POINT over = screen_of(row_point(1));
    wm().inject_wheel(over, -120);
    pump();
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(4.0));
    wm().inject_wheel(over, -60);
    wm().inject_wheel(over, -60);
    pump();
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(7.0));
    wm().inject_wheel(over, 240);
    pump();
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(1.0));
    win::SetFocus(grid->get_hWnd());
    ui.press(win::VK_DOWN);
    EXPECT_EQ(current(), 2);
    ui.press(win::VK_END);
    EXPECT_EQ(current(), 200);
    EXPECT_GE(grid->get_Row(), 0);
    ui.press(win::VK_PRIOR);
    EXPECT_LT(current(), 200);
    EXPECT_GE(grid->get_Row(), 0);
    ui.press(win::VK_HOME);
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(1.0));
}

TEST_F(GridWindow, ScrollBarsShowWhenTheContentDoesNotFitAndTheHorizontalOneScrollsTheColumns)
{
    bind(k_cities);
    EXPECT_TRUE(grid->vertical_bar() == nullptr && grid->horizontal_bar() == nullptr);
    bind(k_numbers);
    EXPECT_NE(grid->vertical_bar(), nullptr);
    grid->get_Columns()->get_Item(0)->let_Width(twips(k_client_width));
    ASSERT_NE(grid->horizontal_bar(), nullptr);
    ui.click(grid->get_hWnd(), bar_point(false, ScrollPart::LineDown));
    EXPECT_EQ(grid->get_LeftCol(), 1);
    EXPECT_EQ(grid->ColContaining(0), 1);
    ui.click(grid->get_hWnd(), bar_point(false, ScrollPart::LineUp));
    EXPECT_EQ(grid->get_LeftCol(), 0);
    grid->let_ScrollBars(grid::dbgNone);
    EXPECT_TRUE(grid->vertical_bar() == nullptr && grid->horizontal_bar() == nullptr);
}

TEST_F(GridWindow, HitTestSaysClientInsideAndBorderOnTheEdgeAndTheVerticalBarScrollsTheRows)
{
    bind(k_numbers);
    win::RECT r{};
    win::GetWindowRect(grid->get_hWnd(), &r);
    EXPECT_EQ(hit_test({r.left + 10, r.top + 10}), win::HTCLIENT);
    EXPECT_EQ(hit_test({r.left, r.top + 10}), win::HTBORDER);
    EXPECT_EQ(hit_test({r.right, r.top + 10}), win::HTNOWHERE);
    EXPECT_EQ(hit_test(screen_of(bar_point(true, ScrollPart::LineDown))), win::HTCLIENT);
    const int whole = (k_client_height - header_pixels()) / k_row_pixels;
    ui.click(grid->get_hWnd(), bar_point(true, ScrollPart::LineDown));
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(2.0));
    EXPECT_EQ(win::GetCapture(), 0U); // a grid that held no capture takes none
    ui.click(grid->get_hWnd(), bar_point(true, ScrollPart::PageDown));
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(2.0 + whole));
    // The thumb dragged to the bottom of the track.
    const win::POINT thumb = bar_point(true, ScrollPart::Thumb);
    ui.drag(grid->get_hWnd(), thumb, {thumb.x, k_client_height - 1});
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(static_cast<double>(200 - whole + 1)));
    EXPECT_EQ(grid->vertical_bar()->pos(), 200 - whole);
}

// As the open list forwards a press to the bar: the grid holds the capture,
// the press is posted to the bar, the bar takes the capture while it
// tracks, and at SB_ENDSCROLL the grid holds it again.
TEST_F(GridWindow, TheCaptureGoesToTheBarAndComesBackAtTheEndOfScrolling)
{
    bind(k_numbers);
    const win::HWND g = grid->get_hWnd();
    const win::HWND b = grid->vertical_bar()->get_hWnd();
    const win::POINT at = bar_arrow();
    win::SetCapture(g);
    recorder.watch(g, "grid");
    recorder.watch(b, "bar");
    recorder.ignore({win::WM_NCHITTEST, win::WM_MOUSEMOVE, win::WM_PAINT});
    recorder.clear();

    win::PostMessageA(b, win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(at.x, at.y));
    pump();
    EXPECT_EQ(win::GetCapture(), b);
    EXPECT_EQ(grid->get_FirstRow(), vb::Variant(2.0));
    wm().inject_button_up(pendrel::test::Ui::screen_of(b, at));
    pump();
    EXPECT_EQ(win::GetCapture(), g);
    EXPECT_TRUE(recorder.matches({
        posted(b, win::WM_LBUTTONDOWN),
        sent(g, win::WM_CAPTURECHANGED).with_lparam(static_cast<win::LPARAM>(b)),
        sent(g, win::WM_VSCROLL).with_wparam(win::SB_LINEDOWN),
        input(b, win::WM_LBUTTONUP),
        sent(b, win::WM_CAPTURECHANGED).with_lparam(0),
        sent(g, win::WM_VSCROLL).with_wparam(win::SB_ENDSCROLL),
    }));
}

TEST_F(GridWindow, AHiddenGridDoesNotTakeTheCaptureBack)
{
    bind(k_numbers);
    const win::HWND b = grid->vertical_bar()->get_hWnd();
    const win::POINT at = bar_arrow();
    win::SetCapture(grid->get_hWnd());
    win::SendMessageA(b, win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(at.x, at.y));
    ASSERT_EQ(win::GetCapture(), b);
    win::ShowWindow(grid->get_hWnd(), win::SW_HIDE);
    win::ReleaseCapture(); // ends the bar's tracking
    EXPECT_EQ(win::GetCapture(), 0U);
}

} // namespace
