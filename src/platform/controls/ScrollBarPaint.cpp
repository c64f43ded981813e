// The scroll bar's drawing: the track, two arrow buttons with their
// triangles, and the thumb as a raised button. The pressed arrow shows
// pushed in and the pressed part of the track darkens; a bar with nothing to
// scroll draws grey arrows and no thumb.

#include <algorithm>

#include "platform/controls/ScrollBar.h"
#include "platform/win/User32.h"

namespace controls {

namespace {

enum class Direction {
    Up,
    Down,
    Left,
    Right,
};

// A solid triangle of 4 rows (7, 5, 3 and 1 pixels) centred in the box,
// pointing in the direction.
void draw_triangle(
    gfx::Canvas& canvas, const win::RECT& box, Direction direction, gfx::OLE_COLOR color)
{
    constexpr int k_rows = 4;
    const int cx = box.left + box.width() / 2;
    const int cy = box.top + box.height() / 2;
    for (int row = 0; row < k_rows; ++row) {
        const int half = k_rows - 1 - row; // the widest row first
        switch (direction) {
        case Direction::Down:
            canvas.fill_rect({cx - half, cy - 2 + row, cx + half + 1, cy - 1 + row}, color);
            break;
        case Direction::Up:
            canvas.fill_rect({cx - half, cy + 1 - row, cx + half + 1, cy + 2 - row}, color);
            break;
        case Direction::Right:
            canvas.fill_rect({cx - 2 + row, cy - half, cx - 1 + row, cy + half + 1}, color);
            break;
        case Direction::Left:
            canvas.fill_rect({cx + 1 - row, cy - half, cx + 2 - row, cy + half + 1}, color);
            break;
        }
    }
}

void draw_arrow(
    gfx::Canvas& canvas, const win::RECT& box, Direction direction, bool pushed, bool active)
{
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    canvas.fill_rect(box, gfx::vbButtonFace);
    canvas.draw_edge(box, pushed ? gfx::Edge::Pressed : gfx::Edge::Raised);
    const int shift = pushed ? 1 : 0;
    draw_triangle(canvas,
        {box.left + shift, box.top + shift, box.right + shift, box.bottom + shift}, direction,
        active ? gfx::vbButtonText : gfx::vbGrayText);
}

// The classic track: button face and highlight in a checkerboard.
void draw_track(gfx::Canvas& canvas, const win::RECT& r)
{
    canvas.fill_checker(r, gfx::vb3DHighlight, gfx::vbButtonFace);
}

} // namespace

void ScrollBar::paint(gfx::Canvas* canvas) const
{
    if (canvas == nullptr) {
        return;
    }
    const ScrollLayout l = layout();
    const bool v = vertical();
    const bool active = l.has_thumb() && get_Enabled();
    // 1. The track, the pressed part of it darker.
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    draw_track(*canvas, client);
    if ((m_part == ScrollPart::PageUp || m_part == ScrollPart::PageDown) && m_over) {
        canvas->fill_rect(part_rect(m_part), gfx::vb3DDKShadow);
    }
    // 2. The arrows.
    const auto pushed = [this](ScrollPart part) { return m_part == part && m_over; };
    draw_arrow(*canvas, part_rect(ScrollPart::LineUp), v ? Direction::Up : Direction::Left,
        pushed(ScrollPart::LineUp), active);
    draw_arrow(*canvas, part_rect(ScrollPart::LineDown), v ? Direction::Down : Direction::Right,
        pushed(ScrollPart::LineDown), active);
    // 3. The thumb.
    if (l.has_thumb()) {
        const win::RECT thumb = part_rect(ScrollPart::Thumb);
        canvas->fill_rect(thumb, gfx::vbButtonFace);
        canvas->draw_edge(thumb, gfx::Edge::Raised);
    }
}

} // namespace controls
