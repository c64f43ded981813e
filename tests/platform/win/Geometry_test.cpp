#include <thread>

#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class Geometry : public pendrel::test::DesktopTest {
protected:
    static RECT client_of(HWND hwnd)
    {
        RECT r;
        GetClientRect(hwnd, &r);
        return r;
    }
};

TEST_F(Geometry, RectanglesAndPointsAreInScreenPixelsWithTheBorderBetween)
{
    const HWND form = top("form", -300, -20, 400, 300, WS_VISIBLE | WS_BORDER);
    const HWND inner = child("inner", form, 10, 20, 50, 30);

    EXPECT_EQ(rect_of(inner), (RECT{-289, 1, -239, 31})) << "inside form's one-pixel border";
    EXPECT_EQ(client_of(form), (RECT{0, 0, 398, 298}));
    POINT p{0, 0};
    ASSERT_TRUE(ScreenToClient(inner, &p));
    EXPECT_EQ(p, (POINT{289, -1}));
    ASSERT_TRUE(ClientToScreen(inner, &p));
    EXPECT_EQ(p, (POINT{0, 0}));
    wm().set_border(inner, 3);
    EXPECT_EQ(client_of(inner), (RECT{0, 0, 44, 24}));
    wm().set_border(inner, 40);
    EXPECT_EQ(client_of(inner), (RECT{0, 0, 0, 0})) << "a border wider than the window";
    RECT r;
    EXPECT_FALSE(GetWindowRect(0x7FFFFFF0, &r));
    EXPECT_FALSE(ScreenToClient(0x7FFFFFF0, &p));
}

// The window covers x -10..29, y 5..24 on the screen: partly left of the
// screen, so hit tests see negative coordinates packed in 16-bit words.
TEST_F(Geometry, PtInRectAndHitTestAgreeAtTheEdges)
{
    struct Row {
        const char* name;
        POINT point;
        BOOL in_rect;
        LRESULT hit; // DefWindowProcA's answer for a 1-pixel border
    };
    const HWND w = top("w", -10, 5, 40, 20, WS_VISIBLE | WS_BORDER);
    const RECT r = rect_of(w);
    for (const Row& row : {Row{"top left corner is border", {-10, 5}, 1, HTBORDER},
             Row{"first client pixel", {-9, 6}, 1, HTCLIENT},
             Row{"last client pixel", {28, 23}, 1, HTCLIENT},
             Row{"right border column", {29, 10}, 1, HTBORDER},
             Row{"right edge is outside", {30, 10}, 0, HTNOWHERE},
             Row{"bottom edge is outside", {0, 25}, 0, HTNOWHERE},
             Row{"left of it", {-11, 10}, 0, HTNOWHERE}, Row{"above", {0, 4}, 0, HTNOWHERE}}) {
        EXPECT_EQ(PtInRect(&r, row.point), row.in_rect) << row.name;
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(row.point.x, row.point.y)), row.hit)
            << row.name;
    }
}

TEST_F(Geometry, WindowFromPointFindsTheDeepestShownWindowTopMostFirst)
{
    const HWND form = top("form", 0, 0, 400, 300, WS_VISIBLE | WS_BORDER);
    const HWND panel = child("panel", form, 10, 10, 200, 200);
    const HWND button = child("button", panel, 10, 10, 50, 20, WS_VISIBLE | WS_DISABLED);
    child("hidden", panel, 100, 100, 50, 50, 0);
    const HWND list = top("list", 150, 150, 100, 100, WS_VISIBLE, WS_EX_TOPMOST);
    top("later", 140, 140, 100, 100); // made after list, but not top-most

    EXPECT_EQ(WindowFromPoint({25, 25}), button) << "disabled windows are found";
    EXPECT_EQ(WindowFromPoint({115, 115}), panel) << "hidden windows are not";
    EXPECT_EQ(WindowFromPoint({160, 160}), list);
    EXPECT_EQ(WindowFromPoint({0, 5}), form) << "the border is the form's";
    EXPECT_EQ(WindowFromPoint({1000, 1000}), 0U);
    ShowWindow(form, SW_HIDE);
    EXPECT_EQ(WindowFromPoint({25, 25}), 0U);
}

class Hierarchy : public pendrel::test::DesktopTest {};

// Moved to the desktop and back, a window keeps its position numbers. IsChild
// follows the parents only through child windows: a window inside a pop-up
// is no child of the pop-up's owner.
TEST_F(Hierarchy, SetParentRefusesLoopsAndGetParentAndIsChildFollowTheWindowKind)
{
    const HWND form = top("form", 100, 100, 400, 300);
    const HWND inner = child("inner", form, 10, 20, 50, 30);
    const HWND deeper = child("deeper", inner, 0, 0, 5, 5);

    EXPECT_EQ(SetParent(inner, 0), form);
    EXPECT_EQ(rect_of(inner), (RECT{10, 20, 60, 50}));
    EXPECT_EQ(wm().children(form), std::vector<HWND>{});
    EXPECT_EQ(SetParent(inner, form), GetDesktopWindow());
    EXPECT_EQ(rect_of(inner), (RECT{110, 120, 160, 150}));
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

class Display : public pendrel::test::DesktopTest {};

// The settings belong to the thread and to its desktop window.
TEST_F(Display, DefaultsToAFullHdScreenAt96DpiAndRefusesImpossibleDisplays)
{
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, (RECT{0, 0, 1920, 1040}));
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, nullptr, 0));
    for (const win::Display& d : {win::Display{.work_area = {0, 0, 1921, 1040}},
             win::Display{.dpi = 0}, win::Display{.width = 40000}}) {
        EXPECT_VB_ERROR(wm().set_display(d), vb::err::InvalidPropertyValue);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920) << "unchanged";
    wm().set_display({1024, 768, {0, 30, 1024, 768}, 96});
    EXPECT_EQ(rect_of(GetDesktopWindow()), (RECT{0, 0, 1024, 768}));
    int elsewhere = 0;
    std::thread([&] { elsewhere = GetSystemMetrics(SM_CXSCREEN); }).join();
    EXPECT_EQ(elsewhere, 1920);
    // Scroll bars: 17 pixels at 96 dpi, scaled with the dpi and rounded half
    // to even.
    for (const auto& [dpi, thumb] : {std::pair{96, 17}, {120, 21}, {144, 26}, {48, 8}}) {
        wm().set_display({.dpi = dpi});
        EXPECT_EQ(GetSystemMetrics(SM_CXHTHUMB), thumb) << dpi;
        EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), thumb) << dpi;
    }
}

} // namespace
