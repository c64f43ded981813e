#include "dropdown/Placement.h"

#include <algorithm>

#include "platform/vb/Convert.h"

namespace dropdown {

vb::Long top_below(const win::RECT& control)
{
    return vb::checked_add(vb::Long{control.bottom}, vb::Long{1});
}

bool runs_past_bottom(vb::Long top, vb::Long height, const win::RECT& work)
{
    return vb::checked_add(top, height) > work.bottom;
}

vb::Long top_above(const win::RECT& control, vb::Long height)
{
    const vb::Long above
        = vb::checked_sub(vb::checked_sub(vb::Long{control.top}, vb::Long{1}), height);
    return std::max<vb::Long>(above, 0);
}

// The search one pixel at a time, in one step: the same edge, and the same
// stop at -1.
vb::Long left_edge(const win::RECT& control, vb::Long width, const win::RECT& work)
{
    const vb::Long left = control.left;
    if (vb::checked_add(left, width) <= work.right || left < 0)
        return left;
    return std::max<vb::Long>(vb::checked_sub(vb::Long{work.right}, width), -1);
}

} // namespace dropdown
