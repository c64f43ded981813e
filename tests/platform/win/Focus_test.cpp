#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::sent;

namespace {

class Focus : public pendrel::test::DesktopTest {
public:
    using DesktopTest::k_class;

protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        form = top("form", 0, 0, 400, 300);
        a = child("a", form, 10, 10, 100, 20);
        b = child("b", form, 10, 40, 100, 20);
        recorder.ignore({WM_SHOWWINDOW, WM_WINDOWPOSCHANGED, WM_ENABLE});
    }
    HWND form = 0;
    HWND a = 0;
    HWND b = 0;
};

TEST_F(Focus, MoveSendsKillFocusToTheOldThenSetFocusToTheNew)
{
    EXPECT_EQ(SetFocus(a), 0U);
    recorder.clear();
    HWND inside_kill = 0;
    on(a, WM_KILLFOCUS, [&](HWND, WPARAM, LPARAM) {
        inside_kill = GetFocus();
        return 0;
    });

    EXPECT_EQ(SetFocus(b), a);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_KILLFOCUS).at_depth(1).with_wparam(b),
        sent(b, WM_SETFOCUS).at_depth(1).with_wparam(a),
    }));
    EXPECT_EQ(inside_kill, b);
    EXPECT_EQ(SetFocus(b), b) << "no change";
    EXPECT_EQ(recorder.messages().size(), 2U);
}

// A WM_KILLFOCUS handler that moves the focus elsewhere wins; the window the
// outer call chose never gets WM_SETFOCUS.
TEST_F(Focus, KillFocusHandlerThatMovesTheFocusWins)
{
    const HWND c = child("c", form, 10, 70, 100, 20);
    SetFocus(a);
    recorder.clear();
    on(a, WM_KILLFOCUS, [c](HWND, WPARAM, LPARAM) {
        SetFocus(c);
        return 0;
    });

    EXPECT_EQ(SetFocus(b), a);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_KILLFOCUS).at_depth(1).with_wparam(b),
        sent(b, WM_KILLFOCUS).at_depth(2).with_wparam(c),
        sent(c, WM_SETFOCUS).at_depth(2).with_wparam(b),
    }));
    EXPECT_EQ(GetFocus(), c);
}

// A named step done to a pair of windows (see each table for which pair).
struct Step {
    const char* name;
    friend void PrintTo(const Step& row, std::ostream* out) { *out << row.name; }
    void (*run)(HWND, HWND);
};

class FocusRefused : public Focus, public ::testing::WithParamInterface<Step> {};

TEST_P(FocusRefused, ReturnsZeroAndChangesNothing)
{
    const HWND other = top("other", 500, 0, 200, 200);
    const HWND target = child("target", other, 10, 10, 50, 20);
    SetFocus(a);
    GetParam().run(other, target);
    recorder.clear();

    EXPECT_EQ(SetFocus(target), 0U);

    EXPECT_EQ(GetFocus(), a);
    EXPECT_TRUE(recorder.matches({})) << "nobody is told anything";
}

INSTANTIATE_TEST_SUITE_P(Focus, FocusRefused,
    ::testing::Values(Step{"Hidden", [](HWND, HWND t) { ShowWindow(t, SW_HIDE); }},
        Step{"Disabled", [](HWND, HWND t) { EnableWindow(t, 0); }},
        Step{"Destroyed", [](HWND, HWND t) { DestroyWindow(t); }},
        Step{"InsideAHiddenParent", [](HWND o, HWND) { ShowWindow(o, SW_HIDE); }},
        Step{"InsideADisabledParent", [](HWND o, HWND) { EnableWindow(o, 0); }}),
    pendrel::test::RowName{});

class FocusLost : public Focus, public ::testing::WithParamInterface<Step> {};

TEST_P(FocusLost, DropsTheFocusWithKillFocusZero)
{
    SetFocus(a);
    recorder.ignore({WM_DESTROY, WM_NCDESTROY});
    recorder.clear();

    GetParam().run(form, a);

    EXPECT_EQ(GetFocus(), 0U);
    EXPECT_TRUE(recorder.matches({sent(a, WM_KILLFOCUS).with_wparam(0)}));
}

INSTANTIATE_TEST_SUITE_P(Focus, FocusLost,
    ::testing::Values(Step{"HidingIt", [](HWND, HWND w) { ShowWindow(w, SW_HIDE); }},
        Step{"HidingItsParent", [](HWND f, HWND) { ShowWindow(f, SW_HIDE); }},
        Step{"DisablingIt", [](HWND, HWND w) { EnableWindow(w, 0); }},
        Step{"DisablingItsParent", [](HWND f, HWND) { EnableWindow(f, 0); }},
        Step{"DestroyingIt", [](HWND, HWND w) { DestroyWindow(w); }},
        Step{"DestroyingItsParent", [](HWND f, HWND) { DestroyWindow(f); }},
        Step{"SetFocusZero", [](HWND, HWND) { SetFocus(0); }},
        Step{"ReParentingUnderAHiddenWindow",
            [](HWND, HWND w) {
                SetParent(w, CreateWindowExA(0, Focus::k_class, "", 0, 500, 0, 50, 50, 0));
            }}),
    pendrel::test::RowName{});

} // namespace
