#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;
using pendrel::test::posted;
using pendrel::test::sent;

namespace {

class Focus : public pendrel::test::DesktopTest {
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

struct Refusal {
    const char* name;
    friend void PrintTo(const Refusal& row, std::ostream* out) { *out << row.name; }
    void (*prepare)(HWND other, HWND target);
};

class FocusRefused : public Focus, public ::testing::WithParamInterface<Refusal> {};

TEST_P(FocusRefused, ReturnsZeroAndChangesNothing)
{
    const HWND other = top("other", 500, 0, 200, 200);
    const HWND target = child("target", other, 10, 10, 50, 20);
    SetFocus(a);
    GetParam().prepare(other, target);
    recorder.clear();

    EXPECT_EQ(SetFocus(target), 0U);

    EXPECT_EQ(GetFocus(), a);
    EXPECT_TRUE(recorder.matches({})) << "nobody is told anything";
}

INSTANTIATE_TEST_SUITE_P(Focus, FocusRefused,
    ::testing::Values(Refusal{"Hidden", [](HWND, HWND t) { ShowWindow(t, SW_HIDE); }},
        Refusal{"Disabled", [](HWND, HWND t) { EnableWindow(t, 0); }},
        Refusal{"Destroyed", [](HWND, HWND t) { DestroyWindow(t); }},
        Refusal{"InsideAHiddenParent", [](HWND o, HWND) { ShowWindow(o, SW_HIDE); }},
        Refusal{"InsideADisabledParent", [](HWND o, HWND) { EnableWindow(o, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct Loss {
    const char* name;
    friend void PrintTo(const Loss& row, std::ostream* out) { *out << row.name; }
    void (*act)(HWND form, HWND focused);
};

class FocusLost : public Focus, public ::testing::WithParamInterface<Loss> {};

TEST_P(FocusLost, DropsTheFocusWithKillFocusZero)
{
    SetFocus(a);
    recorder.clear();

    GetParam().act(form, a);

    EXPECT_EQ(GetFocus(), 0U);
    const auto kills = recorder.only(WM_KILLFOCUS);
    ASSERT_EQ(kills.size(), 1U);
    EXPECT_EQ(kills[0].hwnd, a);
    EXPECT_EQ(kills[0].wparam, 0U);
    EXPECT_TRUE(recorder.only(WM_SETFOCUS).empty());
}

INSTANTIATE_TEST_SUITE_P(Focus, FocusLost,
    ::testing::Values(Loss{"HidingIt", [](HWND, HWND w) { ShowWindow(w, SW_HIDE); }},
        Loss{"HidingItsParent", [](HWND f, HWND) { ShowWindow(f, SW_HIDE); }},
        Loss{"DisablingIt", [](HWND, HWND w) { EnableWindow(w, 0); }},
        Loss{"DisablingItsParent", [](HWND f, HWND) { EnableWindow(f, 0); }},
        Loss{"DestroyingIt", [](HWND, HWND w) { DestroyWindow(w); }},
        Loss{"DestroyingItsParent", [](HWND f, HWND) { DestroyWindow(f); }},
        Loss{"SetFocusZero", [](HWND, HWND) { SetFocus(0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Focus, ReParentingUnderAHiddenWindowDropsTheFocus)
{
    const HWND hidden = top("hidden", 500, 0, 50, 50, 0);
    SetFocus(a);

    SetParent(a, hidden);

    EXPECT_EQ(GetFocus(), 0U);
}

} // namespace
