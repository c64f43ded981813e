// What a key or a pointer move over the open list damages on the screen,
// and that painting only that damage leaves the same pixels as painting the
// whole screen: the hover moves the highlight by two row bands, a move
// within the highlighted row damages nothing, and a typed letter damages the
// text box.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/gfx/Compositor.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/Screen.h"
#include "platform/present/Damage.h"
#include "platform/win/User32.h"
#include "support/controls/Ui.h"
#include "support/gfx/Pixels.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

class PaintDamage : public test::MorvexTest {
protected:
    void SetUp() override
    {
        MorvexTest::SetUp();
        modGridCombo::state() = modGridCombo::GridState{};
        form->Show();
        ctl->let_ScreenWidth(19200);
        ctl->let_RowHeight(210);
        ctl->let_ColumnWidths("0;25;5");
        bind(*ctl, "SELECT id, name, code FROM cities ORDER BY name");
        ctl->txtFieldCmb().SetFocus();
        damage = std::make_unique<present::DamageTracker>();
        ui.click(ctl->DropdownButton().get_hWnd());
        ASSERT_TRUE(win::IsWindowVisible(list()));
        paint_damage();
    }
    void TearDown() override
    {
        damage.reset();
        MorvexTest::TearDown();
    }
    [[nodiscard]] win::HWND list() const { return ctl->DropdownList().get_hWnd(); }
    [[nodiscard]] int row_pixels() const
    {
        return static_cast<int>(
            ctl->DropdownList().get_RowHeight() / host::Screen::the().get_TwipsPerPixelY());
    }
    // A point inside displayed row `row` of the list (client coordinates).
    [[nodiscard]] win::POINT row_point(int row, int x) const
    {
        const double twips = host::Screen::the().get_TwipsPerPixelY();
        for (int y = 0; y < 400; ++y) {
            if (ctl->DropdownList().RowContaining(static_cast<vb::Single>(y * twips)) == row)
                return {x, y + 3};
        }
        ADD_FAILURE() << "no row " << row;
        return {};
    }
    // The damage so far, painted as the live presenter paints it.
    std::vector<win::RECT> paint_damage()
    {
        auto& compositor = gfx::Compositor::the();
        (void)compositor.screen();
        const auto rects = damage->take();
        damage->set_painting(true);
        for (const auto& r : rects)
            compositor.render(r);
        damage->set_painting(false);
        return rects;
    }

    std::unique_ptr<present::DamageTracker> damage;
    test::Ui ui;
};

// Each step from the list open with the pointer on row 1: how many
// rectangles, how many row bands high in all (0: not in the list), and
// whether one of them is the text box.
TEST_F(PaintDamage, EachInputDamagesOnlyWhatItChanged)
{
    ui.move_to(list(), row_point(1, 20));
    (void)paint_damage();
    struct Step {
        std::string what;
        std::function<void()> act;
        std::size_t rects;
        int row_bands;
        bool text_box;
    };
    const std::vector<Step> steps = {
        {"within the row", [&] { ui.move_to(list(), row_point(1, 60)); }, 0, 0, false},
        {"to the next row", [&] { ui.move_to(list(), row_point(2, 60)); }, 1, 2, false},
        {"two rows down", [&] { ui.move_to(list(), row_point(4, 60)); }, 2, 2, false},
        {"back up one", [&] { ui.move_to(list(), row_point(3, 20)); }, 1, 2, false},
        {"a letter typed", [&] { ui.type("z"); }, 1, 0, true},
    };
    win::RECT list_rect{};
    win::GetWindowRect(list(), &list_rect);
    win::RECT box{};
    win::GetWindowRect(ctl->txtFieldCmb().get_hWnd(), &box);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const auto rects = paint_damage();
        EXPECT_EQ(rects.size(), step.rects);
        int bands = 0;
        bool text_box = false;
        for (const auto& r : rects) {
            if (r == box) {
                text_box = true;
                continue;
            }
            EXPECT_GE(r.left, list_rect.left);
            EXPECT_LE(r.right, list_rect.right);
            EXPECT_GE(r.top, list_rect.top);
            EXPECT_LE(r.bottom, list_rect.bottom);
            EXPECT_EQ(r.height() % row_pixels(), 0) << r.height();
            bands += r.height() / row_pixels();
        }
        EXPECT_EQ(bands, step.row_bands);
        EXPECT_EQ(text_box, step.text_box);
    }
}

// After every partial repaint the screen is the screen a full repaint
// draws, pixel for pixel.
TEST_F(PaintDamage, PartialRepaintsEqualAFullRepaint)
{
    const std::vector<std::function<void()>> steps = {
        [&] { ui.move_to(list(), row_point(1, 20)); },
        [&] { ui.move_to(list(), row_point(2, 20)); },
        [&] { ui.move_to(list(), row_point(5, 40)); },
        [&] { ui.type("u"); },
        [&] { ui.move_to(list(), row_point(0, 20)); },
    };
    auto& compositor = gfx::Compositor::the();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        steps[i]();
        const auto rects = paint_damage();
        const gfx::Image partial = compositor.screen().to_image();
        const gfx::Image full = compositor.snapshot();
        EXPECT_EQ(test::count_different(partial, full), 0);
        if (i < 3) { // the hover moves paint some of the list, not all of it
            for (const auto& r : rects)
                EXPECT_LE(r.height(), row_pixels() * 2);
        }
    }
}

} // namespace
} // namespace pendrel
