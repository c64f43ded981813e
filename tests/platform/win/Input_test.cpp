#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;

namespace {

class Input : public pendrel::test::DesktopTest {};

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
}

// Mouse messages carry the button and key state; a repeated key down sets
// the previous-state bit.
TEST_F(Input, MessagesCarryTheDeviceState)
{
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
