#include <thread>

#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

class WindowManagerTest : public pendrel::test::DesktopTest {};

// What a thread sees while another thread's windows exist.
struct ThreadView {
    HWND own = 0;
    HWND desktop = 0;
    bool sees_other = true;
    HWND capture_seen = 1;
    HWND top_level = 0;
};

// Each thread has its own desktop, windows, capture and queue; a handle of
// another thread's window is simply not found.
TEST_F(WindowManagerTest, TwoThreadsNeverSeeEachOthersWindows)
{
    const HWND here = top("here", 0, 0, 100, 100);
    SetCapture(here);
    PostMessageA(here, WM_USER, 0, 0);
    ThreadView views[2];
    std::atomic<int> made{0};
    auto run = [&](int i) {
        ThreadView& v = views[i];
        v.own = CreateWindowExA(0, k_class, "", WS_VISIBLE, 0, 0, 10, 10, 0);
        v.desktop = GetDesktopWindow();
        ++made;
        while (made.load() < 2) {
            std::this_thread::yield();
        }
        v.sees_other = IsWindow(views[1 - i].own) != 0 || IsWindow(here) != 0
            || SendMessageA(here, WM_NCHITTEST, 0, 0) != 0 || SetCapture(here) != 0;
        v.capture_seen = GetCapture();
        v.top_level = WindowManager::the().top_level_windows().at(0);
        PumpMessages();
    };
    std::thread first(run, 0);
    std::thread second(run, 1);
    first.join();
    second.join();

    for (const ThreadView& v : views) {
        EXPECT_NE(v.own, 0U);
        EXPECT_FALSE(v.sees_other);
        EXPECT_EQ(v.capture_seen, 0U);
        EXPECT_EQ(v.top_level, v.own);
        EXPECT_NE(v.desktop, GetDesktopWindow());
    }
    EXPECT_NE(views[0].own, views[1].own);
    EXPECT_EQ(GetCapture(), here);
    EXPECT_EQ(PumpMessages(), 1) << "our posted message waited for us";
}

TEST_F(WindowManagerTest, ChangesThatShowOnScreenAreReported)
{
    const HWND form = top("form", 0, 0, 100, 100);
    const HWND inner = child("inner", form, 0, 0, 10, 10);
    std::vector<HWND> told;
    wm().on_invalidate = [&](HWND h) { told.push_back(h); };

    MoveWindow(inner, 1, 1, 10, 10, 1);
    MoveWindow(inner, 1, 1, 10, 10, 1);
    ShowWindow(inner, SW_HIDE);
    SetParent(inner, 0);
    InvalidateRect(form, nullptr, 1);
    MoveWindow(form, 5, 5, 100, 100, 0);

    EXPECT_EQ(told, (std::vector<HWND>{inner, inner, form, inner, form}))
        << "once per real change; not without repaint";
}

// Two distinct procedures that behave alike.
template <int N> LRESULT plain_proc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcA(h, m, w, l);
}
constexpr auto proc_one = &plain_proc<1>;
constexpr auto proc_two = &plain_proc<2>;

// A subclass as production code writes one: it keeps the previous number
// and passes on what it does not answer.
thread_local LONG t_previous = 0;
LRESULT length_plus_100(HWND h, UINT m, WPARAM w, LPARAM l)
{
    const LRESULT passed_on = CallWindowProcA(t_previous, h, m, w, l);
    return m == WM_GETTEXTLENGTH ? passed_on + 100 : passed_on;
}

TEST(ProcNumbers, AreStableDistinctTheSameOnEveryThreadAndOnlyForProcedures)
{
    const LONG one = ProcNumber(proc_one);
    const LONG two = ProcNumber(proc_two);
    EXPECT_GT(one, 0);
    EXPECT_NE(one, two);
    EXPECT_EQ(ProcNumber(proc_one), one);
    EXPECT_EQ(ProcFromNumber(two), proc_two);
    LONG seen_elsewhere = 0;
    std::thread([&] { seen_elsewhere = ProcNumber(proc_two); }).join();
    EXPECT_EQ(seen_elsewhere, two);
    EXPECT_EQ(ProcNumber(nullptr), 0);
    for (LONG n : {0, -1, one + 1, one - 0x10000, 0x7FFFFFF0}) {
        EXPECT_EQ(ProcFromNumber(n), nullptr) << n;
        EXPECT_EQ(CallWindowProcA(n, 0, WM_USER, 0, 0), 0) << n;
    }
}

class Subclassing : public pendrel::test::DesktopTest {};

TEST_F(Subclassing, InstallPassOnAndRestore)
{
    const HWND w = CreateWindowExA(0, k_class, "abc", 0, 0, 0, 10, 10, 0); // not watched
    const LONG own = GetWindowLongA(w, GWL_WNDPROC);
    ASSERT_EQ(ProcFromNumber(own), &test_window_proc);

    t_previous = SetWindowLongA(w, GWL_WNDPROC, ProcNumber(&length_plus_100));
    EXPECT_EQ(t_previous, own);
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 103);

    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, t_previous), ProcNumber(&length_plus_100));
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 3);
    for (LONG unknown : {12345, 0}) {
        EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, unknown), own) << "installs nothing, returns it";
    }
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), own);
}

} // namespace
