// The open list under the mouse, driven by injected input as a person's
// mouse drives it: moving highlights the row under the pointer, a release
// on a row picks it, a press outside closes the list, and the list's own
// scroll bar scrolls it and leaves it open.

#include "diag/FaultInjection.h"
#include "dropdown/modGridCombo.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/host/MessageBoxDialog.h"
#include "platform/host/Screen.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/RowName.h"
#include "support/controls/Ui.h"
#include "support/host/Person.h"
#include "support/morvex/MorvexTest.h"
#include "support/win/MessageRecorder.h"

namespace pendrel {
namespace {

using Events = std::vector<std::string>;
using test::posted;
using test::sent;

// Rows in id order: Amsterdam, Antwerpen, 's-Hertogenbosch, Łódź, München,
// Rotterdam, Utrecht, Zürich.
constexpr auto k_rows = "SELECT id, name, code FROM cities ORDER BY id";

class ListMouse : public test::MorvexTest {
public:
    void SetUp() override
    {
        MorvexTest::SetUp();
        prepare("0;25;5", k_rows);
    }

    void open()
    {
        ui.click(ctl->DropdownButton().get_hWnd());
        ASSERT_TRUE(is_open());
        (void)events.take();
    }
    [[nodiscard]] bool is_open() const
    {
        return modGridCombo::state().GridSubclassed && win::IsWindowVisible(grid())
            && win::GetCapture() == grid();
    }
    [[nodiscard]] vb::Long selected_row() const
    {
        const auto selected = ctl->DropdownList().get_SelBookmarks();
        return selected->get_Count() == 1 ? vb::CLng(selected->get_Item(0))
                                          : -selected->get_Count();
    }

    test::Ui ui;
};

// Hovering selects the row under the pointer, and only it; the release on
// a row writes its text, emptied first, so the host hears Change and
// AfterUpdate (and no BeforeUpdate); the list then closes.
TEST_F(ListMouse, HoverThenPick)
{
    test::MessageRecorder field;
    field.watch(ctl->txtFieldCmb().get_hWnd(), "field");
    field.ignore({win::WM_PAINT, win::WM_NCHITTEST, win::WM_MOUSEMOVE, win::WM_GETTEXT,
        win::WM_GETTEXTLENGTH});
    open();
    host::Screen::the().let_MousePointer(11);
    ui.move_to(grid(), row_point(1));
    EXPECT_EQ(selected_row(), 2);
    EXPECT_EQ(host::Screen::the().get_MousePointer(), 0);
    ui.move_to(grid(), row_point(3));
    ui.move_to(grid(), row_point(3, 40));
    EXPECT_EQ(selected_row(), 4);
    EXPECT_EQ(row(), 1) << "hovering moves no row";
    field.clear();
    ui.click(grid(), row_point(5));
    EXPECT_EQ(events.take(), (Events{"Change", "AfterUpdate"}));
    EXPECT_EQ(ctl->get_Text(), "Rotterdam");
    EXPECT_EQ(row(), 6);
    EXPECT_FALSE(is_open());
    EXPECT_EQ(win::GetCapture(), 0U);
    EXPECT_NE(win::GetWindowLongA(grid(), win::GWL_WNDPROC),
        win::ProcNumber(&modGridCombo::DataGridWindowProc));
    EXPECT_TRUE(field.matches({sent(0, win::WM_SETTEXT), sent(0, win::WM_SETTEXT),
        posted(0, win::WM_LBUTTONUP).with_wparam(win::MK_LBUTTON)}));
    EXPECT_FALSE(modGridCombo::state().TextEdited || modGridCombo::state().PickPending);
}

struct PressRow {
    std::string name;
    // The gesture, after the list is open.
    void (*act)(ListMouse&);
    bool open_after;
    std::string text;
};

class ListPress : public ListMouse, public testing::WithParamInterface<PressRow> {};

TEST_P(ListPress, ClosesOrPicksOrStays)
{
    const PressRow& row = GetParam();
    open();
    row.act(*this);
    EXPECT_EQ(is_open(), row.open_after);
    EXPECT_EQ(ctl->get_Text(), row.text);
    EXPECT_EQ(events.take(), (row.text.empty() ? Events{} : Events{"Change", "AfterUpdate"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, ListPress,
    testing::Values(PressRow{"OutsideCloses",
                        [](ListMouse& t) {
                            t.ui.click(t.form->hwnd(), {5, 200});
                        },
                        false, ""},
        PressRow{"OnTheButtonAgainCloses",
            [](ListMouse& t) { t.ui.click(t.ctl->DropdownButton().get_hWnd()); }, false, ""},
        PressRow{"OnTheHeaderCloses",
            [](ListMouse& t) {
                vb::Boolean heads = true;
                t.ctl->DropdownList().let_ColumnHeaders(heads);
                t.ui.click(t.grid(), {20, 3});
            },
            false, ""},
        PressRow{"RightOfTheLastColumnStays",
            [](ListMouse& t) {
                win::RECT r{};
                win::GetWindowRect(t.grid(), &r);
                win::MoveWindow(t.grid(), r.left, r.top, r.width() + 100, r.height(), 1);
                t.ui.click(t.grid(), {r.width() + 50, t.row_point(1).y});
            },
            true, ""},
        PressRow{"ReleasedOutsideTheRowsStays",
            [](ListMouse& t) {
                t.ui.button_down(t.grid(), t.row_point(1));
                t.ui.button_up(t.form->hwnd(), {5, 200});
            },
            true, ""},
        PressRow{"DoubleClickPicksOnce",
            [](ListMouse& t) {
                win::WindowManager::the().inject_double_click(
                    test::Ui::screen_of(t.grid(), t.row_point(2)));
                win::PumpMessages();
            },
            false, "'s-Hertogenbosch"},
        PressRow{"ReadOnlyFieldTakesNothing",
            [](ListMouse& t) {
                t.ctl->txtFieldCmb().let_Locked(true);
                t.ui.click(t.grid(), t.row_point(2));
            },
            false, ""}),
    test::RowName{});

// A press on the list's scroll bar goes to the bar, which scrolls; when its
// tracking ends the list holds the mouse again, and a press outside still
// closes it.
TEST_F(ListMouse, ScrollBarScrollsAndLeavesTheListOpen)
{
    ctl->let_ListRows(4);
    ctl->let_ColumnWidths("0;25;5"); // sized again for four rows
    open();
    win::RECT client{};
    win::GetClientRect(grid(), &client);
    // The vertical bar lies inside the client area, at its right edge, above
    // the horizontal one: its down arrow.
    const win::POINT down_arrow{client.right - 8, client.bottom - 24};
    ASSERT_NE(win::WindowFromPoint(test::Ui::screen_of(grid(), down_arrow)), grid());
    ui.click(grid(), down_arrow);
    EXPECT_TRUE(is_open());
    EXPECT_EQ(modGridCombo::state().ForwardedClick, 0);
    EXPECT_EQ(ctl->DropdownList().RowBookmark(0), vb::Variant(2.0)) << "scrolled one row";
    ui.click(grid(), row_point(0));
    EXPECT_EQ(ctl->get_Text(), "Antwerpen");
    EXPECT_FALSE(is_open());
}

// Opening a second control's list takes the mouse from the first, which
// closes (a press on the second's button would only close the first: the
// open list holds the mouse); a list left of the screen's origin
// hit-tests its presses there.
TEST_F(ListMouse, SecondListClosesTheFirstAndNegativeCoordinatesHitTheRows)
{
    Morvex& other = add("Morvex2");
    other.let_ScreenWidth(19200);
    bind(other, k_rows);
    open();
    vb::Integer show = 1;
    other.ShowDropDown(show);
    EXPECT_FALSE(win::IsWindowVisible(grid()));
    EXPECT_TRUE(win::IsWindowVisible(other.DropdownList().get_hWnd()));
    vb::Integer close = 0;
    other.ShowDropDown(close);
    win::SetWindowPos(form->hwnd(), 0, -300, 100, 0, 0, win::SWP_NOSIZE | win::SWP_NOZORDER);
    open();
    win::RECT r{};
    win::GetWindowRect(grid(), &r);
    ASSERT_LT(r.left, 0);
    ui.click(grid(), row_point(3));
    EXPECT_EQ(ctl->get_Text(), "Łódź");
}

// A lost hook comes back with the next move over a row, while the pointer
// was last outside the list; moves over the header or outside select
// nothing.
TEST_F(ListMouse, MoveOverARowPutsBackALostHook)
{
    open();
    ui.move_to(form->hwnd(), {5, 200});
    ASSERT_FALSE(modGridCombo::state().PointerInList);
    win::SetWindowLongA(grid(), win::GWL_WNDPROC, modGridCombo::state().PrevGridWndProc);
    win::SetCapture(0);
    ui.move_to(grid(), row_point(2));
    EXPECT_EQ(win::GetWindowLongA(grid(), win::GWL_WNDPROC),
        win::ProcNumber(&modGridCombo::DataGridWindowProc));
    EXPECT_EQ(win::GetCapture(), grid());
    EXPECT_EQ(selected_row(), 3);
    vb::Boolean heads = true;
    ctl->DropdownList().let_ColumnHeaders(heads);
    ui.move_to(grid(), {20, 3});
    EXPECT_EQ(selected_row(), 3);
}

// The host may destroy the control from the events of a pick.
TEST_F(ListMouse, HostDestroysTheControlDuringAPick)
{
    for (const vb::DispId id : {event::Change, event::AfterUpdate}) {
        SCOPED_TRACE(id);
        if (ctl == nullptr) {
            ctl = &add("Morvex1");
            ctl->let_ScreenWidth(19200);
            bind(*ctl, k_rows);
            site = form->find("Morvex1");
        }
        open();
        auto gone = site->events().on(id, [&] { form->remove_control("Morvex1"); });
        ui.click(grid(), row_point(1));
        ctl = nullptr;
        EXPECT_EQ(form->find("Morvex1"), nullptr);
        EXPECT_EQ(win::GetCapture(), 0U);
    }
}

TEST(ListWords, SplitAndPack)
{
    struct Row {
        vb::Long value, lo, hi;
    };
    // The high word is the value over 65536, truncated toward zero.
    for (const Row& r : {Row{0x00050003, 3, 5}, Row{-1, 0xFFFF, 0}, Row{-131067, 5, 0xFFFF},
             Row{0x7FFFFFFF, 0xFFFF, 0x7FFF}}) {
        vb::Long lo = -7;
        vb::Long hi = -7;
        EXPECT_EQ(modGridCombo::GetHiLoWord(r.value, lo, hi), 1);
        EXPECT_EQ(std::pair(lo, hi), std::pair(r.lo, r.hi)) << r.value;
    }
    vb::Long x = -1;
    vb::Long y = -2;
    EXPECT_EQ(modGridCombo::MakeLParm(x, y), static_cast<vb::Long>(0xFFFEFFFFU));
    x = 3;
    y = 5;
    EXPECT_EQ(modGridCombo::MakeLParm(x, y), 0x00050003);
}

// A box raised on a live desktop while the open list holds the mouse (a
// failing press handler reports in one): the box cancels the list's mouse
// mode, so the list closes and nothing keeps the capture, while the box is
// up (it is the top window) or after it; the list then opens again as
// before.
TEST_F(ListMouse, ABoxRaisedWhileTheListHoldsTheMouseLeavesNoCaptureNorList)
{
    open();
    const diag::InjectedFault fault("DropdownList_OnLButtonDown", "1", vb::Error(5, "x"));
    test::Person person({[&] {
        EXPECT_EQ(win::GetCapture(), 0U);
        EXPECT_FALSE(win::IsWindowVisible(grid()));
        EXPECT_EQ(win::WindowManager::the().top_level_windows().back(), host::open_message_box());
        test::Person::click(host::vbOK);
    }});
    ui.click(grid(), row_point(2));
    EXPECT_EQ(person.taken(), 1U);
    EXPECT_EQ(host::message_boxes().size(), 1U);
    EXPECT_EQ(win::GetCapture(), 0U);
    for (const win::HWND h : win::WindowManager::the().top_level_windows()) {
        EXPECT_FALSE(win::IsWindowVisible(h)
            && (win::WindowManager::the().ex_style(h) & win::WS_EX_TOPMOST) != 0)
            << "a top-most window stayed: " << h;
    }
    EXPECT_EQ(ctl->get_Text(), "");
    open();
}

} // namespace
} // namespace pendrel
