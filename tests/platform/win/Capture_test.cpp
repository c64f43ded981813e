#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::sent;

namespace {

class Capture : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        a = top("a", 10, 10, 100, 100);
        b = top("b", 200, 10, 100, 100);
        // What GetCapture says inside each window's WM_CAPTURECHANGED.
        for (HWND h : {a, b}) {
            on(h, WM_CAPTURECHANGED, [this](HWND self, WPARAM, LPARAM) {
                seen_inside[self] = GetCapture();
                return 0;
            });
        }
        recorder.ignore({WM_NCHITTEST});
    }
    HWND a = 0;
    HWND b = 0;
    std::map<HWND, HWND> seen_inside;
};

LPARAM lp(HWND h)
{
    return static_cast<LPARAM>(h);
}

// Each loser is told before SetCapture/ReleaseCapture returns, and GetCapture
// already shows the new holder inside its handler; no change tells nobody.
TEST_F(Capture, StolenThenReleasedTellsEachLoser)
{
    EXPECT_TRUE(ReleaseCapture()) << "nothing captured";
    EXPECT_EQ(SetCapture(a), 0U);
    EXPECT_EQ(SetCapture(a), a) << "already the holder";
    EXPECT_TRUE(recorder.messages().empty()) << "nobody lost anything";

    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(seen_inside[a], b);
    EXPECT_EQ(SetCapture(0x7FFFFFF0), 0U) << "an unknown window takes nothing";
    EXPECT_EQ(GetCapture(), b);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(seen_inside[b], 0U);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(lp(b)),
        sent(b, WM_CAPTURECHANGED).at_depth(1).with_lparam(0),
    }));
    EXPECT_EQ(GetCapture(), 0U);
}

// Hiding the holder, or a window around it, releases it before the position
// notice; so does destroying it (while it still exists), even when hidden.
TEST_F(Capture, HidingOrDestroyingTheHolderReleasesIt)
{
    const HWND inner = child("inner", a, 5, 5, 20, 20);
    SetCapture(inner);
    recorder.clear();
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_TRUE(recorder.matches({
        sent(inner, WM_CAPTURECHANGED).with_lparam(0),
        sent(a, WM_WINDOWPOSCHANGED),
    }));

    SetCapture(b);
    recorder.clear();
    ShowWindow(b, SW_HIDE);
    EXPECT_TRUE(recorder.matches({
        sent(b, WM_SHOWWINDOW).with_wparam(0),
        sent(b, WM_CAPTURECHANGED).with_lparam(0),
        sent(b, WM_WINDOWPOSCHANGED),
    }));
    EXPECT_EQ(GetCapture(), 0U);

    SetCapture(b);
    recorder.clear();
    bool existed = false;
    on(b, WM_CAPTURECHANGED, [&](HWND self, WPARAM, LPARAM) {
        existed = IsWindow(self) != 0;
        return 0;
    });
    DestroyWindow(b);
    EXPECT_TRUE(recorder.matches({
        sent(b, WM_CAPTURECHANGED).with_lparam(0),
        sent(b, WM_DESTROY),
        sent(b, WM_NCDESTROY),
    }));
    EXPECT_TRUE(existed);
    EXPECT_EQ(GetCapture(), 0U);
}

// The loser takes the capture back from inside its notification: the change
// it makes nests inside, tells the window that had just won, and wins.
TEST_F(Capture, SetCaptureInsideTheNotificationNestsAndWins)
{
    SetCapture(a);
    recorder.clear();
    on(a, WM_CAPTURECHANGED, [](HWND self, WPARAM, LPARAM) {
        EXPECT_NE(SetCapture(self), self);
        return 0;
    });

    EXPECT_EQ(SetCapture(b), a);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(lp(b)),
        sent(b, WM_CAPTURECHANGED).at_depth(2).with_lparam(lp(a)),
    }));
    EXPECT_EQ(GetCapture(), a);
}

TEST_F(Capture, TakingItBackOnReleaseWinsWithoutMoreMessages)
{
    SetCapture(a);
    recorder.clear();
    on(a, WM_CAPTURECHANGED, [](HWND self, WPARAM, LPARAM) {
        EXPECT_EQ(SetCapture(self), 0U) << "released already";
        return 0;
    });

    EXPECT_TRUE(ReleaseCapture());

    EXPECT_TRUE(recorder.matches({sent(a, WM_CAPTURECHANGED).with_lparam(0)}));
    EXPECT_EQ(GetCapture(), a);
}

// How a drop-down list uses the window manager: opened as a top-most window
// of the desktop with its procedure replaced and the capture taken; a press
// outside it closes it from inside its own handler, which releases the
// capture (so the capture-loss notification nests inside), and then passes
// the press on to the list's own procedure.
thread_local LONG t_list_own_proc = 0;
thread_local HWND t_list_control = 0;
thread_local std::vector<std::string> t_steps;

void close_list(HWND list)
{
    t_steps.push_back("close");
    ReleaseCapture();
    SetWindowLongA(list, GWL_WNDPROC, t_list_own_proc);
    ShowWindow(list, SW_HIDE);
    SetWindowPos(list, HWND_BOTTOM, 0, 0, 0, 0, SWP_HIDEWINDOW);
    SetParent(list, t_list_control);
    ReleaseCapture();
}

LRESULT list_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_LBUTTONDOWN) {
        POINT p;
        GetCursorPos(&p);
        const LRESULT hit
            = CallWindowProcA(t_list_own_proc, hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        t_steps.push_back("press, hit " + std::to_string(hit));
        RECT r;
        GetWindowRect(hwnd, &r);
        if (hit != HTCLIENT && PtInRect(&r, p) == 0 && IsWindowVisible(hwnd) != 0) {
            close_list(hwnd);
        }
    } else if (msg == WM_CAPTURECHANGED) {
        t_steps.push_back("capture lost");
        if (IsWindowVisible(hwnd) != 0) {
            close_list(hwnd);
        }
    }
    return CallWindowProcA(t_list_own_proc, hwnd, msg, wparam, lparam);
}

TEST_F(Capture, PressOutsideAnOpenListClosesItFromInsideItsOwnHandler)
{
    const HWND control = child("control", a, 5, 5, 80, 20);
    const HWND list = child("list", control, 0, 25, 80, 60, WS_DISABLED);
    t_list_control = control;
    t_steps.clear();
    // Open.
    SetParent(list, GetDesktopWindow());
    SetWindowPos(list, HWND_TOPMOST, 15, 40, 80, 60, 0x0051);
    t_list_own_proc = SetWindowLongA(list, GWL_WNDPROC, ProcNumber(&list_proc));
    SetCapture(list);
    recorder.clear();

    click({250, 50}); // on b

    // The close releases the capture first, so the capture-loss handler runs
    // inside it and closes the still visible list a second time, nested.
    EXPECT_EQ(
        t_steps, (std::vector<std::string>{"press, hit 0", "close", "capture lost", "close"}));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(GetParent(list), control);
    EXPECT_EQ(GetCapture(), 0U);
    EXPECT_EQ(GetWindowLongA(list, GWL_WNDPROC), t_list_own_proc);
    EXPECT_TRUE(
        recorder.only(WM_LBUTTONDOWN).size() == 1 && recorder.only(WM_LBUTTONDOWN)[0].hwnd == list)
        << "the press reached the list's own procedure, not b";
    EXPECT_EQ(recorder.only(WM_LBUTTONUP).at(0).hwnd, b) << "the release, uncaptured, goes to b";
}

} // namespace
