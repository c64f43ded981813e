#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;
using pendrel::test::posted;
using pendrel::test::sent;

namespace {

// A form with a one-pixel border at (100, 100); a list (the would-be
// capture holder) at (300, 300) with a one-pixel border.
class InputRouting : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        form = top("form", 100, 100, 200, 100, WS_VISIBLE | WS_BORDER);
        field = child("field", form, 10, 10, 80, 20);
        list = top("list", 300, 300, 100, 100, WS_VISIBLE | WS_BORDER, WS_EX_TOPMOST);
    }
    HWND form = 0;
    HWND field = 0;
    HWND list = 0;
};

// The target is asked where the point lies: in the client area the client
// message comes in client coordinates, elsewhere the non-client one with the
// hit-test code and the screen point. A double click is the whole gesture.
TEST_F(InputRouting, TheHitTestChoosesTheClientOrTheNonClientMessage)
{
    click({115, 121});
    EXPECT_TRUE(recorder.matches({
        sent(field, WM_NCHITTEST).with_lparam(MAKELPARAM(115, 121)),
        input(field, WM_LBUTTONDOWN).with_wparam(MK_LBUTTON).with_lparam(MAKELPARAM(4, 10)),
        sent(field, WM_NCHITTEST),
        input(field, WM_LBUTTONUP).with_wparam(0).with_lparam(MAKELPARAM(4, 10)),
    }));
    recorder.ignore({WM_NCHITTEST});
    recorder.clear();
    wm().inject_button_down({100, 150});
    wm().inject_mouse_move({100, 151});
    wm().inject_button_up({100, 151});
    wm().inject_double_click({350, 350});
    pump();

    EXPECT_TRUE(recorder.matches({
        input(form, WM_NCLBUTTONDOWN).with_wparam(HTBORDER).with_lparam(MAKELPARAM(100, 150)),
        input(form, WM_NCMOUSEMOVE).with_wparam(HTBORDER),
        input(form, WM_NCLBUTTONUP).with_wparam(HTBORDER),
        input(list, WM_LBUTTONDOWN),
        input(list, WM_LBUTTONUP),
        input(list, WM_LBUTTONDBLCLK).with_wparam(MK_LBUTTON),
        input(list, WM_LBUTTONUP),
    }));
}

// While the list holds the capture, a press anywhere goes to it, without a
// hit test, in its client coordinates, negative ones packed as 16-bit words;
// the capture of the moment of delivery counts.
TEST_F(InputRouting, CaptureTakesEveryMouseMessage)
{
    SetCapture(list);
    recorder.clear();
    click({115, 121});

    const LPARAM packed = MAKELPARAM(115 - 301, 121 - 301);
    EXPECT_TRUE(recorder.matches({
        input(list, WM_LBUTTONDOWN).with_lparam(packed),
        input(list, WM_LBUTTONUP).with_lparam(packed),
    }));
    EXPECT_EQ(LOWORD(packed), 65350) << "x -186 as an unsigned word";
    EXPECT_EQ(GET_X_LPARAM(packed), -186);
    EXPECT_EQ(GET_Y_LPARAM(packed), -180);
    wm().inject_button_down({115, 121});
    ReleaseCapture();
    recorder.clear();
    on(field, WM_LBUTTONDOWN,
        [this](HWND, WPARAM, LPARAM) { return LRESULT{SetCapture(list) * 0}; });
    wm().inject_button_up({115, 121});
    pump();
    EXPECT_EQ(recorder.only(WM_LBUTTONDOWN).at(0).hwnd, field);
    EXPECT_EQ(recorder.only(WM_LBUTTONUP).at(0).hwnd, list);
}

TEST_F(InputRouting, InputForADisabledWindowGoesToTheWindowAroundIt)
{
    EnableWindow(field, 0);
    recorder.ignore({WM_NCHITTEST, WM_ENABLE, WM_CANCELMODE});
    recorder.clear();

    click({115, 121});

    EXPECT_TRUE(recorder.matches({
        input(form, WM_LBUTTONDOWN).with_lparam(MAKELPARAM(14, 20)),
        input(form, WM_LBUTTONUP),
    }));
    EnableWindow(form, 0);
    recorder.clear();
    click({115, 121});
    EXPECT_TRUE(recorder.messages().empty()) << "a disabled top-level window gets nothing";
}

// A character typed with a key is translated when the key down is
// delivered: it comes right after it, before what the key's handler posts.
TEST_F(InputRouting, KeysAndTheWheelGoToTheFocusWithTheCharacterAfterKeyDown)
{
    wm().inject_key_down(VK_RETURN);
    wm().inject_key_up(VK_RETURN);
    EXPECT_EQ(PumpMessages(), 0) << "without a focus keys go nowhere";
    SetFocus(field);
    recorder.clear();
    on(field, WM_KEYDOWN,
        [](HWND self, WPARAM, LPARAM) { return LRESULT{PostMessageA(self, WM_USER, 0, 0) * 0}; });
    wm().inject_key_down('A');
    wm().inject_char(U'\u00FC');
    wm().inject_key_up('A');
    wm().inject_wheel({350, 350}, -120);
    pump();

    EXPECT_TRUE(recorder.matches({
        input(field, WM_KEYDOWN).with_wparam('A').with_lparam(1),
        posted(field, WM_CHAR).with_wparam(0xFC),
        posted(field, WM_USER),
        input(field, WM_KEYUP).with_wparam('A').with_lparam(static_cast<LPARAM>(0xC0000001U)),
        input(field, WM_MOUSEWHEEL).with_wparam(MAKEWPARAM(0, -120)),
    }));
}

class Input : public pendrel::test::DesktopTest {};

// Mouse messages carry the button and key state; a repeated key down sets
// the previous-state bit.
TEST_F(Input, DeviceStateChangesWhenInjectedAndImpossibleInputIsRefused)
{
    wm().inject_mouse_move({-40, 7});
    POINT p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, (POINT{-40, 7})) << "a monitor left of the main one";
    EXPECT_FALSE(GetCursorPos(nullptr));
    wm().inject_key_down(VK_SHIFT);
    EXPECT_TRUE(wm().key_is_down(VK_SHIFT));
    wm().inject_key_up(VK_SHIFT);
    EXPECT_FALSE(wm().key_is_down(VK_SHIFT));
    PumpMessages();
    for (int vk : {0, -1, 255, 1000}) {
        EXPECT_VB_ERROR(wm().inject_key_down(vk), vb::err::InvalidProcedureCall);
    }
    for (char32_t ch : {char32_t{0}, char32_t{0xD800}, char32_t{0x110000}}) {
        EXPECT_VB_ERROR(wm().inject_char(ch), vb::err::InvalidProcedureCall);
    }
    EXPECT_EQ(PumpMessages(), 0) << "nothing was queued";
    const HWND w = top("w", 0, 0, 100, 100);
    SetFocus(w);
    recorder.ignore({WM_NCHITTEST, WM_KEYUP, WM_SETFOCUS});
    recorder.clear();
    wm().inject_key_down(VK_SHIFT);
    wm().inject_button_down({5, 5}, true);
    wm().inject_mouse_move({6, 6});
    wm().inject_button_up({6, 6}, true);
    wm().inject_key_down(VK_SHIFT);
    pump();

    EXPECT_TRUE(recorder.matches({
        input(w, WM_KEYDOWN).with_lparam(1),
        input(w, WM_RBUTTONDOWN).with_wparam(MK_RBUTTON | MK_SHIFT),
        input(w, WM_MOUSEMOVE).with_wparam(MK_RBUTTON | MK_SHIFT),
        input(w, WM_RBUTTONUP).with_wparam(MK_SHIFT),
        input(w, WM_KEYDOWN).with_lparam(1 | (LPARAM{1} << 30)),
    }));
}

} // namespace
