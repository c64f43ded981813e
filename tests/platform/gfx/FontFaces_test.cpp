#include <gtest/gtest.h>

#include "platform/gfx/Font.h"
#include "support/RowName.h"

namespace {

struct FaceCase {
    const char* name;
    const char* face;
    const char* family;
};

class FaceResolution : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceResolution, ResolvesToAnInstalledFamily)
{
    const auto& c = GetParam();
    EXPECT_EQ(gfx::resolve_face(c.face), c.family);
    EXPECT_TRUE(gfx::face_is_installed(gfx::resolve_face(c.face))) << c.face;
}

INSTANTIATE_TEST_SUITE_P(Table, FaceResolution,
    ::testing::Values(FaceCase{"MsSansSerif", "MS Sans Serif", "DejaVu Sans"},
        FaceCase{"AnyCase", "ms sans SERIF", "DejaVu Sans"},
        FaceCase{"CourierNew", "Courier New", "DejaVu Sans Mono"},
        FaceCase{"InstalledFaceIsKept", "DejaVu Serif", "DejaVu Serif"},
        FaceCase{"UnknownFaceFallsBack", "No Such Face 4711", "DejaVu Sans"},
        FaceCase{"EmptyFallsBack", "", "DejaVu Sans"}),
    pendrel::test::RowName{});

TEST(FaceResolution, WindowsFacesAreNotInstalledHere)
{
    // The table, not fontconfig's substitution, decides these.
    EXPECT_FALSE(gfx::face_is_installed("MS Sans Serif"));
    EXPECT_FALSE(gfx::face_is_installed(std::string_view("Dej\0aVu", 7)));
}

} // namespace
