#include <gtest/gtest.h>

#include "platform/gfx/Color.h"
#include "support/RowName.h"
#include "support/VbError.h"

namespace {

using gfx::Rgb;

struct ColorCase {
    const char* name;
    gfx::OLE_COLOR value;
    std::optional<Rgb> rgb; // nothing: not a colour
};

class OleColor : public ::testing::TestWithParam<ColorCase> {};

TEST_P(OleColor, TranslatesOrRefuses)
{
    const auto& c = GetParam();
    EXPECT_EQ(gfx::is_valid_color(c.value), c.rgb.has_value());
    EXPECT_EQ(gfx::paint_color(c.value), c.rgb.value_or(Rgb{})) << "painting falls back to black";
    if (c.rgb)
        EXPECT_EQ(gfx::translate_color(c.value), *c.rgb);
    else
        EXPECT_VB_ERROR((void)gfx::translate_color(c.value), vb::err::InvalidPropertyValue);
}

INSTANTIATE_TEST_SUITE_P(Values, OleColor,
    ::testing::Values(ColorCase{"ExplicitIsBgr", 0x00563412, Rgb{0x12, 0x34, 0x56}},
        ColorCase{"FirstSystemIndex", 0x80000000, Rgb{0xC0, 0xC0, 0xC0}},
        ColorCase{"LastSystemIndex", 0x80000018, Rgb{0xFF, 0xFF, 0xE1}},
        ColorCase{"UnknownSystemIndex", 0x80000019, std::nullopt},
        ColorCase{"SystemWithMiddleBits", 0x8000010F, std::nullopt},
        ColorCase{"OtherHighByte", 0x0100000F, std::nullopt}),
    pendrel::test::RowName{});

TEST(SystemColors, NegativeIndexHasNone)
{
    EXPECT_FALSE(gfx::GetSysColor(-1));
}

} // namespace
