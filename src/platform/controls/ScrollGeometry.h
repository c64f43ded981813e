#pragma once
// The geometry of a scroll bar, without any window: where its two arrows,
// its track and its thumb lie along its length, which part a point falls in,
// and which position a thumb dragged to some place stands for. All
// coordinates are pixels along the bar (top to bottom, or left to right).
//
// Positions run from `min` to the last position that still shows a whole
// page: max - (page - 1) with a page, max without one. A bar with nothing
// to scroll (that last position not above min) has no thumb.

namespace controls {

struct ScrollRange {
    int min = 0;
    int max = 100;
    int page = 0; // 0: no page (the thumb is square)

    // The largest position (see above).
    [[nodiscard]] int last_position() const;
    [[nodiscard]] int clamp(int position) const;
};

enum class ScrollPart {
    None,
    LineUp, // the arrow at the start (top or left)
    PageUp, // the track before the thumb
    Thumb,
    PageDown, // the track after the thumb
    LineDown, // the arrow at the end
};

struct ScrollLayout {
    int length = 0; // the whole bar
    int arrow = 0; // the size of each arrow along the bar
    int track_begin = 0;
    int track_end = 0;
    int thumb_begin = 0; // thumb_begin == thumb_end: no thumb
    int thumb_end = 0;

    [[nodiscard]] bool has_thumb() const { return thumb_end > thumb_begin; }
};

// Arrows are square (as long as the bar is broad) unless the bar is too
// short for two, when each takes half. A thumb with a page is as long as the
// page's share of the track, at least k_min_thumb; without a page it is
// square. A thumb that does not fit the track is left out.
inline constexpr int k_min_thumb = 8;
[[nodiscard]] ScrollLayout layout_scroll(
    int length, int breadth, const ScrollRange& range, int position);

// The part under a point `along` pixels from the bar's start; None outside
// the bar and on a track without a thumb.
[[nodiscard]] ScrollPart part_at(const ScrollLayout& layout, int along);

// The position a thumb whose start lies at `thumb_begin` stands for: the
// nearest one, clamped to the range.
[[nodiscard]] int position_for_thumb(
    const ScrollLayout& layout, const ScrollRange& range, int thumb_begin);

} // namespace controls
