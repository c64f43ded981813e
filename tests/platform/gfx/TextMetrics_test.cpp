#include <gtest/gtest.h>

#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Units.h"
#include "platform/win/WindowManager.h"

namespace {

constexpr int k_dpi = 96;

TEST(TextMetrics, LongerBolderLargerAndHigherDpiMeasureMore)
{
    gfx::Font f;
    gfx::Font bold;
    bold.set_bold(true);
    gfx::Font large;
    large.size = 16;
    auto one = gfx::measure_text(f, "W", k_dpi);
    auto three = gfx::measure_text(f, "WWW", k_dpi);
    EXPECT_GT(one.width, 0);
    EXPECT_GT(three.width, 2 * one.width);
    EXPECT_EQ(one.height, three.height);
    EXPECT_GE(gfx::measure_text(bold, "The quick fox", k_dpi).width,
        gfx::measure_text(f, "The quick fox", k_dpi).width);
    EXPECT_GT(gfx::measure_text(large, "W", k_dpi).width, one.width);
    EXPECT_GT(gfx::line_height(large, k_dpi), gfx::line_height(f, k_dpi));
    EXPECT_GT(gfx::measure_text(f, "W", 144).width, one.width);
    auto empty = gfx::measure_text(f, "", k_dpi);
    EXPECT_EQ(empty.width, 0);
    EXPECT_GT(empty.height, 0) << "empty text still has a line";
}

TEST(TextMetrics, DefaultFontLineHeightIsPlausible)
{
    // 8.25 points at 96 dpi is an 11-pixel em; the line is a little taller.
    int h = gfx::line_height(gfx::default_font(), k_dpi);
    EXPECT_GE(h, 11);
    EXPECT_LE(h, 18);
}

TEST(TextMetrics, TwipsAreFifteenPerPixelAt96Dpi)
{
    win::WindowManager::reset();
    gfx::Font f;
    auto px = gfx::measure_text(f, "Logging", k_dpi);
    EXPECT_EQ(gfx::text_width_twips(f, "Logging"), px.width * 15.0);
    EXPECT_EQ(gfx::text_height_twips(f, "Logging"), px.height * 15.0);
}

TEST(TextMetrics, ResolvedFacesMeasureTheSame)
{
    gfx::Font ms;
    gfx::Font dejavu;
    dejavu.name = "DejaVu Sans";
    EXPECT_EQ(gfx::measure_text(ms, "Kestrel", k_dpi), gfx::measure_text(dejavu, "Kestrel", k_dpi));
}

TEST(CaretOffsets, OneOffsetPerCharacterBoundaryEvenForBadBytes)
{
    gfx::Font f;
    auto offsets = gfx::caret_offsets(f, "Z\xC3\xBCrich", k_dpi); // 6 characters, 7 bytes
    ASSERT_EQ(offsets.size(), 7u);
    EXPECT_EQ(offsets.front(), 0);
    EXPECT_EQ(offsets.back(), gfx::measure_text(f, "Z\xC3\xBCrich", k_dpi).width);
    for (std::size_t i = 1; i < offsets.size(); ++i)
        EXPECT_GT(offsets[i], offsets[i - 1]) << i;
    EXPECT_EQ(offsets[1], gfx::measure_text(f, "Z", k_dpi).width);
    EXPECT_EQ(gfx::caret_offsets(f, "", k_dpi), std::vector<int>{0});
    EXPECT_EQ(gfx::caret_offsets(f,
                  "a\xFF"
                  "b",
                  k_dpi)
                  .size(),
        4u)
        << "a bad byte is one character";
}

TEST(CharIndexAt, PicksTheNearestBoundary)
{
    gfx::Font f;
    const char* text = "MMMM";
    auto offsets = gfx::caret_offsets(f, text, k_dpi);
    EXPECT_EQ(gfx::char_index_at(f, text, -50, k_dpi), 0);
    EXPECT_EQ(gfx::char_index_at(f, text, 10000, k_dpi), 4);
    EXPECT_EQ(gfx::char_index_at(f, text, offsets[2] + 1, k_dpi), 2);
    EXPECT_EQ(gfx::char_index_at(f, text, offsets[3] - 1, k_dpi), 3);
}

} // namespace
