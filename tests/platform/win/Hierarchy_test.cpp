#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class Hierarchy : public pendrel::test::DesktopTest {};

TEST_F(Hierarchy, SetParentToTheDesktopAndBackKeepsThePositionNumbers)
{
    const HWND form = top("form", 100, 100, 400, 300);
    const HWND inner = child("inner", form, 10, 20, 50, 30);
    RECT r;

    EXPECT_EQ(SetParent(inner, 0), form);
    GetWindowRect(inner, &r);
    EXPECT_EQ(r, (RECT{10, 20, 60, 50}));
    EXPECT_EQ(wm().children(form), std::vector<HWND>{});

    EXPECT_EQ(SetParent(inner, form), GetDesktopWindow());
    GetWindowRect(inner, &r);
    EXPECT_EQ(r, (RECT{110, 120, 160, 150}));
    EXPECT_TRUE(IsChild(form, inner));
}

TEST_F(Hierarchy, SetParentRefusesLoopsAndGetParentFollowsTheWindowKind)
{
    const HWND form = top("form", 0, 0, 100, 100);
    const HWND inner = child("inner", form, 0, 0, 10, 10);

    EXPECT_EQ(SetParent(form, inner), 0U) << "into its own child";
    EXPECT_EQ(SetParent(form, form), 0U);
    EXPECT_EQ(SetParent(GetDesktopWindow(), form), 0U);
    EXPECT_EQ(SetParent(inner, 0x7FFFFFF0), 0U);
    EXPECT_EQ(GetParent(inner), form);

    const HWND deeper = child("deeper", inner, 0, 0, 5, 5);
    EXPECT_EQ(GetParent(form), 0U) << "an overlapped top-level window has none";
    EXPECT_EQ(GetParent(deeper), inner);
    EXPECT_TRUE(IsChild(form, deeper));
    EXPECT_FALSE(IsChild(deeper, form));
    EXPECT_FALSE(IsChild(GetDesktopWindow(), form));
}

} // namespace
