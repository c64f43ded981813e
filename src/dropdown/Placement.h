#pragma once
// Where an open list goes, in screen pixels: below its control, or above it
// when the work area ends first (never above screen row 0), and moved left
// until its right edge fits the work area (to column -1 at most). The steps
// are separate functions so that a procedure can run and report each of
// them on its own; every sum that leaves the 32-bit range raises 6.

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace dropdown {

struct DropRect {
    vb::Long left = 0;
    vb::Long top = 0;
    vb::Long width = 0;
    vb::Long height = 0;
};

// The row just below the control.
[[nodiscard]] vb::Long top_below(const win::RECT& control);
// Whether a list of `height` rows starting at `top` runs past the work
// area's bottom edge.
[[nodiscard]] bool runs_past_bottom(vb::Long top, vb::Long height, const win::RECT& work);
// The top of a list of `height` rows that ends just above the control,
// clamped at row 0.
[[nodiscard]] vb::Long top_above(const win::RECT& control, vb::Long height);
// The control's left edge, moved left as far as a list of `width` needs to
// end inside the work area, but not past column -1. A control already left
// of the screen's origin keeps its edge.
[[nodiscard]] vb::Long left_edge(const win::RECT& control, vb::Long width, const win::RECT& work);

} // namespace dropdown
