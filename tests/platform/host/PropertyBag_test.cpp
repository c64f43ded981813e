#include <gtest/gtest.h>

#include "platform/host/PropertyBag.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Error.h"

namespace {

using host::PropertyBag;

vb::Long error_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(PropertyBag, MissingKeyReadsTheDefaultAndStoredValuesKeepTheirTags)
{
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("ListRows", vb::Long{15}), vb::Variant(vb::Long{15}));
    EXPECT_TRUE(bag.ReadProperty("Nothing").is_empty());
    bag.WriteProperty("Appearance", vb::Integer{0}, vb::Long{1});
    EXPECT_EQ(bag.ReadProperty("Appearance", vb::Long{1}), vb::Variant(vb::Integer{0}));
}

struct DefaultCase {
    const char* name;
    vb::Variant value;
    vb::Variant def;
    bool stored;
};

class WriteDefault : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(WriteDefault, StoresNothingWhenTheValueEqualsTheDefault)
{
    const auto& c = GetParam();
    PropertyBag bag;
    bag.WriteProperty("Key", c.value, c.def);
    EXPECT_EQ(bag.contains("Key"), c.stored);
    EXPECT_EQ(bag.ReadProperty("Key", c.def), c.stored ? c.value : c.def);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteDefault,
    ::testing::Values(DefaultCase{"IntegerEqualsLongDefault", vb::Integer{1}, vb::Long{1}, false},
        DefaultCase{"DifferentNumber", vb::Long{16}, vb::Integer{15}, true},
        DefaultCase{"SingleEqualsDouble", vb::Single{8.25f}, vb::Double{8.25}, false},
        DefaultCase{"BooleanDiffers", vb::False, vb::True, true},
        DefaultCase{"BooleanTrueIsMinusOne", vb::True, vb::Integer{-1}, false},
        DefaultCase{"TextEqual", "100", "100", false},
        DefaultCase{"TextCaseMatters", "abc", "ABC", true},
        DefaultCase{"TextIsNotANumber", "1", vb::Integer{1}, true},
        DefaultCase{"NoDefaultStoresAlways", vb::Integer{0}, vb::Missing, true},
        DefaultCase{"EmptyDefaultStoresAlways", "", vb::Variant(), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PropertyBag, WritingTheDefaultRemovesAnEarlierValue)
{
    PropertyBag bag;
    bag.WriteProperty("ColumnWidths", "50;50", "100");
    bag.WriteProperty("ColumnWidths", "100", "100");
    EXPECT_FALSE(bag.contains("ColumnWidths"));
}

TEST(PropertyBag, KeysIgnoreAsciiCaseKeepTheirFirstSpellingAndMayBeNonAscii)
{
    PropertyBag bag;
    bag.WriteProperty("RowHeight", vb::Long{300});
    bag.WriteProperty("ROWHEIGHT", vb::Long{240});
    EXPECT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.entries()[0].key, "RowHeight");
    EXPECT_EQ(bag.ReadProperty("rowheight"), vb::Variant(vb::Long{240}));
    bag.WriteProperty("Gr\xC3\xB6\xC3\x9F"
                      "e",
        vb::Integer{3}); // non-ASCII keys are fine
    EXPECT_EQ(bag.ReadProperty("Gr\xC3\xB6\xC3\x9F"
                               "e"),
        vb::Variant(vb::Integer{3}));
}

TEST(PropertyBag, FontsAreStoredAsSnapshotsUnlessEqualToTheDefault)
{
    PropertyBag bag;
    auto surface_font = host::StdFont::create();
    bag.WriteProperty("Font", surface_font->clone(), surface_font);
    EXPECT_FALSE(bag.contains("Font"));
    auto font = surface_font->clone();
    font->let_Name("Tahoma");
    bag.WriteProperty("Font", font, surface_font);
    font->let_Name("Arial"); // after the write: not in the bag
    auto first = bag.ReadProperty("Font");
    auto read = std::dynamic_pointer_cast<host::StdFont>(first.as_object());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->get_Name(), "Tahoma");
    EXPECT_NE(first.as_object(), bag.ReadProperty("Font").as_object()) << "a new object per read";
}

struct BadKeyCase {
    const char* name;
    std::string key;
};

class BadKey : public ::testing::TestWithParam<BadKeyCase> {};

TEST_P(BadKey, IsRefusedForReadingAndWriting)
{
    PropertyBag bag;
    const auto& key = GetParam().key;
    EXPECT_EQ(
        error_of([&] { bag.WriteProperty(key, vb::Integer{1}); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_of([&] { (void)bag.ReadProperty(key, vb::Integer{1}); }),
        vb::err::InvalidPropertyValue);
    EXPECT_TRUE(bag.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, BadKey,
    ::testing::Values(BadKeyCase{"Empty", ""}, BadKeyCase{"TooLong", std::string(256, 'k')},
        BadKeyCase{"LineBreak", "Row\nHeight"}, BadKeyCase{"Nul", std::string("a\0b", 3)},
        BadKeyCase{"BrokenUtf8", "Z\xFCrich"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PropertyBag, ValuesABagCannotKeepAreRefused)
{
    struct Plain : vb::Object {
        std::string_view type_name() const override { return "Plain"; }
    };
    PropertyBag bag;
    EXPECT_EQ(error_of([&] { bag.WriteProperty("A", vb::Null); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(
        error_of([&] { bag.WriteProperty("A", vb::Variant()); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_of([&] { bag.WriteProperty("A", std::make_shared<Plain>()); }),
        vb::err::InvalidPropertyValue);
    EXPECT_TRUE(bag.empty());
}

} // namespace
