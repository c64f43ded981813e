#include "platform/controls/ScrollGeometry.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

namespace controls {
namespace {

struct LayoutCase {
    const char* name;
    int length, breadth;
    ScrollRange range;
    int position;
    int arrow;
    int thumb_begin, thumb_end; // equal: no thumb
};

class ScrollLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ScrollLayouts, PlaceArrowsAndThumb)
{
    const LayoutCase& c = GetParam();
    const ScrollLayout l = layout_scroll(c.length, c.breadth, c.range, c.position);
    EXPECT_EQ(l.arrow, c.arrow);
    EXPECT_EQ(l.track_begin, c.arrow);
    EXPECT_EQ(l.track_end, c.length - c.arrow);
    EXPECT_EQ(l.has_thumb(), c.thumb_end > c.thumb_begin);
    if (l.has_thumb()) {
        EXPECT_EQ(l.thumb_begin, c.thumb_begin);
        EXPECT_EQ(l.thumb_end, c.thumb_end);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollLayouts,
    ::testing::Values(LayoutCase{"SquareThumbAtStart", 100, 17, {0, 100, 0}, 0, 17, 17, 34},
        LayoutCase{"PositionBeyondRangeIsClamped", 100, 17, {0, 100, 0}, 500, 17, 66, 83},
        LayoutCase{"PageSizesThumb", 100, 17, {0, 99, 50}, 25, 17, 34, 67},
        LayoutCase{"SmallPageGetsMinimumThumb", 100, 17, {0, 99, 10}, 90, 17, 75, 83},
        LayoutCase{"NegativeRange", 100, 17, {-50, 50, 0}, 0, 17, 42, 59},
        LayoutCase{"PageCoveringRangeHasNoThumb", 100, 17, {0, 9, 10}, 0, 17, 0, 0},
        LayoutCase{"EmptyRangeHasNoThumb", 100, 17, {5, 5, 0}, 5, 17, 0, 0},
        LayoutCase{"ShortBarSharesArrows", 20, 17, {0, 100, 0}, 0, 10, 0, 0},
        LayoutCase{"ZeroLength", 0, 17, {0, 100, 0}, 0, 0, 0, 0}),
    pendrel::test::RowName{});

// A bar of 100 pixels with its thumb at 42..59, and one whose page covers
// the range: its track is no part.
TEST(ScrollGeometry, PartsAreFoundAlongTheBar)
{
    const struct {
        const char* name;
        int along;
        ScrollPart part;
    } rows[] = {{"BeforeBar", -1, ScrollPart::None}, {"ArrowEnd", 16, ScrollPart::LineUp},
        {"TrackStart", 17, ScrollPart::PageUp}, {"BeforeThumb", 41, ScrollPart::PageUp},
        {"ThumbStart", 42, ScrollPart::Thumb}, {"ThumbEnd", 58, ScrollPart::Thumb},
        {"AfterThumb", 59, ScrollPart::PageDown}, {"TrackEnd", 82, ScrollPart::PageDown},
        {"LowerArrow", 83, ScrollPart::LineDown}, {"AfterBar", 100, ScrollPart::None}};
    const ScrollLayout l = layout_scroll(100, 17, {0, 100, 0}, 50);
    for (const auto& row : rows) {
        EXPECT_EQ(part_at(l, row.along), row.part) << row.name;
    }
    const ScrollLayout no_thumb = layout_scroll(100, 17, {0, 9, 10}, 0);
    EXPECT_EQ(part_at(no_thumb, 50), ScrollPart::None);
    EXPECT_EQ(part_at(no_thumb, 5), ScrollPart::LineUp);
    EXPECT_EQ(part_at(no_thumb, 95), ScrollPart::LineDown);
}

// Positions run to the last one that shows a whole page; every thumb place
// gives back its position, and a thumb dragged past the track clamps.
TEST(ScrollGeometry, ThumbPlaceGivesBackItsPosition)
{
    EXPECT_EQ((ScrollRange{0, 99, 0}.last_position()), 99);
    EXPECT_EQ((ScrollRange{0, 5, 100}.last_position()), 0);
    EXPECT_EQ((ScrollRange{0, 99, 10}.clamp(95)), 90);
    EXPECT_EQ((ScrollRange{0, 99, 10}.clamp(-1)), 0);
    const ScrollRange range{-10, 30, 0};
    for (int position = range.min; position <= range.max; ++position) {
        const ScrollLayout l = layout_scroll(100, 17, range, position);
        EXPECT_EQ(position_for_thumb(l, range, l.thumb_begin), position);
    }
    const ScrollRange paged{0, 99, 10};
    const ScrollLayout l = layout_scroll(100, 17, paged, 0);
    EXPECT_EQ(position_for_thumb(l, paged, -500), 0);
    EXPECT_EQ(position_for_thumb(l, paged, 500), 90);
}

} // namespace
} // namespace controls
