#include <gtest/gtest.h>

#include "platform/host/Screen.h"
#include "platform/win/WindowManager.h"
#include "support/VbError.h"

namespace {

// Twips follow the display's resolution; the mouse pointer takes known
// shapes only.
TEST(Screen, TwipsFollowTheDisplayAndMousePointerTakesKnownShapesOnly)
{
    win::WindowManager::reset();
    auto& screen = host::Screen::the();
    EXPECT_EQ(screen.get_TwipsPerPixelY(), 15.0f);
    EXPECT_EQ(screen.get_Height(), 1080 * 15.0f);
    win::Display display;
    display.dpi = 120;
    win::WindowManager::the().set_display(display);
    EXPECT_EQ(screen.get_TwipsPerPixelX(), 12.0f);
    EXPECT_EQ(screen.get_Width(), 1920 * 12.0f);
    screen.let_MousePointer(host::vbCustom);
    EXPECT_VB_ERROR(screen.let_MousePointer(16), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(screen.let_MousePointer(-1), vb::err::InvalidPropertyValue);
    EXPECT_EQ(screen.get_MousePointer(), host::vbCustom);
    screen.let_MousePointer(host::vbDefault);
    win::WindowManager::reset();
}

} // namespace
