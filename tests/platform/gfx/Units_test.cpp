#include <gtest/gtest.h>

#include <cmath>

#include "platform/gfx/Units.h"
#include "platform/vb/Error.h"
#include "support/RowName.h"

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

TEST(Twips, PixelsRoundTripThroughTwips)
{
    EXPECT_EQ(gfx::to_twips(gfx::Pixels{201}, 96).value, 3015.0);
    for (int px : {-7, 0, 17, 100000})
        EXPECT_EQ(gfx::to_pixels(gfx::to_twips(gfx::Pixels{px}, 96), 96).value, px);
}

TEST(Twips, AbsurdValuesRaise)
{
    auto number_of = [](double twips) {
        try {
            (void)gfx::to_pixels(gfx::Twips{twips}, 96);
        } catch (const vb::Error& e) {
            return e.number();
        }
        return vb::Long{0};
    };
    EXPECT_EQ(number_of(1e12), vb::err::Overflow);
    EXPECT_EQ(number_of(std::nan("")), vb::err::InvalidPropertyValue);
    EXPECT_THROW((void)gfx::twips_per_pixel(0), vb::Error);
}

} // namespace
