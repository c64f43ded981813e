// Keeping the design-time settings in the property bag: an empty bag's
// values, the RowHeight rule, the work-area width, defaults not written,
// the font's strike-through, a key that stops the reading, and a round trip
// through the host's form file.

#include <gtest/gtest.h>

#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/PropertyBag.h"
#include "platform/win/WindowManager.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using test::error_of;

constexpr gfx::OLE_COLOR k_teal = gfx::RGB(0x00, 0x80, 0x80);
constexpr gfx::OLE_COLOR k_navy = gfx::RGB(0x00, 0x00, 0x80);

class MorvexPersistence : public test::MorvexTest {
protected:
    [[nodiscard]] host::PropertyBag written() const
    {
        host::PropertyBag bag;
        ctl->WriteProperties(bag);
        return bag;
    }
    [[nodiscard]] static std::vector<std::string> keys_of(const host::PropertyBag& bag)
    {
        std::vector<std::string> keys;
        for (const auto& e : bag.entries())
            keys.push_back(e.key);
        return keys;
    }
    void read_empty()
    {
        host::PropertyBag empty;
        ctl->ReadProperties(empty);
    }
    // Reads an empty bag on a desktop whose work area is that rectangle.
    vb::Integer screen_width_on(win::Display display, win::RECT work_area)
    {
        display.work_area = work_area;
        win::WindowManager::the().set_display(display);
        read_empty();
        return ctl->get_ScreenWidth();
    }
};

TEST_F(MorvexPersistence, EmptyBagGivesTheDefaultsAndWritesNothingBack)
{
    ctl->txtFieldCmb().let_CausesValidation(true);
    read_empty();
    const auto& txt = ctl->txtFieldCmb();
    auto& list = ctl->DropdownList();
    EXPECT_EQ(txt.get_Appearance(), 1);
    EXPECT_EQ(ctl->DropdownButton().get_Appearance(), 1);
    EXPECT_TRUE(ctl->get_AutoExpand());
    EXPECT_EQ(list.get_BackColor(), gfx::vbButtonFace);
    EXPECT_EQ(txt.get_BorderStyle(), 1);
    EXPECT_EQ(ctl->get_BoundColumn(), 1);
    EXPECT_FALSE(ctl->get_CausesValidation());
    EXPECT_TRUE(list.get_ColumnHeaders());
    EXPECT_EQ(ctl->get_ColumnWidths(), "100");
    EXPECT_EQ(txt.get_Font()->font(), site->surface().get_Font()->font());
    EXPECT_EQ(list.get_ForeColor(), gfx::vbButtonText);
    EXPECT_EQ(ctl->get_ForeColor(), gfx::vbButtonText);
    EXPECT_EQ(ctl->get_ListRows(), 15);
    EXPECT_FLOAT_EQ(list.get_RowHeight(), 210.0F);
    EXPECT_EQ(ctl->get_ScreenWidth(), 1920 * 15);
    EXPECT_TRUE(written().empty()) << testing::PrintToString(keys_of(written()));
}

TEST_F(MorvexPersistence, ChangedSettingsAreWrittenInKeyOrderAndWritingChangesNothing)
{
    read_empty();
    vb::Boolean no = false;
    vb::Boolean yes = true;
    ctl->let_Appearance(mtbFlat);
    ctl->let_AutoExpand(false);
    ctl->let_BackColor(k_teal);
    ctl->txtFieldCmb().let_BorderStyle(0);
    ctl->let_BoundColumn(2);
    ctl->let_CausesValidation(true);
    ctl->let_ColumnHeads(no);
    ctl->let_ColumnWidths("0;50;50");
    ctl->let_Enabled(false);
    ctl->get_Font()->let_Name("Tahoma");
    ctl->let_FontBold(yes);
    ctl->let_FontItalic(true);
    ctl->let_FontSize(12);
    ctl->let_FontUnderline(true);
    ctl->let_ForeColor(k_navy);
    ctl->let_ListRows(20);
    ctl->let_RowHeight(300);
    ctl->txtFieldCmb().let_ForeColor(k_teal);
    const auto bag = written();
    EXPECT_EQ(keys_of(bag),
        (std::vector<std::string>{"Appearance", "AutoExpand", "BackColor", "BorderStyle",
            "BoundColumn", "CausesValidation", "ColumnHeads", "ColumnWidths", "Enabled", "Font",
            "FontBold", "FontItalic", "FontSize", "FontUnderline", "ForeColor", "ListRows",
            "RowHeight"}));
    EXPECT_EQ(written(), bag);
    EXPECT_EQ(bag.ReadProperty("Appearance"), vb::Variant(vb::Integer{0}));
    EXPECT_EQ(bag.ReadProperty("ListRows"), vb::Variant(vb::Long{20}));
    // From the text field, not the field.
    EXPECT_EQ(bag.ReadProperty("ForeColor"), vb::Variant(static_cast<vb::Long>(k_teal)));
}

TEST_F(MorvexPersistence, RowHeightBelowOneHundredReadsAs210)
{
    for (const auto& [stored, read] : {std::pair<vb::Variant, vb::Long>{vb::Long{99}, 210},
             {vb::Long{100}, 100}, {vb::Integer{0}, 210}}) {
        host::PropertyBag bag;
        bag.WriteProperty("RowHeight", stored);
        ctl->ReadProperties(bag);
        EXPECT_EQ(ctl->get_RowHeight(), read) << testing::PrintToString(stored);
        EXPECT_FLOAT_EQ(ctl->DropdownList().get_RowHeight(), static_cast<vb::Single>(read));
    }
}

TEST_F(MorvexPersistence, ScreenWidthRoundsHalfToEvenAndAWideWorkAreaDoesNotStopTheReading)
{
    win::Display fine;
    fine.dpi = 576; // 2.5 twips a pixel: 3 pixels are 7.5 twips
    EXPECT_EQ(screen_width_on(fine, win::RECT{10, 0, 13, 1040}), 8);
    win::Display wide;
    wide.width = 2400;
    EXPECT_EQ(screen_width_on(wide, win::RECT{0, 0, 2400, 1040}), 32767);
}

TEST_F(MorvexPersistence, StoredFontGivesItsNameButNotItsStrikeThrough)
{
    auto font = host::StdFont::create();
    font->let_Name("Tahoma");
    font->let_Size(12);
    font->let_Bold(true);
    font->let_Italic(true);
    font->let_Strikethrough(true);
    font->let_Charset(2);
    ctl->set_Font(font);
    auto bag = written();
    Morvex& other = add("Morvex2");
    other.ReadProperties(bag);
    const auto& read = other.txtFieldCmb().get_Font();
    EXPECT_EQ(read->get_Name(), "Tahoma");
    EXPECT_FLOAT_EQ(read->get_Size(), 12.0F);
    EXPECT_TRUE(read->get_Bold() && read->get_Italic());
    EXPECT_FALSE(read->get_Strikethrough());
    EXPECT_EQ(read->get_Charset(), 0);
    EXPECT_TRUE(other.DropdownList().get_Font()->get_Bold());
    EXPECT_FALSE(other.DropdownList().get_Font()->get_Italic());
}

// A key that fails to convert, or whose value a child refuses, stops the
// reading there: the keys before it are read, the ones after it are not.
TEST_F(MorvexPersistence, FailingKeyStopsTheReadingThere)
{
    host::PropertyBag refused;
    refused.WriteProperty("Appearance", vb::Integer{7});
    refused.WriteProperty("AutoExpand", false);
    ctl->let_AutoExpand(true);
    EXPECT_EQ(
        error_of([&] { ctl->ReadProperties(refused); }).number(), vb::err::InvalidPropertyValue);
    EXPECT_EQ(ctl->txtFieldCmb().get_Appearance(), 1);
    EXPECT_TRUE(ctl->get_AutoExpand());

    host::PropertyBag bag;
    bag.WriteProperty("Appearance", vb::Integer{0});
    bag.WriteProperty("AutoExpand", false);
    bag.WriteProperty("BackColor", static_cast<vb::Long>(k_teal));
    bag.WriteProperty("BorderStyle", "thick");
    bag.WriteProperty("BoundColumn", vb::Integer{3});
    bag.WriteProperty("ColumnWidths", "10;90");
    EXPECT_EQ(error_of([&] { ctl->ReadProperties(bag); }).number(), vb::err::TypeMismatch);
    EXPECT_EQ(ctl->DropdownButton().get_Appearance(), 0);
    EXPECT_FALSE(ctl->get_AutoExpand());
    EXPECT_EQ(ctl->DropdownList().get_BackColor(), k_teal);
    EXPECT_EQ(ctl->txtFieldCmb().get_BorderStyle(), 1);
    EXPECT_EQ(ctl->get_BoundColumn(), 1);
    EXPECT_EQ(ctl->get_ColumnWidths(), "");
    EXPECT_EQ(ctl->get_ScreenWidth(), 0);
}

TEST_F(MorvexPersistence, EnabledKeyTouchesTheSurfaceOnly)
{
    host::PropertyBag bag;
    bag.WriteProperty("Enabled", false);
    ctl->ReadProperties(bag);
    EXPECT_FALSE(ctl->get_Enabled());
    EXPECT_TRUE(ctl->txtFieldCmb().get_Enabled() && ctl->DropdownButton().get_Enabled());
}

TEST_F(MorvexPersistence, BoundColumnReadLastHoldsForEveryControlOfTheThread)
{
    Morvex& other = add("Morvex2");
    host::PropertyBag two;
    two.WriteProperty("BoundColumn", vb::Integer{2});
    host::PropertyBag three;
    three.WriteProperty("BoundColumn", vb::Integer{3});
    ctl->ReadProperties(two);
    other.ReadProperties(three);
    EXPECT_EQ(ctl->get_BoundColumn(), 3);
    EXPECT_EQ(written().ReadProperty("BoundColumn"), vb::Variant(vb::Integer{3}));
}

TEST_F(MorvexPersistence, RoundTripThroughTheFormFile)
{
    ctl->let_Appearance(mtbFlat);
    ctl->let_BackColor(k_teal);
    ctl->let_ColumnWidths("0;50;50");
    ctl->let_RowHeight(300);
    ctl->get_Font()->let_Name("Tahoma");
    ctl->let_BoundColumn(2);
    const auto file = dir / "Form1.frm";
    form->save(file);
    ctl->let_BoundColumn(5);

    host::ControlClasses classes;
    classes.add(std::string(Morvex::k_class_name), Morvex::factory());
    const auto loaded = host::Form::load(file, classes);
    Morvex& back = Morvex::of(*loaded->find("Morvex1"));
    EXPECT_EQ(back.DropdownButton().get_Appearance(), 0);
    EXPECT_EQ(back.get_BackColor(), k_teal);
    EXPECT_EQ(back.get_ColumnWidths(), "0;50;50");
    EXPECT_EQ(back.get_RowHeight(), 300);
    EXPECT_EQ(back.get_Font()->get_Name(), "Tahoma");
    EXPECT_EQ(back.get_BoundColumn(), 2);
    // What the first-time control never had read: AutoExpand False and
    // ColumnHeads False are kept, not the bag's defaults.
    EXPECT_FALSE(back.get_AutoExpand());
    EXPECT_FALSE(back.get_ColumnHeads());
}

} // namespace
} // namespace pendrel
