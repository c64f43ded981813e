#include "platform/controls/ScrollGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace controls {

int ScrollRange::last_position() const
{
    const std::int64_t last = static_cast<std::int64_t>(max) - std::max(page - 1, 0);
    return static_cast<int>(std::max<std::int64_t>(last, min));
}

int ScrollRange::clamp(int position) const
{
    return std::clamp(position, min, last_position());
}

namespace {

// Thumb length before it is checked against the track.
int thumb_length(int track, int breadth, const ScrollRange& range)
{
    if (range.page <= 0) {
        return breadth;
    }
    const double span = static_cast<double>(range.max) - range.min + 1.0;
    const double share = track * std::min(1.0, range.page / span);
    return std::max(k_min_thumb, static_cast<int>(share));
}

} // namespace

ScrollLayout layout_scroll(int length, int breadth, const ScrollRange& range, int position)
{
    ScrollLayout layout;
    layout.length = std::max(length, 0);
    layout.arrow = std::min(std::max(breadth, 0), layout.length / 2);
    layout.track_begin = layout.arrow;
    layout.track_end = layout.length - layout.arrow;
    const int track = layout.track_end - layout.track_begin;
    const int thumb = thumb_length(track, std::max(breadth, 0), range);
    const int last = range.last_position();
    if (last <= range.min || thumb > track || thumb <= 0) {
        layout.thumb_begin = layout.thumb_end = layout.track_begin;
        return layout;
    }
    const double share = (static_cast<double>(range.clamp(position)) - range.min)
        / (static_cast<double>(last) - range.min);
    layout.thumb_begin
        = layout.track_begin + static_cast<int>(std::lround((track - thumb) * share));
    layout.thumb_end = layout.thumb_begin + thumb;
    return layout;
}

ScrollPart part_at(const ScrollLayout& layout, int along)
{
    if (along < 0 || along >= layout.length) {
        return ScrollPart::None;
    }
    if (along < layout.track_begin) {
        return ScrollPart::LineUp;
    }
    if (along >= layout.track_end) {
        return ScrollPart::LineDown;
    }
    if (!layout.has_thumb()) {
        return ScrollPart::None;
    }
    if (along < layout.thumb_begin) {
        return ScrollPart::PageUp;
    }
    return along < layout.thumb_end ? ScrollPart::Thumb : ScrollPart::PageDown;
}

int position_for_thumb(const ScrollLayout& layout, const ScrollRange& range, int thumb_begin)
{
    const int room
        = (layout.track_end - layout.track_begin) - (layout.thumb_end - layout.thumb_begin);
    if (!layout.has_thumb() || room <= 0) {
        return range.min;
    }
    const int offset = std::clamp(thumb_begin - layout.track_begin, 0, room);
    const double span = static_cast<double>(range.last_position()) - range.min;
    return range.clamp(range.min + static_cast<int>(std::lround(span * offset / room)));
}

} // namespace controls
