#include <gtest/gtest.h>

#include "platform/gfx/Font.h"

namespace {

TEST(FaceResolution, ResolvesToAnInstalledFamily)
{
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

} // namespace
