#include "platform/controls/LineMetrics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Utf8.h"
#include "support/RowName.h"

namespace controls {
namespace {

struct LineCase {
    const char* name;
    const char* text;
};

class LineOffsets : public ::testing::TestWithParam<LineCase> {};

// Where the drawing's own layout puts each boundary.
TEST_P(LineOffsets, FollowTheLayout)
{
    const gfx::Font font = gfx::default_font();
    const std::string text = GetParam().text;
    const LineMetrics line(font, text, 96);
    const std::vector<int> exact = gfx::caret_offsets(font, text, 96);
    ASSERT_EQ(static_cast<std::size_t>(line.length()) + 1, exact.size());
    for (int i = 0; i <= line.length(); ++i) {
        EXPECT_LE(std::abs(line.offset(i) - exact[static_cast<std::size_t>(i)]), 1)
            << "boundary " << i;
        if (i > 0) {
            EXPECT_GE(line.offset(i), line.offset(i - 1)) << "boundary " << i;
        }
    }
    EXPECT_EQ(line.width(), gfx::measure_text(font, text, 96).width);
}

INSTANTIATE_TEST_SUITE_P(Cases, LineOffsets,
    ::testing::Values(LineCase{"Empty", ""}, LineCase{"Ascii", "Hello, World"},
        LineCase{"Kerning", "AVAWAY To"}, LineCase{"Latin", "Zürich Łódź"},
        LineCase{"Cjk", "日本語"}, LineCase{"Emoji", "a😀b"}, LineCase{"BrokenBytes", "a\xC3z"}),
    pendrel::test::RowName{});

TEST(LineMetrics, IndexAtPicksTheNearestBoundary)
{
    const LineMetrics line(gfx::default_font(), "Zürich", 96);
    for (int i = 0; i <= line.length(); ++i) {
        EXPECT_EQ(line.index_at(line.offset(i)), i) << "boundary " << i;
    }
    const int a = line.offset(2); // before "r"
    const int b = line.offset(3);
    ASSERT_GT(b - a, 2);
    EXPECT_EQ(line.index_at(a + 1), 2);
    EXPECT_EQ(line.index_at(b - 1), 3);
    EXPECT_EQ(line.index_at((a + b) / 2), 2); // a tie, or nearer to a
    EXPECT_EQ(line.index_at(-100), 0);
    EXPECT_EQ(line.index_at(100000), 6);
}

// Beyond the exact length: measured before each boundary, within two pixels
// of the layout, never going backwards, and found again by index_at.
TEST(LineMetrics, LongLinesMeasureWhatTheyNeed)
{
    std::string text;
    while (gfx::char_count(text) <= LineMetrics::k_exact_length) {
        text += "AVAWAY To Zürich, ";
    }
    const gfx::Font font = gfx::default_font();
    const LineMetrics line(font, text, 96);
    const std::vector<int> exact = gfx::caret_offsets(font, text, 96);
    for (int i = 0; i <= line.length(); i += 7) {
        EXPECT_LE(std::abs(line.offset(i) - exact[static_cast<std::size_t>(i)]), 2) << i;
        EXPECT_GE(line.offset(i + 1), line.offset(i)) << i;
        EXPECT_EQ(line.offset(line.index_at(line.offset(i))), line.offset(i)) << i;
    }
    EXPECT_EQ(line.width(), gfx::measure_text(font, text, 96).width);
}

} // namespace
} // namespace controls
