// What the text box draws: its border, its text scrolled to keep the caret
// in view, the selection in the highlight colours and the caret, looked at
// in the compositor's snapshot of the box.

#include <gtest/gtest.h>

#include "platform/controls/TextBox.h"
#include "platform/gfx/Compositor.h"
#include "support/controls/ControlsTest.h"
#include "support/gfx/Pixels.h"

namespace controls {
namespace {

using pendrel::test::count_color;
using pendrel::test::count_dark;

gfx::Rgb sys(int index)
{
    return gfx::paint_color(gfx::system_color(index));
}

class TextBoxPaint : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        box = &text_box(10, 10, 120, 24);
    }

    gfx::Image shot() { return gfx::Compositor::the().snapshot(box->get_hWnd()); }

    // The inside of a 3D border (2 pixels) and the text margin (1 pixel).
    static constexpr win::RECT k_area{3, 3, 117, 21};
    TextBox* box = nullptr;
};

TEST_F(TextBoxPaint, TextIsDrawnFromTheLeftOfItsArea)
{
    box->let_Text("Zürich");
    const gfx::Image image = shot();
    EXPECT_GT(count_dark(image, k_area), 20);
    EXPECT_GT(count_dark(image, {3, 3, 12, 21}), 0) << "the Z starts at the left";
    EXPECT_EQ(count_dark(image, {60, 3, 117, 21}), 0) << "six letters end before the middle";
    box->let_Enabled(false);
    EXPECT_EQ(count_dark(shot(), k_area), 0) << "disabled text is grey";
}

TEST_F(TextBoxPaint, BorderFollowsAppearance)
{
    EXPECT_EQ(shot().pixel(0, 0), sys(gfx::COLOR_BTNSHADOW)); // sunken
    box->let_Appearance(vbAppearanceFlat);
    const gfx::Image flat = shot();
    EXPECT_EQ(flat.pixel(0, 0), sys(gfx::COLOR_WINDOWFRAME));
    EXPECT_EQ(flat.pixel(1, 1), sys(gfx::COLOR_WINDOW));
    box->let_BorderStyle(vbBSNone);
    box->let_BackColor(gfx::RGB(0, 128, 0));
    EXPECT_EQ(shot().pixel(0, 0), (gfx::Rgb{0, 128, 0}));
}

TEST_F(TextBoxPaint, FocusShowsSelectionInHighlightColours)
{
    const gfx::Rgb highlight = sys(gfx::COLOR_HIGHLIGHT);
    box->let_Text("Zürich Łódź");
    box->let_SelStart(11);
    const int band_right = box->caret_x();
    box->let_SelStart(7);
    const int band_left = box->caret_x();
    box->let_SelLength(4);
    EXPECT_EQ(count_color(shot(), k_area, highlight), 0) << "hidden without focus";
    box->SetFocus();
    const gfx::Image image = shot();
    EXPECT_EQ(count_color(image, {3, 3, band_left, 21}, highlight), 0);
    EXPECT_EQ(count_color(image, {band_right + 1, 3, 117, 21}, highlight), 0);
    EXPECT_GT(count_color(image, {band_left, 3, band_right, 21}, highlight), 50);
}

TEST_F(TextBoxPaint, CaretShowsOnlyWithFocusAndLongTextScrollsToKeepItInView)
{
    EXPECT_EQ(count_dark(shot(), k_area), 0) << "an empty box without focus shows nothing";
    box->SetFocus();
    const gfx::Image image = shot();
    EXPECT_EQ(box->caret_x(), 3);
    EXPECT_GT(count_dark(image, {3, 3, 4, 21}), 8);
    EXPECT_EQ(count_dark(image, {4, 3, 117, 21}), 0);
    ui.type("The quick brown fox jumps over the lazy dog");
    const int end_x = box->caret_x();
    EXPECT_LT(end_x, 117);
    EXPECT_GT(end_x, 100) << "scrolled just far enough: the caret sits at the right";
    ui.press(win::VK_HOME);
    EXPECT_EQ(box->caret_x(), 3);
    ui.press(win::VK_END);
    EXPECT_EQ(box->caret_x(), end_x);
    EXPECT_GT(count_dark(shot(), {90, 3, 117, 21}), 10) << "the text's end is in view";
    ui.press_shifted(win::VK_HOME); // shortening the text scrolls back
    ui.press(win::VK_DELETE);
    ui.type("ab");
    EXPECT_LT(box->caret_x(), 30);
}

// A larger font scrolls the caret at the end back into view, whichever
// holder of the shared font object changes it.
TEST_F(TextBoxPaint, FontChangeThroughTheSharedObjectRelaysOut)
{
    box->SetFocus();
    box->let_Text("Zürich Łódź ab");
    ui.press(win::VK_END);
    const int normal = box->caret_x();
    box->get_Font()->let_Size(14.0F);
    EXPECT_GT(box->caret_x(), normal);
    EXPECT_LT(box->caret_x(), 117);
    const host::StdFontRef other = host::StdFont::create();
    box->set_Font(other);
    EXPECT_EQ(box->caret_x(), normal);
    other->let_Size(14.0F);
    EXPECT_LT(box->caret_x(), 117);
    EXPECT_GT(box->caret_x(), normal);
}

} // namespace
} // namespace controls
