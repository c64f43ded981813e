#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class Hierarchy : public pendrel::test::DesktopTest {};

TEST_F(Hierarchy, SetParentToTheDesktopAndBackKeepsThePositionNumbers)
{
    const HWND form = top("form", 100, 100, 400, 300);
    const HWND inner = child("inner", form, 10, 20, 50, 30);

    EXPECT_EQ(SetParent(inner, 0), form);
    EXPECT_EQ(rect_of(inner), (RECT{10, 20, 60, 50}));
    EXPECT_EQ(wm().children(form), std::vector<HWND>{});
    EXPECT_EQ(SetParent(inner, form), GetDesktopWindow());
    EXPECT_EQ(rect_of(inner), (RECT{110, 120, 160, 150}));
}

// IsChild follows the parents only through child windows: a window inside a
// pop-up is no child of the pop-up's owner.
TEST_F(Hierarchy, SetParentRefusesLoopsAndGetParentAndIsChildFollowTheWindowKind)
{
    const HWND form = top("form", 0, 0, 100, 100);
    const HWND inner = child("inner", form, 0, 0, 10, 10);
    const HWND deeper = child("deeper", inner, 0, 0, 5, 5);
    const HWND popup = CreateWindowExA(0, k_class, "", WS_POPUP, 0, 0, 9, 9, form);
    const HWND in_popup = CreateWindowExA(0, k_class, "", WS_CHILD, 0, 0, 5, 5, popup);

    EXPECT_EQ(SetParent(form, inner), 0U) << "into its own child";
    EXPECT_EQ(SetParent(form, form), 0U);
    EXPECT_EQ(SetParent(GetDesktopWindow(), form), 0U);
    EXPECT_EQ(SetParent(inner, 0x7FFFFFF0), 0U);
    EXPECT_EQ(GetParent(inner), form);
    EXPECT_EQ(GetParent(form), 0U) << "an overlapped top-level window has none";
    EXPECT_EQ(GetParent(deeper), inner);
    EXPECT_EQ(GetParent(popup), form) << "a pop-up's owner";
    EXPECT_TRUE(IsChild(form, deeper));
    EXPECT_TRUE(IsChild(popup, in_popup));
    EXPECT_EQ(SetParent(popup, inner), GetDesktopWindow());
    EXPECT_FALSE(IsChild(form, in_popup)) << "the chain stops at the pop-up";
    EXPECT_FALSE(IsChild(deeper, form));
    EXPECT_FALSE(IsChild(GetDesktopWindow(), form));
}

} // namespace
