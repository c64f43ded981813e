#include <gtest/gtest.h>

#include "platform/host/PropertyBag.h"
#include "platform/host/StdFont.h"
#include "support/VbError.h"

namespace {

using host::PropertyBag;

TEST(PropertyBag, WritingTheDefaultStoresNothingAndRemovesAnEarlierValue)
{
    struct Row {
        const char* name;
        vb::Variant value;
        vb::Variant def;
        bool stored;
    };
    for (const Row& row : {Row{"Integer equals Long default", vb::Integer{1}, vb::Long{1}, false},
             Row{"different number", vb::Long{16}, vb::Integer{15}, true},
             Row{"Single equals Double", vb::Single{8.25f}, vb::Double{8.25}, false},
             Row{"Boolean differs", vb::False, vb::True, true},
             Row{"True is -1", vb::True, vb::Integer{-1}, false},
             Row{"text equal", "100", "100", false}, Row{"text case matters", "abc", "ABC", true},
             Row{"text is not a number", "1", vb::Integer{1}, true},
             Row{"no default stores always", vb::Integer{0}, vb::Missing, true},
             Row{"empty default stores always", "", vb::Variant(), true}}) {
        SCOPED_TRACE(row.name);
        PropertyBag bag;
        bag.WriteProperty("Key", "earlier", "x");
        bag.WriteProperty("Key", row.value, row.def);
        EXPECT_EQ(bag.contains("Key"), row.stored);
        EXPECT_EQ(bag.ReadProperty("Key", row.def), row.stored ? row.value : row.def);
    }
}

TEST(PropertyBag, KeysIgnoreAsciiCaseKeepTheirFirstSpellingAndMayBeNonAscii)
{
    PropertyBag bag;
    bag.WriteProperty("RowHeight", vb::Long{300});
    bag.WriteProperty("ROWHEIGHT", vb::Long{240});
    EXPECT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.entries()[0].key, "RowHeight");
    EXPECT_EQ(bag.ReadProperty("rowheight"), vb::Variant(vb::Long{240}));
    bag.WriteProperty("Gr\u00f6\u00dfe", vb::Integer{3});
    EXPECT_EQ(bag.ReadProperty("GR\u00f6\u00dfE"), vb::Variant(vb::Integer{3}));
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

TEST(PropertyBag, BadKeysAndValuesABagCannotKeepAreRefused)
{
    struct Plain : vb::Object {
        std::string_view type_name() const override { return "Plain"; }
    };
    PropertyBag bag;
    for (const std::string& key : {std::string(), std::string(256, 'k'), std::string("Row\nHeight"),
             std::string("Z\xFCrich")}) {
        SCOPED_TRACE(key);
        EXPECT_VB_ERROR(bag.WriteProperty(key, vb::Integer{1}), vb::err::InvalidPropertyValue);
        EXPECT_VB_ERROR((void)bag.ReadProperty(key, vb::Integer{1}), vb::err::InvalidPropertyValue);
    }
    for (const vb::Variant& value :
        {vb::Variant(vb::Null), vb::Variant(), vb::Variant(std::make_shared<Plain>())}) {
        EXPECT_VB_ERROR(bag.WriteProperty("A", value), vb::err::InvalidPropertyValue);
    }
    EXPECT_TRUE(bag.empty());
}

} // namespace
