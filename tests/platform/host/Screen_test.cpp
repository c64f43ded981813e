#include <gtest/gtest.h>

#include "platform/host/Screen.h"
#include "platform/win/WindowManager.h"
#include "support/VbError.h"

namespace {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override { win::WindowManager::reset(); }
    void TearDown() override { win::WindowManager::reset(); }
};

TEST_F(ScreenTest, TwipsFollowTheDisplaysResolution)
{
    auto& screen = host::Screen::the();
    EXPECT_EQ(screen.get_TwipsPerPixelY(), 15.0f);
    EXPECT_EQ(screen.get_Height(), 1080 * 15.0f);
    win::Display display;
    display.dpi = 120;
    win::WindowManager::the().set_display(display);
    EXPECT_EQ(screen.get_TwipsPerPixelX(), 12.0f);
    EXPECT_EQ(screen.get_Width(), 1920 * 12.0f);
}

TEST_F(ScreenTest, MousePointerTakesKnownShapesOnly)
{
    auto& screen = host::Screen::the();
    screen.let_MousePointer(host::vbCustom);
    EXPECT_VB_ERROR(screen.let_MousePointer(16), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(screen.let_MousePointer(-1), vb::err::InvalidPropertyValue);
    EXPECT_EQ(screen.get_MousePointer(), host::vbCustom);
    screen.let_MousePointer(host::vbDefault);
}

} // namespace
