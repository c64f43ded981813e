#include <gtest/gtest.h>

#include <cmath>

#include "platform/host/PropertyBag.h"
#include "platform/host/StdFont.h"
#include "support/VbError.h"

namespace {

using host::StdFont;

TEST(StdFont, HoldersShareOneObjectBoldIsAWeightAndListenersMayChangeDuringANotice)
{
    auto font = StdFont::create();
    auto text_box_font = font; // a second holder of the same object
    int heard = 0;
    auto token = font->subscribe([&] { ++heard; });
    text_box_font->let_Italic(true);
    EXPECT_TRUE(font->get_Italic());
    EXPECT_EQ(heard, 1);
    text_box_font->let_Italic(true); // no change, no notice
    EXPECT_EQ(heard, 1);
    token.reset();
    font->let_Size(12);
    EXPECT_EQ(heard, 1) << "a dropped token hears nothing";
    font->let_Bold(true); // Bold is a weight
    EXPECT_EQ(font->get_Weight(), 700);
    font->let_Weight(600);
    EXPECT_TRUE(font->get_Bold());
    font->let_Weight(550);
    EXPECT_FALSE(font->get_Bold());
    // Listeners may subscribe and drop others during a notice.
    std::vector<std::string> heard_by;
    std::shared_ptr<void> second;
    std::shared_ptr<void> first = font->subscribe([&] {
        heard_by.push_back("first");
        second.reset();
        if (heard_by.size() == 1)
            first = font->subscribe([&] { heard_by.push_back("again"); });
    });
    second = font->subscribe([&] { heard_by.push_back("second"); });
    font->let_Bold(true);
    font->let_Bold(false);
    EXPECT_EQ(heard_by, (std::vector<std::string>{"first", "again"}));
}

TEST(StdFont, BadValuesAreRefusedAndChangeNothing)
{
    struct Row {
        const char* name;
        void (*set)(StdFont&);
    };
    for (const Row& row : {Row{"empty name", [](StdFont& f) { f.let_Name(""); }},
             Row{"long name", [](StdFont& f) { f.let_Name(std::string(32, 'x')); }},
             Row{"name with newline", [](StdFont& f) { f.let_Name("MS\nSans"); }},
             Row{"broken UTF-8", [](StdFont& f) { f.let_Name("Z\xFC"); }},
             Row{"zero size", [](StdFont& f) { f.let_Size(0); }},
             Row{"huge size", [](StdFont& f) { f.let_Size(5000); }},
             Row{"NaN size", [](StdFont& f) { f.let_Size(std::nanf("")); }},
             Row{"weight", [](StdFont& f) { f.let_Weight(1001); }},
             Row{"charset", [](StdFont& f) { f.let_Charset(256); }}}) {
        auto font = StdFont::create();
        const auto before = font->font();
        EXPECT_VB_ERROR(row.set(*font), vb::err::InvalidPropertyValue) << row.name;
        EXPECT_EQ(font->font(), before) << row.name;
    }
}

TEST(StdFont, DispatchByNameAndIdentifier)
{
    auto font = StdFont::create();
    EXPECT_EQ(font->id_of_name("size"), StdFont::DISPID_FONT_SIZE);
    std::vector<vb::Variant> args{vb::Variant("12")};
    font->invoke(StdFont::DISPID_FONT_SIZE, vb::InvokeKind::PropertyLet, args);
    EXPECT_EQ(font->get_Size(), 12.0f);
    EXPECT_EQ(font->invoke(StdFont::DISPID_FONT_NAME, vb::InvokeKind::PropertyGet, {}),
        vb::Variant("MS Sans Serif"));
    args = {vb::Variant("big")};
    EXPECT_VB_ERROR(font->invoke(StdFont::DISPID_FONT_SIZE, vb::InvokeKind::PropertyLet, args),
        vb::err::TypeMismatch);
}

TEST(StdFont, StoresAndRestoresEveryAttributeAndChecksStoredFonts)
{
    gfx::Font f{"Tahoma", 9.75, 700, true, true, true, 2};
    host::PropertyBag bag;
    StdFont::create(f)->save(bag);
    EXPECT_EQ(StdFont::problem(bag), "");
    EXPECT_EQ(StdFont::from_bag(bag)->font(), f);
    EXPECT_EQ(StdFont::from_bag(host::PropertyBag{})->font(), gfx::default_font())
        << "absent keys: defaults";
    auto problem_of = [](const char* key, vb::Variant value) {
        host::PropertyBag b;
        b.WriteProperty(key, value);
        EXPECT_VB_ERROR((void)StdFont::from_bag(b), vb::err::InvalidPropertyValue);
        return StdFont::problem(b);
    };
    EXPECT_NE(problem_of("Size", "large"), "");
    EXPECT_NE(problem_of("Size", vb::Single{-1}), "");
    EXPECT_NE(problem_of("Weight", vb::Double{400.5}), "");
}

} // namespace
