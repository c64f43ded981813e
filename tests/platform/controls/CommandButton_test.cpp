#include "platform/controls/CommandButton.h"

#include <gtest/gtest.h>

#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;

class CommandButtonClicks : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        btn = &button(50, 50, 40, 30);
        log.watch(*btn, "btn");
        btn->on_got_focus = nullptr;
        hwnd = btn->get_hWnd();
    }

    CommandButton* btn = nullptr;
    win::HWND hwnd = 0;
};

// Released outside (the right edge is outside) it does not click; moved
// out and back in before the release it does.
TEST_F(CommandButtonClicks, OnlyAReleaseInsideClicks)
{
    win::HWND capture_in_click = 1;
    btn->on_click = [&] {
        log.record("btn.Click");
        capture_in_click = win::GetCapture();
    };
    ui.button_down(hwnd, {10, 10});
    EXPECT_EQ(win::GetCapture(), hwnd);
    EXPECT_TRUE(btn->pushed());
    ui.button_up(hwnd, {40, 10});
    EXPECT_EQ(log.take(), Events{});
    EXPECT_EQ(win::GetCapture(), 0U);
    ui.button_down(hwnd, {10, 10});
    ui.move_to(hwnd, {-5, 10});
    EXPECT_FALSE(btn->pushed());
    ui.move_to(hwnd, {39, 29});
    EXPECT_TRUE(btn->pushed());
    ui.button_up(hwnd, {39, 29});
    EXPECT_EQ(log.take(), (Events{"btn.Click"}));
    EXPECT_EQ(capture_in_click, 0U) << "the capture goes back before the click";
    EXPECT_FALSE(btn->pushed());
}

TEST_F(CommandButtonClicks, CaptureTakenAwayCancelsThePressAndAClickMayDestroyTheButton)
{
    ui.button_down(hwnd, {10, 10});
    win::SetCapture(form);
    EXPECT_FALSE(btn->pushed());
    win::ReleaseCapture();
    ui.button_up(hwnd, {10, 10});
    EXPECT_EQ(log.take(), Events{});
    btn->on_click = [this] { destroy(*btn); };
    ui.click(hwnd);
    EXPECT_EQ(win::IsWindow(hwnd), 0);
}

TEST_F(CommandButtonClicks, BadValuesAreRefused)
{
    EXPECT_VB_ERROR(btn->let_Appearance(3), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(btn->let_MaskColor(0x90000000), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(btn->let_Caption("\xC3"), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(btn->set_Font(nullptr), vb::err::ObjectRequired);
}

} // namespace
} // namespace controls
