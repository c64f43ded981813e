#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::sent;

namespace {

class Placement : public pendrel::test::DesktopTest {
protected:
    // The flags of the last WM_WINDOWPOSCHANGED recorded.
    UINT last_flags() const { return recorder.only(WM_WINDOWPOSCHANGED).back().flags; }
    std::vector<HWND> top_level() const { return wm().top_level_windows(); }
    bool topmost(HWND h) const { return (wm().ex_style(h) & WS_EX_TOPMOST) != 0; }
};

TEST_F(Placement, AWindowIsVisibleOnlyWhenItAndAllItsParentsAreShown)
{
    const HWND form = top("form", 0, 0, 100, 100);
    const HWND inner = child("inner", form, 0, 0, 10, 10);

    EXPECT_TRUE(IsWindowVisible(inner));
    EXPECT_TRUE(ShowWindow(form, SW_HIDE)) << "returns whether it was shown";
    EXPECT_FALSE(IsWindowVisible(inner));
    EXPECT_FALSE(ShowWindow(form, SW_HIDE));
    EXPECT_FALSE(ShowWindow(form, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(inner));
    EXPECT_TRUE(ShowWindow(form, 3)) << "maximising is not modelled: nothing changes";
    EXPECT_TRUE(IsWindowVisible(form));
}

TEST_F(Placement, MoveWindowSendsPositionChangedThenMoveAndSize)
{
    const HWND w = top("w", 10, 10, 100, 50, WS_VISIBLE | WS_BORDER);

    EXPECT_TRUE(MoveWindow(w, 20, 30, 100, 60, 1));

    EXPECT_TRUE(recorder.matches({
        sent(w, WM_WINDOWPOSCHANGED).at_depth(1),
        sent(w, WM_MOVE).at_depth(2).with_lparam(MAKELPARAM(21, 31)),
        sent(w, WM_SIZE).at_depth(2).with_lparam(MAKELPARAM(98, 58)),
    }));
    recorder.clear();
    MoveWindow(w, 20, 30, 100, 60, 1);
    EXPECT_TRUE(recorder.messages().empty()) << "no change, no message";
    // Sizes and positions stay within message words.
    MoveWindow(w, -100000, 100000, -5, 1 << 30, 1);
    EXPECT_EQ(rect_of(w), (RECT{-32768, 32767, -32768, 32767 + 32767}));
}

// Opening a drop-down list: move, hide, put on the desktop, then top-most,
// moved and shown without activation (flags 0x0051).
TEST_F(Placement, ListOpensAsATopMostWindowOfTheDesktopAndCloses)
{
    const HWND form = top("form", 0, 0, 400, 300);
    const HWND control = child("control", form, 10, 10, 200, 20);
    const HWND list = child("list", control, 0, 30, 180, 100, WS_DISABLED);
    const HWND other = top("other", 0, 0, 50, 50, WS_VISIBLE, WS_EX_TOPMOST);

    MoveWindow(list, 15, 35, 180, 100, 1);
    ShowWindow(list, SW_HIDE);
    EXPECT_EQ(SetParent(list, GetDesktopWindow()), control);
    ASSERT_TRUE(SetWindowPos(list, HWND_TOPMOST, 15, 35, 180, 100, 0x0051));

    EXPECT_EQ(rect_of(list), (RECT{15, 35, 195, 135})) << "its numbers now count from the screen";
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(top_level(), (std::vector<HWND>{form, other, list}));
    EXPECT_EQ(GetParent(list), GetDesktopWindow()) << "still a child window, of the desktop";
    EXPECT_EQ(last_flags(), SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW)
        << "same numbers: not moved; raised into the top-most group and shown";

    // Closing: to the bottom (no longer top-most), hidden, back in the control.
    SetWindowPos(list, HWND_BOTTOM, 0, 0, 0, 0, SWP_HIDEWINDOW);
    EXPECT_EQ(top_level(), (std::vector<HWND>{list, form, other}));
    EXPECT_FALSE(topmost(list));
    EXPECT_EQ(SetParent(list, control), GetDesktopWindow());
    EXPECT_EQ(rect_of(list), (RECT{10, 10, 10, 10}));
    EXPECT_EQ(wm().children(control), (std::vector<HWND>{list}));
}

// The reported flags say what really changed. Placed just below a sibling,
// a window joins that sibling's group only by leaving the top-most one.
TEST_F(Placement, ReportedFlagsSayWhatReallyChangedAndTopMostWindowsStayAboveTheOthers)
{
    const HWND a = top("a", 0, 0, 10, 10);
    const HWND b = top("b", 0, 0, 10, 10);
    SetWindowPos(a, HWND_TOP, 0, 0, 20, 10, SWP_NOACTIVATE);
    EXPECT_EQ(last_flags(), SWP_NOACTIVATE | SWP_NOMOVE) << "sized and raised above b";
    SetWindowPos(a, b, 5, 0, 0, 0, SWP_NOSIZE);
    EXPECT_EQ(last_flags(), SWP_NOSIZE) << "moved and put below b";
    EXPECT_EQ(top_level(), (std::vector<HWND>{a, b}));
    EXPECT_FALSE(SetWindowPos(a, 0x7FFFFFF0, 0, 0, 0, 0, SWP_NOSIZE)) << "not a sibling";
    const HWND tip = top("tip", 0, 0, 10, 10, WS_VISIBLE, WS_EX_TOPMOST);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    EXPECT_EQ(top_level(), (std::vector<HWND>{a, b, tip}));

    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, keep);
    EXPECT_EQ(top_level(), (std::vector<HWND>{b, a, tip})) << "top of its group";
    SetWindowPos(b, tip, 0, 0, 0, 0, keep);
    EXPECT_EQ(top_level(), (std::vector<HWND>{a, b, tip}));
    EXPECT_FALSE(topmost(b)) << "below a top-most window, still not top-most";
    SetWindowPos(tip, a, 0, 0, 0, 0, keep);
    EXPECT_EQ(top_level(), (std::vector<HWND>{tip, a, b}));
    EXPECT_FALSE(topmost(tip)) << "below a window that is not, no longer top-most";
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(tip, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    EXPECT_EQ(top_level(), (std::vector<HWND>{b, tip, a}));
}

} // namespace
