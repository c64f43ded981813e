// The properties that forward to the children or keep a field: where each
// value goes, the order of Enabled, the narrowed reads, setters that a child
// stops, and BoundColumn, which every control of a thread shares and no two
// threads do. The names setters signal are checked with the stored settings
// (MorvexPersistence_test.cpp) and the row source (MorvexRowSource_test.cpp).

#include <thread>
#include <tuple>

#include "dropdown/modGridCombo.h"
#include "platform/win/User32.h"
#include "support/morvex/MorvexTest.h"
#include "support/win/MessageRecorder.h"

namespace pendrel {
namespace {

using Names = std::vector<std::string>;

constexpr gfx::OLE_COLOR k_teal = gfx::RGB(0x00, 0x80, 0x80);
constexpr gfx::OLE_COLOR k_not_a_colour = 0x01000000;

using MorvexProperties = test::MorvexTest;

// Appearance changes the text field only.
TEST_F(MorvexProperties, ColoursAndAppearanceGoToTheTextFieldAndTheGrid)
{
    ctl->let_BackColor(k_teal);
    ctl->let_ForeColor(k_teal);
    auto& list = ctl->DropdownList();
    EXPECT_EQ(
        std::tuple(list.get_BackColor(), list.get_ForeColor(), ctl->txtFieldCmb().get_ForeColor()),
        std::tuple(k_teal, k_teal, k_teal));
    // BackColor reads the text field, ForeColor the control's own field.
    ctl->txtFieldCmb().let_BackColor(gfx::vbButtonFace);
    ctl->txtFieldCmb().let_ForeColor(gfx::vbWindowText);
    EXPECT_EQ(std::pair(ctl->get_BackColor(), ctl->get_ForeColor()),
        std::pair(gfx::vbButtonFace, k_teal));
    ctl->let_Appearance(mtbFlat);
    EXPECT_EQ(
        std::tuple(ctl->txtFieldCmb().get_Appearance(), ctl->DropdownButton().get_Appearance()),
        std::tuple(0, 1));
}

TEST_F(MorvexProperties, FontIsTheTextFieldsObjectAndOnlyBoldReachesTheGrid)
{
    const gfx::Font grid_before = ctl->DropdownList().get_Font()->font();
    const auto mine = host::StdFont::create();
    ctl->set_Font(mine);
    mine->let_Size(20);
    EXPECT_FLOAT_EQ(ctl->get_FontSize(), 20.0F);
    ctl->let_FontItalic(true);
    ctl->let_FontUnderline(true);
    EXPECT_TRUE(ctl->get_FontItalic() && ctl->get_FontUnderline());
    EXPECT_EQ(ctl->DropdownList().get_Font()->font(), grid_before);
    vb::Boolean bold = true;
    ctl->let_FontBold(bold);
    EXPECT_TRUE(ctl->txtFieldCmb().get_FontBold() && ctl->DropdownList().get_Font()->get_Bold());
    EXPECT_FALSE(ctl->DropdownList().get_Font()->get_Italic());
}

TEST_F(MorvexProperties, ChildRefusingAValueStopsTheSetterBeforeItSignals)
{
    (void)take_changes();
    EXPECT_VB_ERROR(ctl->let_BackColor(k_not_a_colour), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(ctl->let_FontSize(0), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(
        ctl->let_Appearance(static_cast<mtbAppearance>(2)), vb::err::InvalidPropertyValue);
    // The field is stored first; the grid refuses a negative height.
    EXPECT_VB_ERROR(ctl->let_RowHeight(-15), vb::err::InvalidPropertyValue);
    EXPECT_EQ(ctl->get_RowHeight(), -15);
    EXPECT_EQ(take_changes(), Names{});
    EXPECT_EQ(ctl->DropdownList().get_BackColor(), gfx::vbWindowBackground);
}

TEST_F(MorvexProperties, ListRowsKeepsAtMost25)
{
    for (const auto& [given, kept] :
        {std::pair<vb::Integer, vb::Integer>{26, 25}, {25, 25}, {-3, -3}}) {
        ctl->let_ListRows(given);
        EXPECT_EQ(ctl->get_ListRows(), kept) << given;
    }
}

TEST_F(MorvexProperties, EnabledGoesToSurfaceTextFieldButtonAndGridInThatOrder)
{
    const win::HWND order[] = {site->hwnd(), ctl->txtFieldCmb().get_hWnd(),
        ctl->DropdownButton().get_hWnd(), ctl->DropdownList().get_hWnd()};
    test::MessageRecorder recorder;
    for (const win::HWND hwnd : order)
        recorder.watch(hwnd, "child");
    (void)take_changes();
    ctl->let_Enabled(false);
    const auto enables = recorder.only(win::WM_ENABLE);
    ASSERT_EQ(enables.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(enables[i].hwnd, order[i]) << i;
    EXPECT_FALSE(ctl->get_Enabled());
    EXPECT_EQ(take_changes(), Names{"Enabled"});
}

TEST_F(MorvexProperties, EnabledFailingAtTheGridKeepsTheEarlierStepsAndSignalsNothing)
{
    win::DestroyWindow(ctl->DropdownList().get_hWnd());
    (void)take_changes();
    EXPECT_VB_ERROR(ctl->let_Enabled(false), vb::err::ObjectNotSet);
    EXPECT_FALSE(win::IsWindowEnabled(site->hwnd()));
    EXPECT_FALSE(ctl->txtFieldCmb().get_Enabled() || ctl->DropdownButton().get_Enabled());
    EXPECT_EQ(take_changes(), Names{});
}

TEST_F(MorvexProperties, SelectionAbove32767IsAnOverflowNotAClip)
{
    ctl->let_Text(std::string(40000, 'x'));
    auto& txt = ctl->txtFieldCmb();
    txt.let_SelStart(32767);
    txt.let_SelLength(7233);
    EXPECT_EQ(std::pair(ctl->get_SelStart(), ctl->get_SelLength()),
        std::pair(vb::Integer{32767}, vb::Integer{7233}));
    txt.let_SelStart(32768);
    txt.let_SelLength(0);
    EXPECT_VB_ERROR((void)ctl->get_SelStart(), vb::err::Overflow);
    EXPECT_EQ(ctl->get_SelLength(), 0);
    txt.let_SelStart(0);
    txt.let_SelLength(32768);
    EXPECT_VB_ERROR((void)ctl->get_SelLength(), vb::err::Overflow);
}

TEST_F(MorvexProperties, BoundColumnIsSharedByTheControlsOfAThread)
{
    Morvex& other = add("Morvex2");
    ctl->let_BoundColumn(3);
    EXPECT_EQ(other.get_BoundColumn(), 3);
    other.let_BoundColumn(0);
    EXPECT_EQ(ctl->get_BoundColumn(), 0);
    // A newly placed control sets it to 1 for all of them.
    (void)add("Morvex3");
    EXPECT_EQ(ctl->get_BoundColumn(), 1);
}

// Another thread starts with a zero record of its own, and what its control
// sets stays there.
TEST_F(MorvexProperties, ThreadsNeverShareTheRecord)
{
    ctl->let_BoundColumn(9);
    std::pair<vb::Integer, vb::Integer> seen{-1, -1};
    std::thread([&] {
        seen.first = modGridCombo::state().BoundColumn;
        host::Form other("Form2", win::RECT{0, 0, 400, 300});
        Morvex& mine
            = Morvex::of(other.add_control("Morvex1", Morvex::factory(), {0, 0, 3015, 375}));
        mine.let_BoundColumn(5);
        seen.second = mine.get_BoundColumn();
    }).join();
    EXPECT_EQ(seen, (std::pair<vb::Integer, vb::Integer>{0, 5}));
    EXPECT_EQ(ctl->get_BoundColumn(), 9);
}

} // namespace
} // namespace pendrel
