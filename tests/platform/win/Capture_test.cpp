#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;
using pendrel::test::posted;
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

TEST_F(Capture, StolenCaptureTellsTheLoserBeforeSetCaptureReturns)
{
    EXPECT_EQ(SetCapture(a), 0U);
    EXPECT_TRUE(recorder.messages().empty()) << "nobody lost anything";

    EXPECT_EQ(SetCapture(b), a);

    EXPECT_TRUE(recorder.matches({sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(lp(b))}));
    EXPECT_EQ(seen_inside[a], b) << "GetCapture already shows the new holder in the handler";
    EXPECT_EQ(GetCapture(), b);
}

TEST_F(Capture, ReleaseTellsTheHolderWithZero)
{
    SetCapture(a);
    recorder.clear();

    EXPECT_TRUE(ReleaseCapture());

    EXPECT_TRUE(recorder.matches({sent(a, WM_CAPTURECHANGED).with_lparam(0)}));
    EXPECT_EQ(seen_inside[a], 0U);
    EXPECT_EQ(GetCapture(), 0U);
}

TEST_F(Capture, NoChangeSendsNothing)
{
    EXPECT_TRUE(ReleaseCapture()) << "nothing captured";
    SetCapture(a);
    EXPECT_EQ(SetCapture(a), a) << "already the holder";
    EXPECT_TRUE(recorder.messages().empty());
    EXPECT_EQ(SetCapture(0x7FFFFFF0), 0U) << "an unknown window takes nothing";
    EXPECT_EQ(GetCapture(), a);
}

TEST_F(Capture, HidingTheHolderReleasesItBeforeThePositionNotice)
{
    SetCapture(a);
    recorder.clear();

    ShowWindow(a, SW_HIDE);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_SHOWWINDOW).with_wparam(0),
        sent(a, WM_CAPTURECHANGED).with_lparam(0),
        sent(a, WM_WINDOWPOSCHANGED),
    }));
    EXPECT_EQ(GetCapture(), 0U);
}

TEST_F(Capture, HidingAWindowAroundTheHolderReleasesIt)
{
    const HWND inner = child("inner", a, 5, 5, 20, 20);
    SetCapture(inner);
    recorder.clear();

    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);

    EXPECT_TRUE(recorder.matches({
        sent(inner, WM_CAPTURECHANGED).with_lparam(0),
        sent(a, WM_WINDOWPOSCHANGED),
    }));
}

TEST_F(Capture, DestroyingTheHolderReleasesItWhileTheWindowStillExists)
{
    SetCapture(a);
    recorder.clear();
    bool existed = false;
    on(a, WM_CAPTURECHANGED, [&](HWND self, WPARAM, LPARAM) {
        existed = IsWindow(self) != 0;
        return 0;
    });

    DestroyWindow(a);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_SHOWWINDOW),
        sent(a, WM_CAPTURECHANGED).with_lparam(0),
        sent(a, WM_WINDOWPOSCHANGED),
        sent(a, WM_DESTROY),
        sent(a, WM_NCDESTROY),
    }));
    EXPECT_TRUE(existed);
    EXPECT_EQ(GetCapture(), 0U);
}

TEST_F(Capture, DestroyingAHiddenHolderStillTellsIt)
{
    ShowWindow(b, SW_HIDE);
    SetCapture(b);
    recorder.clear();

    DestroyWindow(b);

    EXPECT_TRUE(recorder.matches({
        sent(b, WM_CAPTURECHANGED).with_lparam(0),
        sent(b, WM_DESTROY),
        sent(b, WM_NCDESTROY),
    }));
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

} // namespace
