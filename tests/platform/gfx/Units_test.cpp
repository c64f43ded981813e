#include <gtest/gtest.h>

#include <cmath>

#include "platform/gfx/Units.h"
#include "support/RowName.h"
#include "support/VbError.h"

namespace {

struct PixelCase {
    const char* name;
    double twips;
    int dpi;
    int pixels;
};

class TwipsToPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(TwipsToPixels, RoundsHalfToEven)
{
    const auto& c = GetParam();
    EXPECT_EQ(gfx::to_pixels(gfx::Twips{c.twips}, c.dpi).value, c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, TwipsToPixels,
    ::testing::Values(PixelCase{"Exact", 375, 96, 25}, PixelCase{"HalfDown", 7.5, 96, 0},
        PixelCase{"HalfUp", 22.5, 96, 2}, PixelCase{"BelowHalf", 22, 96, 1},
        PixelCase{"NegativeHalf", -22.5, 96, -2}, PixelCase{"At120Dpi", 360, 120, 30}),
    pendrel::test::RowName{});

// Pixels round-trip through twips; absurd values raise.
TEST(Twips, PixelsRoundTripThroughTwipsAndAbsurdValuesRaise)
{
    EXPECT_EQ(gfx::to_twips(gfx::Pixels{201}, 96).value, 3015.0);
    for (int px : {-7, 0, 17, 100000})
        EXPECT_EQ(gfx::to_pixels(gfx::to_twips(gfx::Pixels{px}, 96), 96).value, px);
    EXPECT_VB_ERROR((void)gfx::to_pixels(gfx::Twips{1e12}, 96), vb::err::Overflow);
    EXPECT_VB_ERROR(
        (void)gfx::to_pixels(gfx::Twips{std::nan("")}, 96), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR((void)gfx::twips_per_pixel(0), vb::err::InvalidProcedureCall);
}

} // namespace
