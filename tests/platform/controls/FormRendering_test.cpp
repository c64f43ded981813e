// A form of the component host with a text box, a drop-down button and a
// scroll bar, standing as a control's children would, driven by injected
// input and rendered by the compositor: the picture shows the text, the
// button's triangle and the bar's arrows where they belong (a tolerant look
// at the pixels, not a golden image). PENDREL_KEEP_SNAPSHOTS names a folder
// that keeps the rendering for a person to look at.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/controls/DropDownPicture.h"
#include "platform/gfx/Compositor.h"
#include "platform/host/Form.h"
#include "platform/win/User32.h"
#include "support/controls/ControlsTest.h"
#include "support/gfx/Pixels.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;
using pendrel::test::count_color;
using pendrel::test::count_dark;

constexpr gfx::Rgb k_black{0, 0, 0};
// The drop-down button's face, inside its 2-pixel border.
constexpr win::RECT k_face{178, 24, 194, 41};

// The smallest rectangle holding every black pixel of `area`.
win::RECT black_bounds(const gfx::Image& image, const win::RECT& area)
{
    win::RECT r{1000, 1000, -1, -1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image.pixel(x, y) == k_black) {
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                    std::max(r.bottom, y + 1)};
            }
        }
    }
    return r;
}

class FormRendering : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        host_form = std::make_unique<host::Form>("frmControls", win::RECT{100, 100, 500, 400});
        host_form->Show();
        const win::HWND parent = host_form->hwnd();
        // The control's layout at 15 twips a pixel: a text box of 2655 x 360
        // twips, the button over its right end.
        box = &text_box(20, 20, 177, 24, win::WS_VISIBLE, parent);
        drop = &button(176, 22, 20, 21, parent);
        drop->set_Picture(drop_down_picture());
        drop->let_UseMaskColor(true);
        bar = &scroll_bar(220, 20, 17, 120, true, parent);
        log.watch(*box, "txt");
        log.watch(*drop, "btn");
    }

    void TearDown() override
    {
        destroy(*box);
        destroy(*drop);
        destroy(*bar);
        host_form.reset();
        ControlsTest::TearDown();
    }

    // The form's snapshot, the controls at their client offsets (the form has
    // no border).
    gfx::Image shot() { return gfx::Compositor::the().snapshot(host_form->hwnd()); }

    std::unique_ptr<host::Form> host_form;
    TextBox* box = nullptr;
    CommandButton* drop = nullptr;
    ScrollBar* bar = nullptr;
};

TEST_F(FormRendering, DrivenByInputItShowsTextTriangleAndArrows)
{
    ui.click(box->get_hWnd(), {5, 12});
    ui.type("Zü");
    log.clear();
    ui.click(drop->get_hWnd());
    EXPECT_EQ(log.take(), (Events{"txt.Validate", "txt.LostFocus", "btn.GotFocus", "btn.Click"}));
    box->SetFocus();
    const gfx::Image image = shot();
    // The text sits in the box's text area, left of the button.
    EXPECT_GT(count_dark(image, {23, 23, 60, 41}), 15) << "no text where \"Zü\" should be";
    EXPECT_EQ(count_dark(image, {60, 23, 170, 41}), 0) << "ink beyond the text";
    // The triangle: 25 black pixels, 9 wide and 5 high, centred on the
    // button's face (inside its 2-pixel border, whose shadow is black too).
    EXPECT_EQ(count_color(image, k_face, k_black), 25);
    const win::RECT t = black_bounds(image, k_face);
    EXPECT_EQ(t.right - t.left, 9);
    EXPECT_EQ(t.bottom - t.top, 5);
    EXPECT_LE(std::abs((t.left + t.right - 1) / 2 - (k_face.left + k_face.right) / 2), 1);
    EXPECT_LE(std::abs((t.top + t.bottom - 1) / 2 - (k_face.top + k_face.bottom) / 2), 2);
    // The grey of the picture is transparent: the button's face shows.
    EXPECT_EQ(count_color(image, k_face, gfx::rgb_of(drop_down_mask_color)),
        count_color(image, k_face, gfx::paint_color(gfx::vbButtonFace)));
    // The bar's arrows carry their triangles.
    EXPECT_GT(count_color(image, {220, 20, 237, 37}, gfx::paint_color(gfx::vbButtonText)), 10);
    EXPECT_GT(count_color(image, {220, 123, 237, 140}, gfx::paint_color(gfx::vbButtonText)), 10);
    if (const char* keep = std::getenv("PENDREL_KEEP_SNAPSHOTS")) {
        gfx::Compositor::the().write_png(
            std::filesystem::path(keep) / "controls-form.png", host_form->hwnd());
    }
}

// Pushed in, the picture moves a pixel right and down (looked at inside the
// dotted focus frame the press draws); without the mask its grey covers the
// whole face, the picture being larger than the button.
TEST_F(FormRendering, PushedButtonMovesItsPictureAndTheMaskIsOptional)
{
    const gfx::Image up = shot();
    ui.button_down(drop->get_hWnd(), {10, 10});
    const gfx::Image down = shot();
    ui.button_up(drop->get_hWnd(), {10, 10});
    const win::RECT inside{180, 26, 192, 39};
    EXPECT_EQ(black_bounds(down, inside).left, black_bounds(up, inside).left + 1);
    EXPECT_EQ(black_bounds(down, inside).top, black_bounds(up, inside).top + 1);
    drop->let_UseMaskColor(false);
    EXPECT_GT(count_color(shot(), k_face, gfx::Rgb{0xC0, 0xC0, 0xC0}), 200);
}

} // namespace
} // namespace controls
