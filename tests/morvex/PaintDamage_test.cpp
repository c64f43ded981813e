// What a key or a pointer move over the open list damages on the screen,
// and that painting only that damage leaves the same pixels as painting the
// whole screen: the hover moves the highlight by two row bands, a move
// within the highlighted row damages nothing, and a typed letter damages the
// text box.

#include <functional>

#include "platform/gfx/Compositor.h"
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
        prepare("0;25;5", "SELECT id, name, code FROM cities ORDER BY name");
        damage = std::make_unique<present::DamageTracker>();
        ui.click(ctl->DropdownButton().get_hWnd());
        ASSERT_TRUE(win::IsWindowVisible(grid()));
        paint_damage();
    }
    void TearDown() override
    {
        damage.reset();
        MorvexTest::TearDown();
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
// whether one of them is the text box; after every partial repaint the
// screen is the screen a full repaint draws, pixel for pixel.
TEST_F(PaintDamage, EachInputDamagesOnlyWhatItChangedAndRepaintsAsAWhole)
{
    ui.move_to(grid(), row_point(1));
    (void)paint_damage();
    struct Step {
        std::string what;
        std::function<void()> act;
        std::size_t rects;
        int row_bands;
        bool text_box;
    };
    const std::vector<Step> steps = {
        {"within the row", [&] { ui.move_to(grid(), row_point(1, 60)); }, 0, 0, false},
        {"to the next row", [&] { ui.move_to(grid(), row_point(2, 60)); }, 1, 2, false},
        {"two rows down", [&] { ui.move_to(grid(), row_point(4, 60)); }, 2, 2, false},
        {"back up one", [&] { ui.move_to(grid(), row_point(3)); }, 1, 2, false},
        {"a letter typed", [&] { ui.type("u"); }, 1, 0, true},
        {"to the top row", [&] { ui.move_to(grid(), row_point(0)); }, 2, 2, false},
    };
    win::RECT list_rect{};
    win::GetWindowRect(grid(), &list_rect);
    win::RECT box{};
    win::GetWindowRect(ctl->txtFieldCmb().get_hWnd(), &box);
    const int row_pixels = static_cast<int>(
        ctl->DropdownList().get_RowHeight() / host::Screen::the().get_TwipsPerPixelY());
    auto& compositor = gfx::Compositor::the();
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
            EXPECT_EQ(r.height() % row_pixels, 0) << r.height();
            bands += r.height() / row_pixels;
        }
        EXPECT_EQ(bands, step.row_bands);
        EXPECT_EQ(text_box, step.text_box);
        EXPECT_EQ(test::count_different(compositor.screen().to_image(), compositor.snapshot()), 0);
    }
}

} // namespace
} // namespace pendrel
