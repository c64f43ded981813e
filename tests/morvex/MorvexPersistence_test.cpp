// Keeping the design-time settings in the property bag: a newly placed
// control's values, the defaults of missing keys, the names the setters
// signal and the keys they write, the RowHeight rule, the work-area width,
// the font's strike-through, a key that stops the reading, and a round trip
// through the host's form file.

#include <tuple>

#include "platform/host/PropertyBag.h"
#include "platform/win/WindowManager.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Names = std::vector<std::string>;

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
    [[nodiscard]] static Names keys_of(const host::PropertyBag& bag)
    {
        Names keys;
        for (const auto& e : bag.entries())
            keys.push_back(e.key);
        return keys;
    }
    void read(std::initializer_list<std::pair<const char*, vb::Variant>> entries)
    {
        host::PropertyBag bag;
        for (const auto& [key, value] : entries)
            bag.WriteProperty(key, value);
        ctl->ReadProperties(bag);
    }
};

// Every key but Enabled is missing: each gives its default, and only Enabled
// is written back. Enabled touches the surface only. ScreenWidth is the work
// area's width in the screen's twips.
TEST_F(MorvexPersistence, MissingKeysGiveTheDefaults)
{
    win::Display fine;
    fine.dpi = 576; // 2.5 twips a pixel: 3 pixels are 7.5 twips, to even 8
    fine.work_area = win::RECT{10, 0, 13, 1040};
    win::WindowManager::the().set_display(fine);
    ctl->txtFieldCmb().let_CausesValidation(true);
    read({{"Enabled", false}});
    const auto& txt = ctl->txtFieldCmb();
    auto& list = ctl->DropdownList();
    EXPECT_EQ(std::tuple(txt.get_Appearance(), ctl->DropdownButton().get_Appearance(),
                  txt.get_BorderStyle(), ctl->get_BoundColumn(), ctl->get_ListRows()),
        std::tuple(1, 1, 1, 1, 15));
    EXPECT_TRUE(ctl->get_AutoExpand() && list.get_ColumnHeaders());
    EXPECT_FALSE(ctl->get_CausesValidation());
    EXPECT_EQ(std::tuple(list.get_BackColor(), list.get_ForeColor(), ctl->get_ForeColor()),
        std::tuple(gfx::vbButtonFace, gfx::vbButtonText, gfx::vbButtonText));
    EXPECT_EQ(ctl->get_ColumnWidths(), "100");
    EXPECT_EQ(txt.get_Font()->font(), site->surface().get_Font()->font());
    EXPECT_FLOAT_EQ(list.get_RowHeight(), 210.0F);
    EXPECT_EQ(ctl->get_ScreenWidth(), 8);
    EXPECT_FALSE(ctl->get_Enabled());
    EXPECT_TRUE(txt.get_Enabled() && ctl->DropdownButton().get_Enabled());
    EXPECT_EQ(keys_of(written()), Names{"Enabled"});
}

// Each setter of a stored setting signals its name once; the other members
// signal nothing. What the bag gets is written in key order, and writing
// changes nothing.
TEST_F(MorvexPersistence, SettersSignalTheirNamesAndChangedSettingsAreWrittenInKeyOrder)
{
    read({});
    (void)take_changes();
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
    const auto font = host::StdFont::create();
    font->let_Name("Tahoma");
    ctl->set_Font(font);
    ctl->let_FontBold(yes);
    ctl->let_FontItalic(true);
    ctl->let_FontSize(12);
    ctl->let_FontUnderline(true);
    ctl->let_ForeColor(k_navy);
    ctl->let_ListRows(20);
    ctl->let_RowHeight(300);
    ctl->let_Text("abc");
    ctl->let_SelStart(1);
    ctl->let_fLogging("x.txt");
    ctl->let_ScreenWidth(5);
    ctl->Clear();
    EXPECT_EQ(ctl->get_Text(), "");
    ctl->txtFieldCmb().let_ForeColor(k_teal);
    const Names keys{"Appearance", "AutoExpand", "BackColor", "BorderStyle", "BoundColumn",
        "CausesValidation", "ColumnHeads", "ColumnWidths", "Enabled", "Font", "FontBold",
        "FontItalic", "FontSize", "FontUnderline", "ForeColor", "ListRows", "RowHeight"};
    Names signalled = keys;
    std::erase(signalled, "BorderStyle");
    EXPECT_EQ(take_changes(), signalled);
    const auto bag = written();
    EXPECT_EQ(keys_of(bag), keys);
    EXPECT_EQ(written(), bag);
    EXPECT_EQ(bag.ReadProperty("Appearance"), vb::Variant(vb::Integer{0}));
    EXPECT_EQ(bag.ReadProperty("ListRows"), vb::Variant(vb::Long{20}));
    // From the text field, not the field.
    EXPECT_EQ(bag.ReadProperty("ForeColor"), vb::Variant(static_cast<vb::Long>(k_teal)));
}

TEST_F(MorvexPersistence, RowHeightBelowOneHundredReadsAs210)
{
    for (const auto& [stored, kept] : {std::pair<vb::Variant, vb::Long>{vb::Long{99}, 210},
             {vb::Long{100}, 100}, {vb::Integer{0}, 210}}) {
        read({{"RowHeight", stored}});
        EXPECT_EQ(ctl->get_RowHeight(), kept) << testing::PrintToString(stored);
        EXPECT_FLOAT_EQ(ctl->DropdownList().get_RowHeight(), static_cast<vb::Single>(kept));
    }
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
    EXPECT_EQ(std::tuple(read->get_Name(), read->get_Size(), read->get_Bold(), read->get_Italic(),
                  read->get_Strikethrough(), read->get_Charset()),
        std::tuple("Tahoma", 12.0F, vb::True, vb::True, vb::False, 0));
    EXPECT_TRUE(other.DropdownList().get_Font()->get_Bold());
    EXPECT_FALSE(other.DropdownList().get_Font()->get_Italic());
}

// A key that fails to convert (or whose value a child refuses) stops the
// reading there with its error: the keys before it are read, the ones after
// it are not, nor is the work area.
TEST_F(MorvexPersistence, FailingKeyStopsTheReadingThere)
{
    EXPECT_VB_ERROR(read({{"Appearance", vb::Integer{0}}, {"AutoExpand", false},
                        {"BackColor", static_cast<vb::Long>(k_teal)}, {"BorderStyle", "thick"},
                        {"BoundColumn", vb::Integer{3}}, {"ColumnWidths", "10;90"}}),
        vb::err::TypeMismatch);
    EXPECT_EQ(std::tuple(ctl->DropdownButton().get_Appearance(), ctl->get_AutoExpand(),
                  ctl->DropdownList().get_BackColor()),
        std::tuple(0, vb::False, k_teal));
    EXPECT_EQ(std::tuple(ctl->txtFieldCmb().get_BorderStyle(), ctl->get_BoundColumn(),
                  ctl->get_ColumnWidths(), ctl->get_ScreenWidth()),
        std::tuple(1, 1, "", 0));
}

// A newly placed control starts with BoundColumn 1 and ListRows 15 and every
// other field zero, not with an empty bag's values; the form file keeps what
// it then differs in.
TEST_F(MorvexPersistence, FirstTimeValuesRoundTripThroughTheFormFile)
{
    EXPECT_EQ(std::tuple(ctl->get_AutoExpand(), ctl->get_ColumnHeads(), ctl->get_RowHeight(),
                  ctl->get_ScreenWidth(), ctl->get_ForeColor(), ctl->get_ListRows()),
        std::tuple(vb::False, vb::False, 0, 0, 0u, 15));
    ctl->let_Appearance(mtbFlat);
    ctl->let_ColumnWidths("0;50;50");
    ctl->let_RowHeight(300);
    ctl->let_BoundColumn(2);
    const auto file = dir / "Form1.frm";
    form->save(file);
    ctl->let_BoundColumn(5);

    host::ControlClasses classes;
    classes.add(std::string(Morvex::k_class_name), Morvex::factory());
    const auto loaded = host::Form::load(file, classes);
    Morvex& back = Morvex::of(*loaded->find("Morvex1"));
    EXPECT_EQ(std::tuple(back.DropdownButton().get_Appearance(), back.get_ColumnWidths(),
                  back.get_RowHeight(), back.get_ListRows()),
        std::tuple(0, "0;50;50", 300, 15));
    // BoundColumn is the thread's: the control read last set it for all.
    EXPECT_EQ(ctl->get_BoundColumn(), 2);
    // Not the bag's defaults, True.
    EXPECT_FALSE(back.get_AutoExpand() || back.get_ColumnHeads());
}

} // namespace
} // namespace pendrel
