#include <vector>

#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"
#include "support/win/MessageNames.h"

using namespace win;
using pendrel::test::message_name;
using pendrel::test::sent;

namespace {

// Creation cannot be watched by subclassing (there is no window yet), so
// this class procedure logs what it receives itself.
thread_local std::vector<std::string> t_log;
thread_local LRESULT t_nccreate_answer = 1;
thread_local LRESULT t_create_answer = 0;

LRESULT logging_proc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    t_log.push_back(message_name(m));
    if (m == WM_NCCREATE) {
        EXPECT_EQ(reinterpret_cast<void*>(l), &t_log) << "the create parameter";
        return t_nccreate_answer;
    }
    return m == WM_CREATE ? t_create_answer : DefWindowProcA(h, m, w, l);
}

class Lifetime : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        ASSERT_TRUE(RegisterClassA(WNDCLASS{"Logging", &logging_proc}));
        t_log.clear();
        t_nccreate_answer = 1;
        t_create_answer = 0;
    }
    static HWND create_logged(DWORD style)
    {
        return CreateWindowExA(0, "logging", "t", style, 1, 2, 30, 40, 0, &t_log);
    }
};

// A FALSE from WM_NCCREATE or -1 from WM_CREATE leaves no window.
TEST_F(Lifetime, CreationSendsNcCreateCreateSizeMoveThenShowsOrIsRefused)
{
    const HWND w = create_logged(WS_VISIBLE);
    ASSERT_NE(w, 0U);
    EXPECT_EQ(t_log,
        (std::vector<std::string>{"WM_NCCREATE", "WM_CREATE", "WM_SIZE", "WM_MOVE", "WM_SHOWWINDOW",
            "WM_WINDOWPOSCHANGED"}));
    EXPECT_TRUE(IsWindowVisible(w));
    DestroyWindow(w);
    t_nccreate_answer = 0;
    EXPECT_EQ(create_logged(0), 0U);
    t_nccreate_answer = 1;
    t_create_answer = -1;
    EXPECT_EQ(create_logged(0), 0U);
    EXPECT_TRUE(wm().top_level_windows().empty());
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, 0), 0U);
    EXPECT_EQ(CreateWindowExA(0, k_class, "bad \xC3", 0, 0, 0, 1, 1, 0), 0U) << "not UTF-8";
    EXPECT_EQ(CreateWindowExA(0, k_class, "", WS_CHILD, 0, 0, 1, 1, 0x7FFFFFF0), 0U) << "no parent";
}

// WM_DESTROY goes parents first and WM_NCDESTROY children first, siblings
// top-most first. A handler may move windows into the tree (they are
// destroyed with it) and out of it (they live on and can be destroyed
// later); a nested DestroyWindow of a window in the tree is refused, and
// once WM_NCDESTROY is due nothing moves in or out and no child is made.
TEST_F(Lifetime, DestroyWalksTheTreeAsHandlersLeaveIt)
{
    const HWND p = top("p", 0, 0, 100, 100);
    const HWND c1 = child("c1", p, 0, 0, 10, 10);
    const HWND c2 = child("c2", p, 20, 0, 10, 10);
    const HWND x = top("x", 200, 0, 10, 10);
    const HWND y = top("y", 300, 0, 10, 10);
    recorder.ignore({WM_SHOWWINDOW, WM_WINDOWPOSCHANGED});
    on(p, WM_DESTROY, [&](HWND, WPARAM, LPARAM) {
        EXPECT_FALSE(DestroyWindow(c1)) << "nested destroy inside the tree";
        EXPECT_EQ(SetParent(c2, y), p);
        EXPECT_EQ(SetParent(x, p), GetDesktopWindow());
        return 0;
    });
    on(p, WM_NCDESTROY, [&](HWND self, WPARAM, LPARAM) {
        EXPECT_EQ(SetParent(self, y), 0U);
        EXPECT_EQ(SetParent(y, self), 0U);
        EXPECT_EQ(CreateWindowExA(0, k_class, "", WS_CHILD, 0, 0, 1, 1, self), 0U);
        return 0;
    });

    EXPECT_TRUE(DestroyWindow(p));

    EXPECT_TRUE(recorder.matches({sent(p, WM_DESTROY), sent(x, WM_DESTROY), sent(c1, WM_DESTROY),
        sent(x, WM_NCDESTROY), sent(c1, WM_NCDESTROY), sent(p, WM_NCDESTROY)}));
    for (HWND h : {p, c1, x}) {
        EXPECT_FALSE(IsWindow(h));
    }
    EXPECT_FALSE(DestroyWindow(p)) << "twice";
    EXPECT_TRUE(DestroyWindow(c2)) << "moved out, it can still be destroyed";
}

// Handles are never reused, not even across resets.
TEST_F(Lifetime, OwnedWindowsGoBeforeTheirOwnerAndHandlesAreNeverReused)
{
    const HWND owner = top("owner", 0, 0, 100, 100);
    const HWND inner = child("inner", owner, 0, 0, 10, 10);
    const HWND popup
        = CreateWindowExA(0, k_class, "", WS_POPUP | WS_VISIBLE, 300, 300, 10, 10, inner);
    ASSERT_NE(popup, 0U);
    EXPECT_EQ(GetParent(popup), owner) << "a pop-up's parent is its top-level owner";
    recorder.watch(popup, "popup");
    recorder.ignore({WM_SHOWWINDOW, WM_WINDOWPOSCHANGED});

    DestroyWindow(owner);

    EXPECT_FALSE(IsWindow(popup));
    EXPECT_TRUE(recorder.matches(
        {sent(popup, WM_DESTROY), sent(popup, WM_NCDESTROY), sent(owner, WM_DESTROY),
            sent(inner, WM_DESTROY), sent(inner, WM_NCDESTROY), sent(owner, WM_NCDESTROY)}));
    const HWND first = top("first", 0, 0, 10, 10);
    const HWND desktop = GetDesktopWindow();
    WindowManager::reset();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(GetDesktopWindow(), desktop);
    const HWND second = CreateWindowExA(0, k_class, "", 0, 0, 0, 10, 10, 0);
    EXPECT_NE(second, first);
    EXPECT_NE(second, 0U);
}

} // namespace
