#include "platform/gfx/Units.h"

#include <cmath>
#include <limits>

#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "platform/win/WindowManager.h"

namespace gfx {

double twips_per_pixel(int dpi)
{
    if (dpi <= 0)
        vb::raise(vb::err::InvalidProcedureCall, "twips_per_pixel");
    return static_cast<double>(k_twips_per_inch) / dpi;
}

int display_dpi()
{
    return win::WindowManager::the().display().dpi;
}

Twips to_twips(Pixels p, int dpi)
{
    return Twips{p.value * twips_per_pixel(dpi)};
}

Pixels to_pixels(Twips t, int dpi)
{
    if (!std::isfinite(t.value))
        vb::raise(vb::err::InvalidPropertyValue, "to_pixels");
    double px = vb::round_half_even(t.value / twips_per_pixel(dpi));
    if (px < std::numeric_limits<int>::min() || px > std::numeric_limits<int>::max())
        vb::raise(vb::err::Overflow, "to_pixels");
    return Pixels{static_cast<int>(px)};
}

Twips to_twips(Pixels p)
{
    return to_twips(p, display_dpi());
}

Pixels to_pixels(Twips t)
{
    return to_pixels(t, display_dpi());
}

} // namespace gfx
