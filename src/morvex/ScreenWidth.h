#pragma once
// ScreenWidth: the desktop work-area width in twips, as the 16-bit value
// the control keeps. The width in pixels times the twips per pixel, to the
// nearest integer with halves going to the even neighbour.
//
// A work area wider than 32767 twips (2184 pixels at 15 twips a pixel)
// gives 32767, the widest value the field holds, so that reading the
// properties never fails for a wide desktop.

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace pendrel {

[[nodiscard]] vb::Integer screen_width_twips(
    const win::RECT& work_area, vb::Single twips_per_pixel);

} // namespace pendrel
