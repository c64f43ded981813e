// Where an open list goes: below its control or above it, inside the work
// area's right edge.

#include "dropdown/Placement.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/RowName.h"
#include "support/VbError.h"

namespace dropdown {
namespace {

// The steps in the order the list's placement runs them.
DropRect place(const win::RECT& control, const win::RECT& work, vb::Long width, vb::Long height)
{
    DropRect r{0, top_below(control), width, height};
    if (runs_past_bottom(r.top, r.height, work))
        r.top = top_above(control, r.height);
    r.left = left_edge(control, r.width, work);
    return r;
}

struct Row {
    const char* name;
    win::RECT control, work;
    vb::Long width, height, left, top;
};

class Placement : public testing::TestWithParam<Row> {};

TEST_P(Placement, BelowOrAboveAndInsideTheRightEdge)
{
    const Row& row = GetParam();
    const DropRect r = place(row.control, row.work, row.width, row.height);
    EXPECT_EQ(std::tuple(r.left, r.top, r.width, r.height),
        std::tuple(row.left, row.top, row.width, row.height));
}

constexpr win::RECT k_control{108, 108, 309, 133};

INSTANTIATE_TEST_SUITE_P(Rows, Placement,
    testing::Values(Row{"BelowJustFits", k_control, {0, 0, 1920, 234}, 201, 100, 108, 134},
        Row{"AboveOnePixelClear", k_control, {0, 0, 1920, 233}, 201, 100, 108, 7},
        Row{"AboveClampedAtRowZero", k_control, {0, 0, 1920, 300}, 201, 200, 108, 0},
        Row{"RightEdgeJustFits", k_control, {0, 0, 408, 1040}, 300, 100, 108, 134},
        Row{"ShiftedLeftToTheRightEdge", k_control, {0, 0, 400, 1040}, 300, 100, 100, 134},
        Row{"WiderThanWorkAreaStopsAtMinusOne", k_control, {0, 0, 400, 1040}, 500, 100, -1, 134},
        Row{"WorkAreaLeftAndTopUnused", k_control, {200, 200, 400, 1040}, 150, 100, 108, 134},
        // A control on a monitor left of the main one keeps its edge.
        Row{"LeftOfTheOrigin", {-300, 10, -100, 35}, {0, 0, 100, 1040}, 400, 100, -300, 36}),
    pendrel::test::RowName{});

TEST(PlacementOverflow, SumsBeyondThirtyTwoBitsRaiseSix)
{
    constexpr vb::Long most = 2147483647;
    EXPECT_VB_ERROR((void)top_below({0, 0, 10, most}), 6);
    EXPECT_VB_ERROR((void)runs_past_bottom(most, 1, {0, 0, 10, 10}), 6);
    EXPECT_VB_ERROR((void)top_above({0, -2147483647 - 1, 10, 10}, 1), 6);
    EXPECT_VB_ERROR((void)left_edge({most, 0, most, 10}, 1, {0, 0, 10, 10}), 6);
}

} // namespace
} // namespace dropdown
