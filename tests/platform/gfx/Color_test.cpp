#include <gtest/gtest.h>

#include "platform/gfx/Color.h"
#include "platform/vb/Error.h"
#include "support/RowName.h"

namespace {

using gfx::Rgb;

struct ColorCase {
    const char* name;
    gfx::OLE_COLOR value;
    bool valid;
    Rgb rgb;
};

class OleColor : public ::testing::TestWithParam<ColorCase> {};

TEST_P(OleColor, TranslatesOrRefuses)
{
    const auto& c = GetParam();
    EXPECT_EQ(gfx::is_valid_color(c.value), c.valid);
    if (c.valid) {
        EXPECT_EQ(gfx::translate_color(c.value), c.rgb);
        EXPECT_EQ(gfx::paint_color(c.value), c.rgb);
    } else {
        try {
            (void)gfx::translate_color(c.value);
            FAIL() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), vb::err::InvalidPropertyValue);
        }
        EXPECT_EQ(gfx::paint_color(c.value), Rgb{}) << "painting falls back to black";
    }
}

INSTANTIATE_TEST_SUITE_P(Values, OleColor,
    ::testing::Values(ColorCase{"ExplicitIsBgr", 0x00563412, true, {0x12, 0x34, 0x56}},
        ColorCase{"ButtonFace", 0x8000000F, true, {0xC0, 0xC0, 0xC0}},
        ColorCase{"FirstSystemIndex", 0x80000000, true, {0xC0, 0xC0, 0xC0}},
        ColorCase{"LastSystemIndex", 0x80000018, true, {0xFF, 0xFF, 0xE1}},
        ColorCase{"UnknownSystemIndex", 0x80000019, false, {}},
        ColorCase{"SystemWithMiddleBits", 0x8000010F, false, {}},
        ColorCase{"OtherHighByte", 0x0100000F, false, {}}),
    pendrel::test::RowName{});

TEST(SystemColors, EveryIndexHasAColourAndTheThreeDShadesDiffer)
{
    for (int i = 0; i < gfx::COLOR_COUNT; ++i)
        EXPECT_TRUE(gfx::GetSysColor(i).has_value()) << i;
    EXPECT_FALSE(gfx::GetSysColor(-1));
    EXPECT_FALSE(gfx::GetSysColor(gfx::COLOR_COUNT));
    // A raised border is only visible when its colours differ.
    auto shadow = gfx::translate_color(gfx::vbButtonShadow);
    auto dark = gfx::translate_color(gfx::vb3DDKShadow);
    EXPECT_NE(gfx::translate_color(gfx::vb3DHighlight), shadow);
    EXPECT_NE(shadow, dark);
    EXPECT_NE(gfx::translate_color(gfx::vb3DLight), dark);
}

} // namespace
