#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::sent;
using pendrel::test::SentTo;

namespace {

// form (top-level) > a > inner, and form > b; `none` is no window.
enum W {
    none,
    form,
    a,
    inner,
    b
};
using Windows = std::vector<HWND>;

class Focus : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        w = {0, top("form", 0, 0, 400, 300)};
        w.push_back(child("a", w[form], 10, 10, 100, 50));
        w.push_back(child("inner", w[a], 5, 5, 50, 20));
        w.push_back(child("b", w[form], 10, 70, 100, 20));
    }
    Windows w;
};

// GetFocus already shows the new window inside WM_KILLFOCUS; a handler of it
// that moves the focus elsewhere wins, and the window the outer call chose
// never gets WM_SETFOCUS.
TEST_F(Focus, KillFocusThenSetFocusAndAKillFocusHandlerThatMovesItWins)
{
    EXPECT_EQ(SetFocus(w[a]), 0U);
    recorder.clear();
    HWND inside_kill = 0;
    on(w[a], WM_KILLFOCUS, [&](HWND, WPARAM, LPARAM) {
        inside_kill = GetFocus();
        return 0;
    });
    EXPECT_EQ(SetFocus(w[b]), w[a]);
    EXPECT_EQ(SetFocus(w[b]), w[b]) << "no change, no message";
    EXPECT_EQ(inside_kill, w[b]);
    on(w[b], WM_KILLFOCUS,
        [this](HWND, WPARAM, LPARAM) { return LRESULT{SetFocus(w[inner]) * 0}; });

    EXPECT_EQ(SetFocus(w[a]), w[b]);

    EXPECT_TRUE(recorder.matches(pendrel::test::sequence_of(
        {{a, WM_KILLFOCUS, b, -1, 1}, {b, WM_SETFOCUS, a, -1, 1}, {b, WM_KILLFOCUS, a, -1, 1},
            {a, WM_KILLFOCUS, inner, -1, 2}, {inner, WM_SETFOCUS, a, -1, 2}},
        w)));
    EXPECT_EQ(GetFocus(), w[inner]);
}

// Prepared with the focus on b: whether SetFocus(target) takes it.
struct Taking {
    const char* name;
    friend void PrintTo(const Taking& row, std::ostream* out) { *out << row.name; }
    void (*prepare)(const Windows&);
    W target;
    bool takes;
};

class FocusTaking : public Focus, public ::testing::WithParamInterface<Taking> {};

TEST_P(FocusTaking, SetFocusTakesItOrChangesNothing)
{
    SetFocus(w[b]);
    GetParam().prepare(w);
    recorder.clear();
    const W target = GetParam().target;
    const bool takes = GetParam().takes;

    EXPECT_EQ(SetFocus(w[target]), takes ? w[b] : 0U);

    EXPECT_EQ(GetFocus(), w[takes ? target : b]);
    EXPECT_EQ(recorder.messages().size(), takes ? 2U : 0U);
}

INSTANTIATE_TEST_SUITE_P(Focus, FocusTaking,
    ::testing::Values(
        Taking{"Hidden", [](const Windows& w) { ShowWindow(w[inner], SW_HIDE); }, inner, true},
        Taking{"InsideAHiddenWindow", [](const Windows& w) { ShowWindow(w[a], SW_HIDE); }, inner,
            true},
        Taking{"Disabled", [](const Windows& w) { EnableWindow(w[inner], 0); }, inner, false},
        Taking{
            "InsideADisabledWindow", [](const Windows& w) { EnableWindow(w[a], 0); }, inner, false},
        Taking{"Destroyed", [](const Windows& w) { DestroyWindow(w[inner]); }, inner, false},
        Taking{"AChildWindowOnTheDesktop", [](const Windows& w) { SetParent(w[a], 0); }, a, false},
        Taking{"InsideAChildWindowOnTheDesktop", [](const Windows& w) { SetParent(w[a], 0); },
            inner, false},
        Taking{"InsideAPopUpOnTheDesktop",
            [](const Windows& w) {
                SetParent(w[a], 0);
                SetWindowLongA(w[a], GWL_STYLE, static_cast<LONG>(WS_CHILD | WS_POPUP));
            },
            inner, true}),
    pendrel::test::RowName{});

// With the focus on inner: what a change sends, and where the focus ends.
struct Change {
    const char* name;
    friend void PrintTo(const Change& row, std::ostream* out) { *out << row.name; }
    void (*act)(const Windows&);
    std::vector<SentTo> expect;
    W focus_after;
};

class FocusAfter : public Focus, public ::testing::WithParamInterface<Change> {};

TEST_P(FocusAfter, TheChangeSendsItsSequence)
{
    SetFocus(w[inner]);
    recorder.clear();

    GetParam().act(w);

    EXPECT_TRUE(recorder.matches(pendrel::test::sequence_of(GetParam().expect, w)));
    EXPECT_EQ(GetFocus(), w[GetParam().focus_after]);
}

// Hiding passes the focus to the parent after the position notice; a child
// of a hidden window gets WM_SHOWWINDOW only.
const Change k_hiding[] = {
    {"HidingIt", [](const Windows& w) { ShowWindow(w[inner], SW_HIDE); },
        {{inner, WM_SHOWWINDOW, none}, {inner, WM_WINDOWPOSCHANGED}, {inner, WM_KILLFOCUS, a},
            {a, WM_SETFOCUS, inner}},
        a},
    {"HidingItInsideAHiddenWindow",
        [](const Windows& w) {
            ShowWindow(w[a], SW_HIDE);
            ShowWindow(w[inner], SW_HIDE);
        },
        {{a, WM_SHOWWINDOW}, {a, WM_WINDOWPOSCHANGED}, {inner, WM_SHOWWINDOW},
            {inner, WM_KILLFOCUS, a}, {a, WM_SETFOCUS, inner}},
        a},
    {"HidingItWithSetWindowPos",
        [](const Windows& w) {
            SetWindowPos(w[inner], 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
        },
        {{inner, WM_WINDOWPOSCHANGED}}, inner},
    {"HidingItsTopLevelWindow", [](const Windows& w) { ShowWindow(w[form], SW_HIDE); },
        {{form, WM_SHOWWINDOW}, {form, WM_WINDOWPOSCHANGED}}, inner},
    {"HidingATopLevelFocusWindow",
        [](const Windows& w) {
            SetFocus(w[form]);
            ShowWindow(w[form], SW_HIDE);
        },
        {{inner, WM_KILLFOCUS}, {form, WM_SETFOCUS}, {form, WM_SHOWWINDOW},
            {form, WM_WINDOWPOSCHANGED}, {form, WM_KILLFOCUS, none}},
        none},
};
INSTANTIATE_TEST_SUITE_P(
    Hiding, FocusAfter, ::testing::ValuesIn(k_hiding), pendrel::test::RowName{});

// Disabling drops the focus only from the window itself; destroying moves it
// to the parent of the window destroyed, before WM_DESTROY.
const Change k_other[] = {
    {"DisablingIt", [](const Windows& w) { EnableWindow(w[inner], 0); },
        {{inner, WM_CANCELMODE}, {inner, WM_KILLFOCUS, none}, {inner, WM_ENABLE, none}}, none},
    {"DisablingItsParent", [](const Windows& w) { EnableWindow(w[a], 0); },
        {{a, WM_CANCELMODE}, {a, WM_ENABLE}}, inner},
    {"DestroyingIt", [](const Windows& w) { DestroyWindow(w[inner]); },
        {{inner, WM_SHOWWINDOW}, {inner, WM_WINDOWPOSCHANGED}, {inner, WM_KILLFOCUS, a},
            {a, WM_SETFOCUS, inner}, {inner, WM_DESTROY}, {inner, WM_NCDESTROY}},
        a},
    {"DestroyingItsParent", [](const Windows& w) { DestroyWindow(w[a]); },
        {{a, WM_SHOWWINDOW}, {a, WM_WINDOWPOSCHANGED}, {inner, WM_KILLFOCUS, form},
            {form, WM_SETFOCUS, inner}, {a, WM_DESTROY}, {inner, WM_DESTROY}, {inner, WM_NCDESTROY},
            {a, WM_NCDESTROY}},
        form},
    {"DestroyingItsTopLevelWindow", [](const Windows& w) { DestroyWindow(w[form]); },
        {{form, WM_SHOWWINDOW}, {form, WM_WINDOWPOSCHANGED}, {inner, WM_KILLFOCUS, none},
            {form, WM_DESTROY}, {b, WM_DESTROY}, {a, WM_DESTROY}, {inner, WM_DESTROY},
            {b, WM_NCDESTROY}, {inner, WM_NCDESTROY}, {a, WM_NCDESTROY}, {form, WM_NCDESTROY}},
        none},
    {"ReParentingItsParentUnderAHiddenWindow",
        [](const Windows& w) {
            SetParent(w[a], CreateWindowExA(0, Focus::k_class, "", 0, 0, 0, 9, 9, 0));
        },
        {}, inner},
    {"SetFocusZero", [](const Windows&) { SetFocus(0); }, {{inner, WM_KILLFOCUS, none}}, none},
};
INSTANTIATE_TEST_SUITE_P(Other, FocusAfter, ::testing::ValuesIn(k_other), pendrel::test::RowName{});

} // namespace
