#include <gtest/gtest.h>

#include <fstream>

#include "platform/gfx/Image.h"
#include "platform/vb/Error.h"
#include "support/TempDir.h"

namespace {

using pendrel::test::TempDir;

vb::Long error_of(const std::function<void()>& f)
{
    try {
        f();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(Image, PngRoundTripKeepsEveryPixelAndAlpha)
{
    TempDir dir;
    gfx::Image image(5, 3, {0xC0, 0xC0, 0xC0});
    image.set_pixel(0, 0, {0xFF, 0, 0});
    image.set_pixel(4, 2, {0, 0, 0xFF});
    image.set_pixel(2, 1, {0x10, 0x20, 0x30}, 0); // fully transparent
    image.write_png(dir / "a.png");
    auto back = gfx::Image::read_png(dir / "a.png");
    ASSERT_EQ(back.width(), 5);
    ASSERT_EQ(back.height(), 3);
    EXPECT_EQ(back.pixel(0, 0), (gfx::Rgb{0xFF, 0, 0}));
    EXPECT_EQ(back.pixel(4, 2), (gfx::Rgb{0, 0, 0xFF}));
    EXPECT_EQ(back.pixel(1, 1), (gfx::Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(back.alpha(2, 1), 0);
    EXPECT_EQ(back.alpha(1, 1), 0xFF);
}

TEST(Image, ReadingRefusesMissingAndBrokenFiles)
{
    TempDir dir;
    EXPECT_EQ(
        error_of([&] { (void)gfx::Image::read_png(dir / "none.png"); }), vb::err::FileNotFound);
    std::ofstream(dir / "bad.png") << "\x89PNG\r\n\x1a\n but then nothing sensible";
    EXPECT_EQ(
        error_of([&] { (void)gfx::Image::read_png(dir / "bad.png"); }), vb::err::InvalidFileFormat);
    EXPECT_EQ(error_of([&] { (void)gfx::Image::read_png(dir.path()); }), vb::err::FileNotFound);
}

TEST(Image, WritingToAnUnwritablePlaceRaisesNamingTheFile)
{
    TempDir dir;
    std::ofstream(dir / "file") << "x";
    auto target = dir / "file" / "under-a-file.png"; // a file is not a folder, even for root
    try {
        gfx::Image(2, 2).write_png(target);
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::err::PathFileAccessError);
        EXPECT_NE(e.description().find("under-a-file.png"), std::string::npos) << e.description();
    }
}

TEST(Image, AbsurdSizesAndCoordinatesRaise)
{
    EXPECT_EQ(error_of([] { gfx::Image(-1, 4); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(
        error_of([] { gfx::Image(4, gfx::Image::k_max_side + 1); }), vb::err::InvalidPropertyValue);
    gfx::Image image(2, 2);
    EXPECT_EQ(error_of([&] { (void)image.pixel(2, 0); }), vb::err::SubscriptOutOfRange);
    EXPECT_EQ(error_of([&] { image.set_pixel(0, -1, {}); }), vb::err::SubscriptOutOfRange);
}

} // namespace
