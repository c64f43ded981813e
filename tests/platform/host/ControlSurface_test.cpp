#include <gtest/gtest.h>

#include "platform/gfx/Compositor.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/host/ControlSurface.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/host/HostTest.h"

namespace {

using Log = std::vector<std::string>;

class ControlSurfaceTest : public pendrel::test::HostTest {};

TEST_F(ControlSurfaceTest, InnerSizeAndTextWidthAreInTwipsInTheSharedFont)
{
    auto& s = add("A", {0, 0, 3015, 375}).surface();
    EXPECT_EQ(s.get_ScaleWidth(), 3015.0f);
    EXPECT_EQ(s.get_ScaleHeight(), 375.0f);
    int px = gfx::measure_text(gfx::default_font(), "Kestrel", 96).width;
    EXPECT_EQ(s.TextWidth("Kestrel"), px * 15.0f);
    EXPECT_GT(s.TextHeight("x"), 0.0f);
    auto font = host::StdFont::create();
    s.set_Font(font);
    font->let_Size(16);
    EXPECT_GT(s.TextWidth("Kestrel"), px * 15.0f) << "the shared font changed";
    EXPECT_VB_ERROR(s.set_Font(nullptr), vb::err::ObjectRequired);
}

TEST_F(ControlSurfaceTest, RefreshPaintsNowWithTheBackColour)
{
    auto& a = add("A", {0, 0, 300, 300});
    form->Show();
    a.surface().let_BackColor(gfx::RGB(0, 0xFF, 0));
    take_log();
    a.surface().Refresh();
    EXPECT_EQ(take_log(), (Log{"A.Paint"}));
    win::RECT r{};
    win::GetWindowRect(a.surface().get_hWnd(), &r);
    const auto& screen = gfx::Compositor::the().screen();
    EXPECT_EQ(screen.pixel(r.right - 1, r.bottom - 1), (gfx::Rgb{0, 0xFF, 0}));
    EXPECT_VB_ERROR(a.surface().let_BackColor(0x80000099), vb::err::InvalidPropertyValue);
}

TEST_F(ControlSurfaceTest, PopupMenuIsRecordedWithItsArguments)
{
    auto& s = add("A").surface();
    auto menu = host::StdFont::create(); // any object stands in for a menu
    s.PopupMenu(menu, vb::Integer{2}, vb::Single{10});
    ASSERT_EQ(s.popup_menu_calls().size(), 1u);
    const auto& call = s.popup_menu_calls()[0];
    EXPECT_EQ(call.Menu, vb::Variant(menu));
    EXPECT_EQ(call.X, vb::Variant(vb::Single{10}));
    EXPECT_TRUE(call.Y.is_missing());
    EXPECT_VB_ERROR(s.PopupMenu(vb::Missing), vb::err::ArgumentNotOptional);
}

} // namespace
