#include <gtest/gtest.h>

#include <fstream>

#include "platform/gfx/Image.h"
#include "support/TempDir.h"
#include "support/VbError.h"

namespace {

using pendrel::test::TempDir;

TEST(Image, PngRoundTripKeepsEveryPixelAndAlphaAndBadFilesSizesAndCoordinatesRaise)
{
    TempDir dir;
    gfx::Image image(5, 3, {0xC0, 0xC0, 0xC0});
    image.set_pixel(0, 0, {0xFF, 0, 0});
    image.set_pixel(4, 2, {0, 0, 0xFF});
    image.set_pixel(2, 1, {0x10, 0x20, 0x30}, 0); // fully transparent
    image.write_png(dir / "a.png");
    const auto back = gfx::Image::read_png(dir / "a.png");
    ASSERT_EQ(back.width(), 5);
    ASSERT_EQ(back.height(), 3);
    EXPECT_EQ(back.pixel(0, 0), (gfx::Rgb{0xFF, 0, 0}));
    EXPECT_EQ(back.pixel(4, 2), (gfx::Rgb{0, 0, 0xFF}));
    EXPECT_EQ(back.pixel(1, 1), (gfx::Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(back.alpha(2, 1), 0);
    EXPECT_EQ(back.alpha(1, 1), 0xFF);
    EXPECT_VB_ERROR((void)gfx::Image::read_png(dir / "none.png"), vb::err::FileNotFound);
    EXPECT_VB_ERROR((void)gfx::Image::read_png(dir.path()), vb::err::FileNotFound);
    std::ofstream(dir / "bad.png") << "\x89PNG\r\n\x1a\n but then nothing sensible";
    EXPECT_VB_ERROR((void)gfx::Image::read_png(dir / "bad.png"), vb::err::InvalidFileFormat);
    // A file is not a folder, even for root.
    const auto e
        = pendrel::test::error_of([&] { gfx::Image(2, 2).write_png(dir / "bad.png" / "x.png"); });
    EXPECT_EQ(e.number(), vb::err::PathFileAccessError);
    EXPECT_NE(e.description().find("x.png"), std::string::npos) << e.description();
    EXPECT_VB_ERROR(gfx::Image(-1, 4), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(gfx::Image(4, gfx::Image::k_max_side + 1), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR((void)image.pixel(5, 0), vb::err::SubscriptOutOfRange);
    EXPECT_VB_ERROR(image.set_pixel(0, -1, {}), vb::err::SubscriptOutOfRange);
}

} // namespace
