#include <gtest/gtest.h>

#include "platform/gfx/TextMetrics.h"
#include "platform/win/WindowManager.h"

namespace {

constexpr int k_dpi = 96;

TEST(TextMetrics, LongerBolderLargerAndHigherDpiMeasureMoreAndFacesResolveToInstalledFamilies)
{
    const gfx::Font f;
    gfx::Font bold;
    bold.set_bold(true);
    const gfx::Font large{.size = 16};
    const auto one = gfx::measure_text(f, "W", k_dpi);
    const auto three = gfx::measure_text(f, "WWW", k_dpi);
    EXPECT_GT(three.width, 2 * one.width);
    EXPECT_EQ(one.height, three.height);
    EXPECT_GE(gfx::measure_text(bold, "The quick fox", k_dpi).width,
        gfx::measure_text(f, "The quick fox", k_dpi).width);
    EXPECT_GT(gfx::measure_text(large, "W", k_dpi).width, one.width);
    EXPECT_GT(gfx::measure_text(f, "W", 144).width, one.width);
    EXPECT_EQ(gfx::measure_text(f, "", k_dpi).width, 0);
    // 8.25 points at 96 dpi is an 11-pixel em; the line is a little taller.
    EXPECT_GE(gfx::line_height(gfx::default_font(), k_dpi), 11);
    EXPECT_LE(gfx::line_height(gfx::default_font(), k_dpi), 18);
    // The face table, not fontconfig (which picks a proportional face here).
    EXPECT_EQ(gfx::measure_text({.name = "Lucida Console"}, "Kestrel", k_dpi),
        gfx::measure_text({.name = "DejaVu Sans Mono"}, "Kestrel", k_dpi))
        << "a Windows face measures as the family it resolves to";
    win::WindowManager::reset(); // a display of 96 dpi: 15 twips a pixel
    EXPECT_EQ(gfx::text_width_twips(f, "W"), one.width * 15.0);
    EXPECT_EQ(gfx::text_height_twips(f, "W"), one.height * 15.0);
    const struct {
        const char* face;
        const char* family;
    } rows[] = {{"MS Sans Serif", "DejaVu Sans"}, {"courier NEW", "DejaVu Sans Mono"},
        {"Courier New", "DejaVu Sans Mono"}, {"DejaVu Serif", "DejaVu Serif"},
        {"No Such Face 4711", "DejaVu Sans"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.face);
        EXPECT_EQ(gfx::resolve_face(row.face), row.family);
        EXPECT_TRUE(gfx::face_is_installed(row.family));
    }
    // The table, not fontconfig's substitution, decides the Windows faces.
    EXPECT_FALSE(gfx::face_is_installed("MS Sans Serif"));
    EXPECT_FALSE(gfx::face_is_installed(std::string_view("Dej\0aVu", 7)));
}

// The character index at a point picks the nearest boundary.
TEST(CaretOffsets, OneOffsetPerCharacterBoundaryEvenForBadBytes)
{
    const gfx::Font f;
    const auto offsets = gfx::caret_offsets(f, "Z\xC3\xBCrich", k_dpi); // 6 characters, 7 bytes
    ASSERT_EQ(offsets.size(), 7U);
    EXPECT_EQ(offsets.front(), 0);
    EXPECT_EQ(offsets[1], gfx::measure_text(f, "Z", k_dpi).width);
    EXPECT_EQ(offsets.back(), gfx::measure_text(f, "Z\xC3\xBCrich", k_dpi).width);
    for (std::size_t i = 1; i < offsets.size(); ++i)
        EXPECT_GT(offsets[i], offsets[i - 1]) << i;
    EXPECT_EQ(gfx::caret_offsets(f, "", k_dpi), std::vector<int>{0});
    EXPECT_EQ(gfx::caret_offsets(f, "a\377b", k_dpi).size(), 4U) << "a bad byte is one character";
    const auto m = gfx::caret_offsets(f, "MMMM", k_dpi);
    EXPECT_EQ(gfx::char_index_at(f, "MMMM", -50, k_dpi), 0);
    EXPECT_EQ(gfx::char_index_at(f, "MMMM", 10000, k_dpi), 4);
    EXPECT_EQ(gfx::char_index_at(f, "MMMM", m[2] + 1, k_dpi), 2);
    EXPECT_EQ(gfx::char_index_at(f, "MMMM", m[3] - 1, k_dpi), 3);
}

} // namespace
