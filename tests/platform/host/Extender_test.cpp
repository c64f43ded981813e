#include <gtest/gtest.h>

#include "platform/host/Extender.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/host/HostTest.h"

namespace {

class ExtenderTest : public pendrel::test::HostTest {};

TEST_F(ExtenderTest, PlacesInTheParentsClientAreaOrOnTheScreenInTwips)
{
    auto& a = add("A", {150, 300, 3015, 375});
    win::RECT r{};
    win::GetWindowRect(a.surface().get_hWnd(), &r);
    EXPECT_EQ(r, (win::RECT{110, 120, 311, 145})) << "form at (100, 100), 15 twips a pixel";
    host::Extender child(a.child);
    EXPECT_EQ(child.get_Left(), 15.0f);
    EXPECT_EQ(child.get_Width(), 150.0f);
    child.let_Left(300);
    win::GetWindowRect(a.child, &r);
    EXPECT_EQ(r.left, 110 + 20);
    host::Extender top_level(form->hwnd()); // placed on the screen
    EXPECT_EQ(top_level.get_Left(), 1500.0f);
}

TEST_F(ExtenderTest, TwipsRoundHalfToEvenPixelsAndBadSizesChangeNothing)
{
    auto ext = add("A").surface().get_Extender();
    ext.let_Width(22.5f); // 1.5 pixels
    EXPECT_EQ(ext.get_Width(), 30.0f);
    ext.let_Width(37.5f); // 2.5 pixels
    EXPECT_EQ(ext.get_Width(), 30.0f);
    ext.let_Top(-22.5f);
    EXPECT_EQ(ext.get_Top(), -30.0f);
    EXPECT_VB_ERROR(ext.let_Height(-15), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(ext.Move(0, 0, 10, -10), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(ext.let_Left(1e30f), vb::err::Overflow);
    EXPECT_EQ(ext.get_Height(), 375.0f);
    EXPECT_EQ(ext.get_Width(), 30.0f);
}

TEST_F(ExtenderTest, VisibleAndEnabledAreTheWindowsOwnAndAWindowThatIsGoneRaises91)
{
    auto& a = add("A");
    host::Extender child(a.child);
    EXPECT_TRUE(child.get_Visible()); // even while the form is hidden
    child.let_Visible(false);
    EXPECT_FALSE(win::IsWindowVisible(a.child));
    child.let_Enabled(false);
    EXPECT_FALSE(win::IsWindowEnabled(a.child));
    EXPECT_FALSE(child.get_Enabled());
    win::DestroyWindow(a.child);
    EXPECT_VB_ERROR((void)child.get_Left(), vb::err::ObjectNotSet);
    EXPECT_VB_ERROR(child.let_Enabled(true), vb::err::ObjectNotSet);
}

TEST_F(ExtenderTest, AKeptExtentIgnoresTheWindowFunctionsAndFollowsItsOwnWrites)
{
    auto& a = add("A");
    host::Extender child(a.child);
    child.Move(150, 300, 1500, 750);
    host::Extender::keep_extent(a.child);
    // Moved onto the desktop and shrunk to nothing, as a closed list is.
    win::SetParent(a.child, win::GetDesktopWindow());
    win::SetWindowPos(a.child, win::HWND_BOTTOM, 0, 0, 0, 0, win::SWP_HIDEWINDOW);
    EXPECT_EQ(child.get_Left(), 150.0f);
    EXPECT_EQ(child.get_Width(), 1500.0f);
    // A write changes its one value in both.
    child.let_Top(450);
    win::RECT r{};
    win::GetWindowRect(a.child, &r);
    EXPECT_EQ(r, (win::RECT{0, 30, 0, 30}));
    EXPECT_EQ(child.get_Top(), 450.0f);
    EXPECT_EQ(child.get_Height(), 750.0f);
    host::Extender::forget_extent(a.child);
    EXPECT_EQ(child.get_Height(), 0.0f);
}

} // namespace
