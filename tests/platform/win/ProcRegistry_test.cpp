#include <thread>

#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;

namespace {

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
