#include <gtest/gtest.h>

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Compositor.h"
#include "platform/vb/Error.h"
#include "support/TempDir.h"
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
    gfx::Image screen() { return gfx::Compositor::the().snapshot(); }
};

TEST_F(CompositorTest, DesktopFollowsTheDisplayAndUnpaintedWindowsShowTheirBackground)
{
    auto img = screen();
    EXPECT_EQ(count_color(img, {0, 0, 1920, 1080}, k_desktop), 1920 * 1080);
    top("plain", 100, 100, 40, 30);
    img = screen();
    EXPECT_EQ(count_color(img, {100, 100, 140, 130}, k_face), 40 * 30);
    EXPECT_EQ(img.pixel(99, 100), k_desktop);
    EXPECT_EQ(img.pixel(140, 129), k_desktop);
    win::Display display;
    display.width = 640;
    display.height = 480;
    display.work_area = {0, 0, 640, 440};
    wm().set_display(display);
    img = screen();
    EXPECT_EQ(img.width(), 640);
    EXPECT_EQ(img.height(), 480);
}

TEST_F(CompositorTest, ZOrderWithTopMostWindowsLast)
{
    auto a = top("a", 0, 0, 50, 50);
    auto b = top("b", 25, 25, 50, 50);
    paint_with(a, k_red);
    paint_with(b, k_blue);
    EXPECT_EQ(screen().pixel(30, 30), k_blue);
    win::SetWindowPos(a, win::HWND_TOPMOST, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE);
    auto img = screen();
    EXPECT_EQ(img.pixel(30, 30), k_red);
    EXPECT_EQ(img.pixel(60, 60), k_blue);
    auto list = top("list", 10, 10, 30, 30, win::WS_VISIBLE, win::WS_EX_TOPMOST);
    auto form = top("form", 0, 0, 100, 100);
    paint_with(list, k_green);
    paint_with(form, k_blue);
    EXPECT_EQ(screen().pixel(20, 20), k_green) << "a top-most window stays over a newer one";
}

TEST_F(CompositorTest, HiddenWindowHidesItsChildren)
{
    auto parent = top("parent", 0, 0, 60, 60, 0);
    auto kid = child("child", parent, 10, 10, 20, 20);
    paint_with(kid, k_red);
    EXPECT_EQ(count_color(screen(), {0, 0, 100, 100}, k_desktop), 100 * 100);
    win::ShowWindow(parent, win::SW_SHOW);
    EXPECT_EQ(screen().pixel(15, 15), k_red);
}

TEST_F(CompositorTest, ChildIsClippedToItsParentsClientArea)
{
    auto parent = top("parent", 10, 10, 40, 40, win::WS_VISIBLE | win::WS_BORDER);
    wm().set_border(parent, 2);
    auto kid = child("child", parent, -5, -5, 100, 100);
    paint_with(kid, k_green);
    auto img = screen();
    // The client area is 36 x 36 at (12, 12); the border keeps its colour.
    EXPECT_EQ(count_color(img, {0, 0, 200, 200}, k_green), 36 * 36);
    EXPECT_EQ(img.pixel(11, 11), k_face);
    EXPECT_EQ(img.pixel(12, 12), k_green);
    EXPECT_EQ(img.pixel(48, 30), k_face);
}

TEST_F(CompositorTest, CanvasOriginIsTheWindowsTopLeftCorner)
{
    auto parent = top("parent", 100, 50, 80, 80);
    auto kid = child("child", parent, 7, 9, 20, 20);
    on(kid, win::WM_PAINT, [](win::HWND, win::WPARAM wparam, win::LPARAM lparam) {
        EXPECT_EQ(lparam, 0);
        auto* canvas = gfx::canvas_of(wparam);
        EXPECT_EQ(canvas->clip_rect(), (win::RECT{0, 0, 20, 20}));
        canvas->fill_rect({0, 0, 1, 1}, gfx::RGB(0xFF, 0, 0));
        return win::LRESULT{0};
    });
    auto img = screen();
    EXPECT_EQ(img.pixel(107, 59), k_red);
    EXPECT_EQ(count_color(img, {0, 0, 300, 300}, k_red), 1);
}

TEST_F(CompositorTest, PaintingThatDestroysOrRendersIsSafe)
{
    auto a = top("a", 0, 0, 20, 20);
    auto b = top("b", 30, 0, 20, 20);
    paint_with(b, k_red);
    int paints = 0;
    on(a, win::WM_PAINT, [b, &paints](win::HWND, win::WPARAM, win::LPARAM) {
        ++paints;
        win::DestroyWindow(b);
        gfx::Compositor::the().render(); // does not recurse
        return win::LRESULT{0};
    });
    auto img = screen();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(img.pixel(35, 5), k_desktop) << "destroyed while painting: skipped";
    EXPECT_EQ(img.pixel(5, 5), k_face);
}

TEST_F(CompositorTest, RegionRenderLeavesTheRestAlone)
{
    auto& compositor = gfx::Compositor::the();
    compositor.render();
    auto a = top("a", 0, 0, 100, 100);
    paint_with(a, k_red);
    compositor.render({0, 0, 10, 10});
    const auto& screen = compositor.screen();
    EXPECT_EQ(screen.pixel(5, 5), k_red);
    EXPECT_EQ(screen.pixel(50, 50), k_desktop);
}

TEST_F(CompositorTest, PngsOfTheScreenAndOfOneWindowAreReadable)
{
    pendrel::test::TempDir dir;
    auto a = top("a", 300, 200, 64, 32);
    paint_with(a, k_blue);
    auto& compositor = gfx::Compositor::the();
    compositor.write_png(dir / "screen.png");
    compositor.write_png(dir / "a.png", a);
    auto whole = gfx::Image::read_png(dir / "screen.png");
    auto part = gfx::Image::read_png(dir / "a.png");
    EXPECT_EQ(whole.width(), 1920);
    EXPECT_EQ(whole.pixel(310, 210), k_blue);
    ASSERT_EQ(part.width(), 64);
    ASSERT_EQ(part.height(), 32);
    EXPECT_EQ(count_color(part, {0, 0, 64, 32}, k_blue), 64 * 32);
    EXPECT_EQ(part, compositor.snapshot(a));
}

TEST_F(CompositorTest, WindowSnapshotsAreCutToTheScreenAndNeedAWindow)
{
    auto a = top("a", 1900, 1070, 50, 50);
    EXPECT_EQ(gfx::Compositor::the().snapshot(a).width(), 20);
    EXPECT_EQ(gfx::Compositor::the().snapshot(a).height(), 10);
    pendrel::test::TempDir dir;
    EXPECT_THROW((void)gfx::Compositor::the().snapshot(win::HWND{4711}), vb::Error);
    EXPECT_THROW(gfx::Compositor::the().write_png(dir / "x.png", win::HWND{4711}), vb::Error);
}

} // namespace
