// The scroll bar driven by the mouse: what its parent hears, the capture
// while it tracks, and the end of tracking for every reason -- the capture
// is given back first, then SB_ENDSCROLL.

#include "platform/controls/ScrollBar.h"

#include <gtest/gtest.h>

#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/VbError.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Story = std::vector<std::string>;
using pendrel::test::Ui;

int code_of(win::WPARAM wparam)
{
    return win::LOWORD(static_cast<win::LPARAM>(wparam));
}

// "SB_THUMBTRACK 57" (with the position for the thumb's codes), "H SB_LINEUP"
// for a horizontal bar.
std::string line_of(const pendrel::test::Recorded& r)
{
    static const char* const names[] = {"SB_LINEUP", "SB_LINEDOWN", "SB_PAGEUP", "SB_PAGEDOWN",
        "SB_THUMBPOSITION", "SB_THUMBTRACK", "SB_TOP", "SB_BOTTOM", "SB_ENDSCROLL"};
    const int code = code_of(r.wparam);
    std::string line = (r.msg == win::WM_HSCROLL ? "H " : "")
        + (code >= 0 && code <= 8 ? names[code] : std::to_string(code));
    if (code == win::SB_THUMBTRACK || code == win::SB_THUMBPOSITION) {
        line += " " + std::to_string(win::HIWORD(static_cast<win::LPARAM>(r.wparam)));
    }
    return line;
}

class ScrollBarTracking : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        bar = &scroll_bar(300, 20, 17, 200);
        bar->set_pos(50);
        hwnd = bar->get_hWnd();
        recorder.watch(hwnd, "bar");
        // The parent scrolls as the bar tells it, as a grid would.
        on(form, win::WM_VSCROLL, [this](win::HWND, win::WPARAM wparam, win::LPARAM) {
            if (code_of(wparam) == win::SB_THUMBPOSITION) {
                bar->set_pos(win::HIWORD(static_cast<win::LPARAM>(wparam)));
            } else if (code_of(wparam) == win::SB_ENDSCROLL) {
                capture_at_end = win::GetCapture();
            }
            return win::LRESULT{0};
        });
    }

    // What matters, in order: the parent's scroll codes, each from the bar
    // `hwnd`, and that bar's losses of the capture.
    Story story() const
    {
        Story out;
        for (const auto& r : recorder.messages()) {
            if (r.hwnd == form && (r.msg == win::WM_VSCROLL || r.msg == win::WM_HSCROLL)) {
                EXPECT_EQ(r.lparam, static_cast<win::LPARAM>(hwnd));
                out.push_back(line_of(r));
            } else if (r.hwnd == hwnd && r.msg == win::WM_CAPTURECHANGED) {
                out.emplace_back("bar loses capture");
            }
        }
        return out;
    }

    win::POINT centre_of(ScrollPart part) const { return Ui::centre(bar->part_rect(part)); }

    ScrollBar* bar = nullptr;
    win::HWND hwnd = 0;
    win::HWND capture_at_end = 1;
};

struct PartCase {
    const char* name;
    ScrollPart part;
    const char* code;
};

class ScrollBarParts : public ScrollBarTracking, public ::testing::WithParamInterface<PartCase> {};

TEST_P(ScrollBarParts, PressTracksAndReleaseEndsWithEndScroll)
{
    const win::POINT p = centre_of(GetParam().part);
    ui.button_down(hwnd, p);
    EXPECT_EQ(win::GetCapture(), hwnd);
    EXPECT_EQ(bar->tracked_part(), GetParam().part);
    ui.button_up(hwnd, p);
    EXPECT_EQ(win::GetCapture(), 0U);
    EXPECT_EQ(bar->tracked_part(), ScrollPart::None);
    EXPECT_EQ(story(), (Story{GetParam().code, "bar loses capture", "SB_ENDSCROLL"}));
    EXPECT_EQ(capture_at_end, 0U) << "the capture is given back before SB_ENDSCROLL";
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarParts,
    ::testing::Values(PartCase{"UpperArrow", ScrollPart::LineUp, "SB_LINEUP"},
        PartCase{"LowerArrow", ScrollPart::LineDown, "SB_LINEDOWN"},
        PartCase{"TrackAboveThumb", ScrollPart::PageUp, "SB_PAGEUP"},
        PartCase{"TrackBelowThumb", ScrollPart::PageDown, "SB_PAGEDOWN"}),
    pendrel::test::RowName{});

TEST_F(ScrollBarTracking, ThumbDragTracksThenSetsThePosition)
{
    const win::POINT grab = centre_of(ScrollPart::Thumb);
    ui.button_down(hwnd, grab);
    ui.move_to(hwnd, {grab.x, grab.y + 15});
    const int first = bar->track_pos();
    ui.move_to(hwnd, {grab.x + 30, grab.y + 40}); // sideways does not matter
    const int second = bar->track_pos();
    ui.move_to(hwnd, {grab.x, grab.y + 40}); // the same place: nothing new
    EXPECT_GT(first, 50);
    EXPECT_GT(second, first);
    EXPECT_EQ(bar->pos(), 50) << "the parent sets the position, not the drag";
    ui.button_up(hwnd, {grab.x, grab.y + 40});
    EXPECT_EQ(story(),
        (Story{"SB_THUMBTRACK " + std::to_string(first), "SB_THUMBTRACK " + std::to_string(second),
            "SB_THUMBPOSITION " + std::to_string(second), "bar loses capture", "SB_ENDSCROLL"}));
    EXPECT_EQ(bar->pos(), second);
}

// Hidden, the bar keeps tracking; the capture taken away ends it.
TEST_F(ScrollBarTracking, HiddenItTracksOnAndCaptureTakenMidTrackEndsWithEndScrollOnly)
{
    const win::POINT grab = centre_of(ScrollPart::Thumb);
    ui.button_down(hwnd, grab);
    ui.move_to(hwnd, {grab.x, grab.y + 20});
    const int tracked = bar->track_pos();
    win::ShowWindow(hwnd, win::SW_HIDE);
    EXPECT_EQ(win::GetCapture(), hwnd);
    EXPECT_EQ(bar->tracked_part(), ScrollPart::Thumb);
    win::SetCapture(form);
    EXPECT_EQ(bar->tracked_part(), ScrollPart::None);
    ui.button_up(hwnd, {grab.x, grab.y + 20}); // goes to the form now
    EXPECT_EQ(story(),
        (Story{"SB_THUMBTRACK " + std::to_string(tracked), "bar loses capture", "SB_ENDSCROLL"}));
    EXPECT_EQ(win::GetCapture(), form);
    EXPECT_EQ(bar->pos(), 50);
}

// Destroyed by its parent while it tracks, the bar still ends tracking.
TEST_F(ScrollBarTracking, ParentMayDestroyTheBarWhileItTracks)
{
    on(form, win::WM_VSCROLL, [&](win::HWND, win::WPARAM wparam, win::LPARAM) {
        if (code_of(wparam) == win::SB_LINEDOWN) {
            destroy(*bar);
        }
        return win::LRESULT{0};
    });
    ui.button_down(hwnd, centre_of(ScrollPart::LineDown));
    EXPECT_EQ(win::IsWindow(hwnd), 0);
    EXPECT_EQ(win::GetCapture(), 0U);
    EXPECT_EQ(story(), (Story{"SB_LINEDOWN", "bar loses capture", "SB_ENDSCROLL"}));
}

// The range is checked and the position clamped into it; with nothing to
// scroll the track is inert.
TEST_F(ScrollBarTracking, RangeIsCheckedAndNothingToScrollLeavesTheTrackInert)
{
    EXPECT_VB_ERROR(bar->set_range(10, 9), vb::err::InvalidPropertyValue);
    EXPECT_VB_ERROR(bar->set_page(-1), vb::err::InvalidPropertyValue);
    bar->set_range(-20, 20);
    EXPECT_EQ(bar->pos(), 20);
    bar->set_pos(-100);
    EXPECT_EQ(bar->pos(), -20);
    bar->set_range(0, 5);
    bar->set_page(10);
    ui.click(hwnd, {8, 100});
    EXPECT_EQ(win::GetCapture(), 0U);
    EXPECT_EQ(story(), Story{});
}

TEST_F(ScrollBarTracking, HorizontalBarSendsHScroll)
{
    hwnd = scroll_bar(10, 250, 200, 17, false).get_hWnd();
    recorder.watch(hwnd, "across");
    EXPECT_EQ(ScrollBar::from_hwnd(hwnd)->part_rect(ScrollPart::LineUp), (win::RECT{0, 0, 17, 17}));
    ui.click(hwnd, {195, 8});
    EXPECT_EQ(story(), (Story{"H SB_LINEDOWN", "bar loses capture", "H SB_ENDSCROLL"}));
}

} // namespace
} // namespace controls
