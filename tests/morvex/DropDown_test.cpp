// Opening and closing a Morvex's list through the window functions: where
// the grid window goes, its procedure, the capture, the per-thread record,
// and who may open or close it.

#include <functional>
#include <tuple>
#include <utility>

#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "platform/host/Extender.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/RowName.h"
#include "support/controls/Ui.h"
#include "support/morvex/MorvexProbe.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

constexpr const char* k_rows = "SELECT id, name, code FROM cities";
constexpr win::HWND k_marker = 0xBEEF;
// The facts that tell an open list from a closed one.
constexpr const char* k_open = "desktop hooked visible top-most captured enabled";
constexpr const char* k_closed = "control own-proc";

class DropDownTest : public test::MorvexTest {
public:
    void SetUp() override
    {
        modGridCombo::state() = {};
        MorvexTest::SetUp();
        ctl->let_ScreenWidth(19200);
        ctl->let_RowHeight(210);
        own_proc = win::GetWindowLongA(grid_of(*ctl), win::GWL_WNDPROC);
    }

    static win::HWND grid_of(const Morvex& c) { return c.DropdownList().get_hWnd(); }
    static win::HWND hwnd_of(const Morvex& c) { return static_cast<win::HWND>(c.get_hwnd()); }
    static void show(Morvex& c, vb::Integer value) { c.ShowDropDown(value); }

    // The facts that hold, in the order of k_open.
    std::string list_state(const Morvex& c) const
    {
        const win::HWND g = grid_of(c);
        const win::HWND parent = win::GetParent(g);
        const vb::Long proc = win::GetWindowLongA(g, win::GWL_WNDPROC);
        const std::pair<bool, const char*> facts[]
            = {{parent == win::GetDesktopWindow(), " desktop"}, {parent == hwnd_of(c), " control"},
                {proc == win::ProcNumber(&modGridCombo::DataGridWindowProc), " hooked"},
                {proc == own_proc, " own-proc"}, {win::IsWindowVisible(g) != 0, " visible"},
                {(win::GetWindowLongA(g, win::GWL_EXSTYLE) & win::WS_EX_TOPMOST) != 0, " top-most"},
                {win::GetCapture() == g, " captured"},
                {c.DropdownList().extender().get_Enabled(), " enabled"}};
        std::string out;
        for (const auto& [fact, name] : facts)
            out += fact ? name : "";
        return out.empty() ? out : out.substr(1);
    }

    vb::Long own_proc = 0;
};

TEST_F(DropDownTest, OpeningPutsTheGridOnTheDesktopAndClosingBringsItBack)
{
    bind(*ctl, k_rows);
    const host::Extender list = ctl->DropdownList().extender();
    const auto size = std::pair(list.get_Width(), list.get_Height());
    ctl->DropdownList().let_ScrollBars(grid::dbgNone);
    show(*ctl, 1);
    const win::HWND g = grid_of(*ctl);
    EXPECT_EQ(list_state(*ctl), k_open);
    EXPECT_EQ(std::pair(win::GetWindowText(g), ctl->DropdownList().get_ScrollBars()),
        std::pair(std::string("Veltmark"), grid::dbgAutomatic));
    const auto& s = modGridCombo::state();
    EXPECT_TRUE(s.GridSubclassed && s.GridControl.get() == &ctl->DropdownList());
    // The text field ends at 360 twips.
    EXPECT_EQ(std::tuple(s.TextHwnd, s.ControlHwnd, s.GridHwnd, s.PrevGridWndProc, s.GridRestTop,
                  s.TextColumn),
        std::tuple(ctl->txtFieldCmb().get_hWnd(), hwnd_of(*ctl), g, own_proc, vb::Integer{460},
            test::MorvexProbe::text_column(*ctl)));
    const dropdown::DropRect r = test::MorvexProbe::rect_for_grid(*ctl);
    win::RECT placed{};
    win::GetWindowRect(g, &placed);
    EXPECT_EQ(placed, (win::RECT{r.left, r.top, r.left + r.width, r.top + r.height}));

    show(*ctl, 0);
    EXPECT_EQ(list_state(*ctl), k_closed);
    EXPECT_FALSE(s.GridSubclassed || s.GridControl);
    // 460 twips is 31 pixels; the size stays for the next opening.
    EXPECT_EQ(std::tuple(list.get_Top(), list.get_Width(), list.get_Height()),
        std::tuple(31 * 15.0F, size.first, size.second));
    show(*ctl, 1);
    EXPECT_EQ(list_state(*ctl), k_open);
    EXPECT_EQ(s.PrevGridWndProc, own_proc);
    EXPECT_TRUE(host::message_boxes().empty());
    EXPECT_TRUE(fixed_log_lines().empty());
}

TEST_F(DropDownTest, ButtonMethodsAndGuardsDecideWhetherTheListOpensOrCloses)
{
    bind(*ctl, k_rows);
    form->Show();
    auto& s = modGridCombo::state();
    const win::HWND text = ctl->txtFieldCmb().get_hWnd();
    // The button opens a closed list; the typing goes on in the text field.
    test::Ui().click(ctl->DropdownButton().get_hWnd());
    EXPECT_EQ(list_state(*ctl), k_open);
    EXPECT_EQ(win::GetFocus(), text);
    // The grid holds the capture, so a second press goes to the list, not
    // to the button; what a click on the open button does is its handler's.
    ctl->DropdownButton().on_click();
    EXPECT_EQ(list_state(*ctl), k_closed);
    // Closing a closed list: nothing is prepared, the capture stays.
    s.TextHwnd = k_marker;
    win::SetCapture(text);
    show(*ctl, 0);
    EXPECT_EQ(std::pair(s.TextHwnd, win::GetCapture()), std::pair(k_marker, text));
    win::ReleaseCapture();
    // DropDown opens a closed list; it and 1 leave an open one alone; -1
    // prepares and opens it again with the grid's own procedure still saved.
    ctl->invoke(dispid::DropDown, vb::InvokeKind::Method, {});
    EXPECT_EQ(list_state(*ctl), k_open);
    s.TextHwnd = k_marker;
    show(*ctl, 1);
    ctl->DropDown();
    EXPECT_EQ(s.TextHwnd, k_marker);
    show(*ctl, -1);
    EXPECT_EQ(std::pair(s.TextHwnd, s.PrevGridWndProc), std::pair(text, own_proc));
    EXPECT_EQ(list_state(*ctl), k_open);
    // A disabled control opens only with -1; dispatch passes Show by
    // reference.
    ctl->let_Enabled(false);
    show(*ctl, 1);
    EXPECT_EQ(list_state(*ctl), k_closed);
    std::vector<vb::Variant> args{vb::Variant(vb::Integer{-1})};
    ctl->invoke(dispid::ShowDropDown, vb::InvokeKind::Method, args);
    EXPECT_EQ(list_state(*ctl), k_open);
    EXPECT_EQ(vb::CInt(args[0]), -1);
    args[0] = vb::Variant(vb::Integer{0});
    ctl->invoke(dispid::ShowDropDown, vb::InvokeKind::Method, args);
    EXPECT_EQ(list_state(*ctl), k_closed);
}

// A list without rows opens one row high, without scroll bars.
TEST_F(DropDownTest, ListWithoutRowsIsOneRowHigh)
{
    for (const char* row_source : {"", "SELECT id, name FROM empty_cities"}) {
        SCOPED_TRACE(row_source);
        bind(*ctl, row_source);
        show(*ctl, 1);
        EXPECT_EQ(list_state(*ctl), k_open);
        win::RECT placed{};
        win::GetWindowRect(grid_of(*ctl), &placed);
        EXPECT_EQ(std::pair(placed.height(), ctl->DropdownList().get_ScrollBars()),
            std::pair(14, grid::dbgNone));
        show(*ctl, 0);
    }
    // The empty table still gave its columns.
    EXPECT_EQ(ctl->get_ColumnCount(), 2);
    EXPECT_TRUE(fixed_log_lines().empty());
}

TEST_F(DropDownTest, OpeningAnotherControlsListTakesTheRecordOver)
{
    Morvex& other = add("Morvex2");
    bind(*ctl, k_rows);
    bind(other, k_rows);
    show(*ctl, 1);
    show(other, 1);
    const auto& s = modGridCombo::state();
    EXPECT_EQ(list_state(other), k_open);
    EXPECT_EQ(std::tuple(s.TextHwnd, s.ControlHwnd, s.GridHwnd, s.GridControl.get()),
        std::tuple(
            other.txtFieldCmb().get_hWnd(), hwnd_of(other), grid_of(other), &other.DropdownList()));
    show(other, 0);
    EXPECT_EQ(list_state(other), k_closed);
}

struct CloserRow {
    const char* name;
    std::function<void(DropDownTest&)> close;
    // Twips; none when the control is gone.
    std::optional<vb::Single> top;
};

class ListCloser : public DropDownTest, public ::testing::WithParamInterface<CloserRow> {};

TEST_P(ListCloser, ClosesAnOpenList)
{
    bind(*ctl, k_rows);
    show(*ctl, 1);
    ASSERT_EQ(list_state(*ctl), k_open);
    GetParam().close(*this);
    EXPECT_FALSE(modGridCombo::state().GridSubclassed || modGridCombo::state().GridControl);
    EXPECT_EQ(win::GetCapture(), 0u);
    EXPECT_TRUE(host::message_boxes().empty());
    if (GetParam().top) {
        EXPECT_EQ(list_state(*ctl), k_closed);
        EXPECT_EQ(ctl->DropdownList().extender().get_Top(), *GetParam().top);
    }
}

// The layout parks the grid below the control (675); when the list closes
// after the layout it stays where closing puts it (31 pixels).
INSTANTIATE_TEST_SUITE_P(Callers, ListCloser,
    ::testing::Values(CloserRow{"Disable", [](auto& t) { t.ctl->let_Enabled(false); }, 675},
        CloserRow{"Clear", [](auto& t) { t.ctl->Clear(); }, 31 * 15},
        CloserRow{"Resize", [](auto& t) { t.site->extender().let_Width(4005); }, 31 * 15},
        // The form goes: every control terminates, then every window.
        CloserRow{"Terminate", [](auto& t) { t.form.reset(); }, std::nullopt}),
    test::RowName{});

TEST_F(DropDownTest, PreparationFailureShowsOneBoxAndEndsThePreparation)
{
    bind(*ctl, k_rows);
    diag::InjectedFault fault("InitpData", "2", vb::Error(7, "Out of memory"));
    show(*ctl, 1);
    EXPECT_EQ(host::message_boxes(),
        (std::vector<host::MessageBoxRecord>{{"Out of memory", 16, "InitpData"}}));
    EXPECT_EQ(modGridCombo::state().GridHwnd, 0u);
}

} // namespace
} // namespace pendrel
