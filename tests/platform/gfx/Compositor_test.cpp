#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Compositor.h"
#include "support/TempDir.h"
#include "support/VbError.h"
#include "support/gfx/Pixels.h"
#include "support/win/DesktopTest.h"

namespace {

using gfx::Rgb;
using pendrel::test::count_color;

constexpr Rgb k_desktop{0x00, 0x80, 0x80};
constexpr Rgb k_face{0xC0, 0xC0, 0xC0};
constexpr Rgb k_red{0xFF, 0, 0};
constexpr Rgb k_blue{0, 0, 0xFF};
constexpr Rgb k_green{0, 0xFF, 0};

class CompositorTest : public pendrel::test::DesktopTest {
protected:
    // The window fills its whole canvas with a colour when painted.
    void paint_with(win::HWND hwnd, Rgb color)
    {
        on(hwnd, win::WM_PAINT, [color](win::HWND, win::WPARAM wparam, win::LPARAM) {
            gfx::canvas_of(wparam)->fill_rect(
                {-1000, -1000, 1000, 1000}, gfx::RGB(color.r, color.g, color.b));
            return win::LRESULT{0};
        });
    }
    static gfx::Image screen() { return gfx::Compositor::the().snapshot(); }
};

TEST_F(CompositorTest, DesktopFollowsTheDisplayAndUnpaintedWindowsShowTheirBackground)
{
    EXPECT_EQ(count_color(screen(), {0, 0, 1920, 1080}, k_desktop), 1920 * 1080);
    top("plain", 100, 100, 40, 30);
    EXPECT_EQ(count_color(screen(), {99, 99, 141, 131}, k_face), 40 * 30);
    wm().set_display({640, 480, {0, 0, 640, 440}, 96});
    EXPECT_EQ(screen().width(), 640);
    EXPECT_EQ(screen().height(), 480);
}

TEST_F(CompositorTest, ZOrderWithTopMostWindowsLastAndHiddenWindowsHideTheirChildren)
{
    const auto a = top("a", 0, 0, 50, 50);
    paint_with(a, k_red);
    paint_with(top("b", 25, 25, 50, 50), k_blue);
    EXPECT_EQ(screen().pixel(30, 30), k_blue);
    win::SetWindowPos(a, win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
    EXPECT_EQ(screen().pixel(30, 30), k_red);
    paint_with(top("list", 10, 10, 30, 30, win::WS_VISIBLE, win::WS_EX_TOPMOST), k_green);
    paint_with(top("form", 0, 0, 100, 100), k_blue);
    EXPECT_EQ(screen().pixel(20, 20), k_green) << "a top-most window stays over a newer one";
    const auto parent = top("parent", 200, 200, 60, 60, 0);
    paint_with(child("child", parent, 10, 10, 20, 20), k_red);
    EXPECT_EQ(count_color(screen(), {200, 200, 300, 300}, k_desktop), 100 * 100);
    win::ShowWindow(parent, win::SW_SHOW);
    EXPECT_EQ(screen().pixel(215, 215), k_red);
}

// The canvas's origin is the child's top-left corner, its clip the part the
// parent's client area (36 x 36 at 12, 12 inside a 2-pixel border) leaves.
TEST_F(CompositorTest, ChildIsClippedToItsParentsClientArea)
{
    const auto parent = top("parent", 10, 10, 40, 40, win::WS_VISIBLE | win::WS_BORDER);
    wm().set_border(parent, 2);
    on(child("child", parent, -5, -5, 100, 100), win::WM_PAINT,
        [](win::HWND, win::WPARAM wparam, win::LPARAM lparam) {
            EXPECT_EQ(lparam, 0);
            auto* canvas = gfx::canvas_of(wparam);
            EXPECT_EQ(canvas->clip_rect(), (win::RECT{5, 5, 41, 41}));
            canvas->fill_rect({0, 0, 100, 100}, gfx::RGB(0, 0xFF, 0));
            return win::LRESULT{0};
        });
    const auto img = screen();
    EXPECT_EQ(count_color(img, {0, 0, 200, 200}, k_green), 36 * 36);
    EXPECT_EQ(img.pixel(11, 11), k_face);
    EXPECT_EQ(img.pixel(12, 12), k_green);
}

TEST_F(CompositorTest, PaintingThatDestroysOrRendersIsSafe)
{
    const auto a = top("a", 0, 0, 20, 20);
    const auto b = top("b", 30, 0, 20, 20);
    paint_with(b, k_red);
    int paints = 0;
    on(a, win::WM_PAINT, [b, &paints](win::HWND, win::WPARAM, win::LPARAM) {
        ++paints;
        win::DestroyWindow(b);
        gfx::Compositor::the().render(); // does not recurse
        return win::LRESULT{0};
    });
    const auto img = screen();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(img.pixel(35, 5), k_desktop) << "destroyed while painting: skipped";
    EXPECT_EQ(img.pixel(5, 5), k_face);
}

TEST_F(CompositorTest, RegionRenderLeavesTheRestAlone)
{
    auto& compositor = gfx::Compositor::the();
    compositor.render();
    paint_with(top("a", 0, 0, 100, 100), k_red);
    compositor.render({0, 0, 10, 10});
    EXPECT_EQ(compositor.screen().pixel(5, 5), k_red);
    EXPECT_EQ(compositor.screen().pixel(50, 50), k_desktop);
}

TEST_F(CompositorTest, PngsAndSnapshotsOfTheScreenAndOfOneWindow)
{
    const pendrel::test::TempDir dir;
    const auto a = top("a", 300, 200, 64, 32);
    paint_with(a, k_blue);
    auto& compositor = gfx::Compositor::the();
    compositor.write_png(dir / "screen.png");
    compositor.write_png(dir / "a.png", a);
    const auto whole = gfx::Image::read_png(dir / "screen.png");
    EXPECT_EQ(whole.width(), 1920);
    EXPECT_EQ(whole.pixel(310, 210), k_blue);
    EXPECT_EQ(gfx::Image::read_png(dir / "a.png"), compositor.snapshot(a));
    EXPECT_EQ(compositor.snapshot(a), gfx::Image(64, 32, k_blue));
    // Cut to the screen; a handle that is no window raises.
    const auto corner = compositor.snapshot(top("corner", 1900, 1070, 50, 50));
    EXPECT_EQ(corner.width(), 20);
    EXPECT_EQ(corner.height(), 10);
    EXPECT_VB_ERROR((void)compositor.snapshot(win::HWND{4711}), vb::err::InvalidProcedureCall);
    EXPECT_VB_ERROR(
        compositor.write_png(dir / "x.png", win::HWND{4711}), vb::err::InvalidProcedureCall);
}

} // namespace
