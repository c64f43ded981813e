#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;

namespace {

class Input : public pendrel::test::DesktopTest {};

TEST_F(Input, DeviceStateChangesWhenInjectedNotWhenDelivered)
{
    wm().inject_mouse_move({-40, 7});
    POINT p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, (POINT{-40, 7})) << "a monitor left of the main one";
    wm().inject_key_down(VK_SHIFT);
    EXPECT_TRUE(wm().key_is_down(VK_SHIFT));
    wm().inject_key_up(VK_SHIFT);
    EXPECT_FALSE(wm().key_is_down(VK_SHIFT));
    EXPECT_FALSE(GetCursorPos(nullptr));
}

TEST_F(Input, MouseMessagesCarryTheButtonAndKeyState)
{
    const HWND w = top("w", 0, 0, 100, 100);
    recorder.ignore({WM_NCHITTEST});
    wm().inject_key_down(VK_SHIFT);
    wm().inject_button_down({5, 5}, true);
    wm().inject_mouse_move({6, 6});
    wm().inject_button_up({6, 6}, true);
    pump();

    EXPECT_TRUE(recorder.matches({
        input(w, WM_RBUTTONDOWN).with_wparam(MK_RBUTTON | MK_SHIFT),
        input(w, WM_MOUSEMOVE).with_wparam(MK_RBUTTON | MK_SHIFT),
        input(w, WM_RBUTTONUP).with_wparam(MK_SHIFT),
    }));
}

TEST_F(Input, KeyRepeatSetsThePreviousStateBit)
{
    const HWND w = top("w", 0, 0, 100, 100);
    SetFocus(w);
    recorder.clear();
    wm().inject_key_down(VK_DOWN);
    wm().inject_key_down(VK_DOWN);
    pump();

    const auto downs = recorder.only(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2U);
    EXPECT_EQ(downs[0].lparam, 1);
    EXPECT_EQ(downs[1].lparam, 1 | (LPARAM{1} << 30));
}

TEST_F(Input, ImpossibleKeysAndCharactersAreRefused)
{
    for (int vk : {0, -1, 255, 1000}) {
        EXPECT_THROW(wm().inject_key_down(vk), vb::Error) << vk;
    }
    for (char32_t ch : {char32_t{0}, char32_t{0xD800}, char32_t{0x110000}}) {
        try {
            wm().inject_char(ch);
            ADD_FAILURE() << "accepted " << static_cast<unsigned>(ch);
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::err::InvalidProcedureCall);
        }
    }
    EXPECT_EQ(PumpMessages(), 0) << "nothing was queued";
}

} // namespace
