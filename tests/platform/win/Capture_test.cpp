#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::sent;
using pendrel::test::SentTo;

namespace {

class Capture : public pendrel::test::DesktopTest {
public:
    using DesktopTest::on;
    void SetUp() override
    {
        DesktopTest::SetUp();
        a = top("a", 10, 10, 100, 100);
        inner = child("inner", a, 5, 5, 20, 20);
        b = top("b", 200, 10, 100, 100);
        // What GetCapture says inside each window's WM_CAPTURECHANGED.
        for (HWND h : {a, inner, b}) {
            on(h, WM_CAPTURECHANGED, [this](HWND self, WPARAM, LPARAM) {
                seen_inside[self] = GetCapture();
                return 0;
            });
        }
    }
    HWND a = 0;
    HWND inner = 0;
    HWND b = 0;
    std::map<HWND, HWND> seen_inside;
};

// Each loser is told before SetCapture/ReleaseCapture returns, and GetCapture
// already shows the new holder inside its handler; no change tells nobody.
TEST_F(Capture, StolenThenReleasedTellsEachLoser)
{
    EXPECT_TRUE(ReleaseCapture()) << "nothing captured";
    EXPECT_EQ(SetCapture(a), 0U);
    EXPECT_EQ(SetCapture(a), a) << "already the holder";
    EXPECT_TRUE(recorder.messages().empty()) << "nobody lost anything";

    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(seen_inside[a], b);
    EXPECT_EQ(SetCapture(0x7FFFFFF0), 0U) << "an unknown window takes nothing";
    EXPECT_EQ(GetCapture(), b);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(seen_inside[b], 0U);

    EXPECT_TRUE(recorder.matches({
        sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(b),
        sent(b, WM_CAPTURECHANGED).at_depth(1).with_lparam(0),
    }));
    EXPECT_EQ(GetCapture(), 0U);
}

// The loser takes the capture back from inside its notification: the change
// it makes nests inside, tells the window that had just won, and wins; taken
// back on a release, it wins without more messages.
TEST_F(Capture, ALoserThatTakesItBackInsideTheNotificationWins)
{
    SetCapture(a);
    recorder.clear();
    std::vector<HWND> returned;
    on(a, WM_CAPTURECHANGED, [&](HWND self, WPARAM, LPARAM) {
        returned.push_back(SetCapture(self));
        return 0;
    });

    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(recorder.matches({
        sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(b),
        sent(b, WM_CAPTURECHANGED).at_depth(2).with_lparam(a),
    }));
    EXPECT_EQ(GetCapture(), a);
    recorder.clear();
    EXPECT_TRUE(ReleaseCapture());

    EXPECT_TRUE(recorder.matches({sent(a, WM_CAPTURECHANGED).with_lparam(0)}));
    EXPECT_EQ(GetCapture(), a);
    EXPECT_EQ(returned, (std::vector<HWND>{b, 0}));
}

// With inner holding the capture: what a change sends, and who holds it
// after. Hiding leaves it; disabling releases it inside WM_CANCELMODE's
// default handling; destroying releases it after WM_DESTROY.
enum W {
    none,
    a,
    inner
};

struct Change {
    const char* name;
    friend void PrintTo(const Change& row, std::ostream* out) { *out << row.name; }
    void (*act)(Capture&);
    std::vector<SentTo> expect;
    W holder_after;
};

class CaptureHolder : public Capture, public ::testing::WithParamInterface<Change> {};

TEST_P(CaptureHolder, TheChangeSendsItsSequence)
{
    SetCapture(inner);
    recorder.clear();

    GetParam().act(*this);

    const std::vector<HWND> w{0, a, inner};
    EXPECT_TRUE(recorder.matches(pendrel::test::sequence_of(GetParam().expect, w)));
    EXPECT_EQ(GetCapture(), w[GetParam().holder_after]);
}

const Change k_changes[] = {
    {"HidingIt", [](Capture& f) { ShowWindow(f.inner, SW_HIDE); },
        {{inner, WM_SHOWWINDOW}, {inner, WM_WINDOWPOSCHANGED}}, inner},
    {"HidingItsTopLevelWindow",
        [](Capture& f) {
            SetWindowPos(f.a, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
        },
        {{a, WM_WINDOWPOSCHANGED}}, inner},
    {"DisablingIt", [](Capture& f) { EnableWindow(f.inner, 0); },
        {{inner, WM_CANCELMODE, -1, -1, 1}, {inner, WM_CAPTURECHANGED, -1, none, 2},
            {inner, WM_ENABLE, none, -1, 1}},
        none},
    {"DisablingItWhileItAnswersCancelModeItself",
        [](Capture& f) {
            f.on(f.inner, WM_CANCELMODE, [](HWND, WPARAM, LPARAM) { return LRESULT{0}; });
            EnableWindow(f.inner, 0);
        },
        {{inner, WM_CANCELMODE}, {inner, WM_ENABLE}}, inner},
    {"DisablingItsParent", [](Capture& f) { EnableWindow(f.a, 0); },
        {{a, WM_CANCELMODE}, {a, WM_ENABLE}}, inner},
    {"DestroyingIt", [](Capture& f) { DestroyWindow(f.inner); },
        {{inner, WM_SHOWWINDOW}, {inner, WM_WINDOWPOSCHANGED}, {inner, WM_DESTROY},
            {inner, WM_CAPTURECHANGED, -1, none}, {inner, WM_NCDESTROY}},
        none},
    {"DestroyingItsParent", [](Capture& f) { DestroyWindow(f.a); },
        {{a, WM_SHOWWINDOW}, {a, WM_WINDOWPOSCHANGED}, {a, WM_DESTROY}, {inner, WM_DESTROY},
            {inner, WM_CAPTURECHANGED, -1, none}, {inner, WM_NCDESTROY}, {a, WM_NCDESTROY}},
        none},
};
INSTANTIATE_TEST_SUITE_P(
    Capture, CaptureHolder, ::testing::ValuesIn(k_changes), pendrel::test::RowName{});

} // namespace
