// The properties that forward to the children or keep a field: the names
// they signal to the host, where each value goes, the order of Enabled,
// the narrowed reads, and setters that a child stops.

#include <gtest/gtest.h>

#include <functional>

#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"
#include "support/win/MessageRecorder.h"

namespace pendrel {
namespace {

using test::error_of;
using Names = std::vector<std::string>;

constexpr gfx::OLE_COLOR k_teal = gfx::RGB(0x00, 0x80, 0x80);
constexpr gfx::OLE_COLOR k_not_a_colour = 0x01000000;

// -- The names setters signal --

struct SignalRow {
    std::string name;
    std::function<void(Morvex&)> set;
    Names signalled;
};

class PropertySignals : public test::MorvexTest, public testing::WithParamInterface<SignalRow> {};

TEST_P(PropertySignals, SetterSignalsItsExactName)
{
    (void)take_changes();
    GetParam().set(*ctl);
    EXPECT_EQ(take_changes(), GetParam().signalled);
}

// A setter taking its Boolean by reference.
template <void (Morvex::*Let)(vb::Boolean&)> void let_true(Morvex& c)
{
    vb::Boolean v = true;
    (c.*Let)(v);
}

INSTANTIATE_TEST_SUITE_P(Morvex, PropertySignals,
    testing::Values(
        SignalRow{"AutoExpand", [](Morvex& c) { c.let_AutoExpand(true); }, {"AutoExpand"}},
        SignalRow{"BackColor", [](Morvex& c) { c.let_BackColor(k_teal); }, {"BackColor"}},
        SignalRow{"ForeColor", [](Morvex& c) { c.let_ForeColor(k_teal); }, {"ForeColor"}},
        SignalRow{"FontBold", let_true<&Morvex::let_FontBold>, {"FontBold"}},
        SignalRow{"ColumnHeads", let_true<&Morvex::let_ColumnHeads>, {"ColumnHeads"}},
        SignalRow{"Enabled", [](Morvex& c) { c.let_Enabled(false); }, {"Enabled"}},
        SignalRow{"Appearance", [](Morvex& c) { c.let_Appearance(mtbFlat); }, {"Appearance"}},
        SignalRow{"Font", [](Morvex& c) { c.set_Font(host::StdFont::create()); }, {"Font"}},
        SignalRow{"FontItalic", [](Morvex& c) { c.let_FontItalic(true); }, {"FontItalic"}},
        SignalRow{"FontSize", [](Morvex& c) { c.let_FontSize(12); }, {"FontSize"}},
        SignalRow{"FontUnderline", [](Morvex& c) { c.let_FontUnderline(true); }, {"FontUnderline"}},
        SignalRow{"CausesValidation", [](Morvex& c) { c.let_CausesValidation(false); },
            {"CausesValidation"}},
        SignalRow{"BoundColumn", [](Morvex& c) { c.let_BoundColumn(2); }, {"BoundColumn"}},
        SignalRow{"ListRows", [](Morvex& c) { c.let_ListRows(8); }, {"ListRows"}},
        SignalRow{"ColumnWidths", [](Morvex& c) { c.let_ColumnWidths("0;50"); }, {"ColumnWidths"}},
        SignalRow{"RowHeight", [](Morvex& c) { c.let_RowHeight(300); }, {"RowHeight"}},
        SignalRow{"CnStr", [](Morvex& c) { c.let_CnStr("x"); }, {"CnStr"}},
        SignalRow{"DataField", [](Morvex& c) { c.let_DataField("name"); }, {"DataField"}},
        SignalRow{"dataSource",
            [](Morvex& c) { c.set_dataSource(vb::Variant(clsDataSource::create())); },
            {"dataSource"}},
        SignalRow{"RowSource", [](Morvex& c) { c.let_RowSource("SELECT 1"); }, {"RowSource"}},
        SignalRow{"Text", [](Morvex& c) { c.let_Text("abc"); }, {}},
        SignalRow{"SelStart", [](Morvex& c) { c.let_SelStart(0); }, {}},
        SignalRow{"fLogging", [](Morvex& c) { c.let_fLogging("x.txt"); }, {}},
        SignalRow{"ScreenWidth", [](Morvex& c) { c.let_ScreenWidth(5); }, {}},
        SignalRow{"Clear", [](Morvex& c) { c.Clear(); }, {}}),
    test::RowName{});

// -- Where values go --

using MorvexForwarding = test::MorvexTest;

TEST_F(MorvexForwarding, BackColorReadsTheTextFieldAndForeColorItsOwnField)
{
    ctl->let_BackColor(k_teal);
    ctl->let_ForeColor(k_teal);
    EXPECT_EQ(ctl->DropdownList().get_BackColor(), k_teal);
    EXPECT_EQ(ctl->DropdownList().get_ForeColor(), k_teal);
    ctl->txtFieldCmb().let_BackColor(gfx::vbButtonFace);
    ctl->txtFieldCmb().let_ForeColor(gfx::vbWindowText);
    EXPECT_EQ(ctl->get_BackColor(), gfx::vbButtonFace);
    EXPECT_EQ(ctl->get_ForeColor(), k_teal);
}

TEST_F(MorvexForwarding, FontIsTheTextFieldsObjectAndOnlyBoldReachesTheGrid)
{
    const gfx::Font grid_before = ctl->DropdownList().get_Font()->font();
    const auto mine = host::StdFont::create();
    ctl->set_Font(mine);
    EXPECT_EQ(ctl->txtFieldCmb().get_Font(), mine);
    mine->let_Size(20);
    EXPECT_FLOAT_EQ(ctl->get_FontSize(), 20.0F);
    ctl->let_FontItalic(true);
    ctl->let_FontUnderline(true);
    EXPECT_TRUE(ctl->get_FontItalic() && ctl->get_FontUnderline());
    EXPECT_EQ(ctl->DropdownList().get_Font()->font(), grid_before);
    let_true<&Morvex::let_FontBold>(*ctl);
    EXPECT_TRUE(ctl->txtFieldCmb().get_FontBold());
    EXPECT_TRUE(ctl->DropdownList().get_Font()->get_Bold());
    EXPECT_FALSE(ctl->DropdownList().get_Font()->get_Italic());
}

TEST_F(MorvexForwarding, AppearanceChangesTheTextFieldOnly)
{
    ctl->let_Appearance(mtbFlat);
    EXPECT_EQ(ctl->get_Appearance(), mtbFlat);
    EXPECT_EQ(ctl->txtFieldCmb().get_Appearance(), 0);
    EXPECT_EQ(ctl->DropdownButton().get_Appearance(), 1);
    EXPECT_EQ(error_of([&] { ctl->let_Appearance(static_cast<mtbAppearance>(2)); }).number(),
        vb::err::InvalidPropertyValue);
}

TEST_F(MorvexForwarding, ChildRefusingAValueStopsTheSetterBeforeItSignals)
{
    (void)take_changes();
    EXPECT_EQ(error_of([&] { ctl->let_BackColor(k_not_a_colour); }).number(),
        vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_of([&] { ctl->let_FontSize(0); }).number(), vb::err::InvalidPropertyValue);
    // The field is stored first; the grid refuses a negative height.
    EXPECT_EQ(error_of([&] { ctl->let_RowHeight(-15); }).number(), vb::err::InvalidPropertyValue);
    EXPECT_EQ(ctl->get_RowHeight(), -15);
    EXPECT_EQ(take_changes(), Names{});
    EXPECT_EQ(ctl->DropdownList().get_BackColor(), gfx::vbWindowBackground);
}

TEST_F(MorvexForwarding, ListRowsKeepsAtMost25)
{
    for (const auto& [given, kept] :
        {std::pair<vb::Integer, vb::Integer>{40, 25}, {25, 25}, {10, 10}, {0, 0}, {-3, -3}}) {
        ctl->let_ListRows(given);
        EXPECT_EQ(ctl->get_ListRows(), kept) << given;
    }
}

// -- Enabled --

TEST_F(MorvexForwarding, EnabledGoesToSurfaceTextFieldButtonAndGridInThatOrder)
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

TEST_F(MorvexForwarding, EnabledFailingAtTheGridKeepsTheEarlierStepsAndSignalsNothing)
{
    win::DestroyWindow(ctl->DropdownList().get_hWnd());
    (void)take_changes();
    EXPECT_EQ(error_of([&] { ctl->let_Enabled(false); }).number(), vb::err::ObjectNotSet);
    EXPECT_FALSE(win::IsWindowEnabled(site->hwnd()));
    EXPECT_FALSE(ctl->txtFieldCmb().get_Enabled() || ctl->DropdownButton().get_Enabled());
    EXPECT_EQ(take_changes(), Names{});
}

// -- Narrowed reads --

TEST_F(MorvexForwarding, SelectionAbove32767IsAnOverflowNotAClip)
{
    ctl->let_Text(std::string(40000, 'x'));
    auto& txt = ctl->txtFieldCmb();
    txt.let_SelStart(32767);
    txt.let_SelLength(7233);
    EXPECT_EQ(std::pair(ctl->get_SelStart(), ctl->get_SelLength()),
        std::pair(vb::Integer{32767}, vb::Integer{7233}));
    txt.let_SelStart(32768);
    txt.let_SelLength(0);
    EXPECT_EQ(error_of([&] { (void)ctl->get_SelStart(); }).number(), vb::err::Overflow);
    EXPECT_EQ(ctl->get_SelLength(), 0);
    txt.let_SelStart(0);
    txt.let_SelLength(32768);
    EXPECT_EQ(error_of([&] { (void)ctl->get_SelLength(); }).number(), vb::err::Overflow);
}

} // namespace
} // namespace pendrel
