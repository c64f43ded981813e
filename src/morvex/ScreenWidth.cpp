#include "morvex/ScreenWidth.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/vb/Convert.h"

namespace pendrel {

vb::Integer screen_width_twips(const win::RECT& work_area, vb::Single twips_per_pixel)
{
    const double pixels = static_cast<double>(work_area.right) - work_area.left;
    const double twips = vb::round_half_even(pixels * static_cast<double>(twips_per_pixel));
    if (std::isnan(twips))
        return 0;
    constexpr double lowest = std::numeric_limits<vb::Integer>::min();
    constexpr double highest = std::numeric_limits<vb::Integer>::max();
    return static_cast<vb::Integer>(std::clamp(twips, lowest, highest));
}

} // namespace pendrel
