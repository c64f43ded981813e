// A form with a text box, a drop-down button and a scroll bar laid out as a
// control's children are, driven by injected input and rendered by the
// compositor: the picture shows the text, the button's triangle and the
// bar's arrows where they belong (a tolerant look at the pixels, not a
// golden image). PENDREL_KEEP_SNAPSHOTS names a folder that keeps the
// rendering for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/controls/DropDownPicture.h"
#include "platform/gfx/Compositor.h"
#include "support/controls/ControlsTest.h"
#include "support/gfx/Pixels.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;
using namespace pendrel::test;

constexpr gfx::Rgb k_black{0, 0, 0};
const gfx::Rgb k_face = gfx::paint_color(gfx::vbButtonFace);
const gfx::Rgb k_arrow = gfx::paint_color(gfx::vbButtonText);
// The drop-down button's face inside its 2-pixel border, and the part of it
// inside the dotted focus frame.
constexpr win::RECT k_button_face{178, 24, 194, 41};
constexpr win::RECT k_inside_focus{180, 26, 192, 39};

class FormRendering : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        // The control's layout at 15 twips a pixel: a text box of 2655 x 360
        // twips, the button over its right end.
        box = &text_box(20, 20, 177, 24);
        drop = &button(176, 22, 20, 21);
        drop->set_Picture(drop_down_picture());
        drop->let_UseMaskColor(true);
        scroll_bar(220, 20, 17, 120);
        log.watch(*box, "txt");
        log.watch(*drop, "btn");
    }

    // The controls at their client offsets (the form has no border).
    gfx::Image shot() { return gfx::Compositor::the().snapshot(form); }

    TextBox* box = nullptr;
    CommandButton* drop = nullptr;
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
    // The triangle: 25 black pixels, 9 wide and 5 high, centred on the face,
    // and nothing else on the face.
    EXPECT_EQ(count_color(image, k_button_face, k_black), 25);
    const win::RECT t = ink_box(image, k_face, k_button_face).value();
    EXPECT_EQ(t.right - t.left, 9);
    EXPECT_EQ(t.bottom - t.top, 5);
    EXPECT_LE(std::abs((t.left + t.right - 1) / 2 - (178 + 194) / 2), 1);
    EXPECT_LE(std::abs((t.top + t.bottom - 1) / 2 - (24 + 41) / 2), 2);
    // The bar's arrows carry their triangles (7 + 5 + 3 + 1 pixels) inside
    // their 2-pixel borders.
    EXPECT_EQ(count_color(image, {222, 22, 235, 35}, k_arrow), 16);
    EXPECT_EQ(count_color(image, {222, 125, 235, 138}, k_arrow), 16);
    if (const char* keep = std::getenv("PENDREL_KEEP_SNAPSHOTS")) {
        gfx::Compositor::the().write_png(std::filesystem::path(keep) / "controls-form.png", form);
    }
}

// Pushed in, the picture moves a pixel right and down. Its grey is left out
// (on a white face here); without the mask it covers the whole face, the
// picture being larger than the button.
TEST_F(FormRendering, PushedButtonMovesItsPictureAndTheMaskIsOptional)
{
    const win::RECT up = ink_box(shot(), k_face, k_inside_focus).value();
    ui.button_down(drop->get_hWnd(), {10, 10});
    const win::RECT down = ink_box(shot(), k_face, k_inside_focus).value();
    ui.button_up(drop->get_hWnd(), {10, 10});
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    const gfx::Rgb grey = gfx::rgb_of(drop_down_mask_color);
    drop->let_BackColor(gfx::RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(count_color(shot(), k_button_face, grey), 0);
    drop->let_UseMaskColor(false);
    EXPECT_GT(count_color(shot(), k_button_face, grey), 200);
}

} // namespace
} // namespace controls
