#pragma once
// The picture of a drop-down button: 32 x 32 pixels, light grey (C0C0C0)
// everywhere except a solid black triangle pointing down, centred on column
// 16: rows 13 to 17 (from 0 at the top) hold 9, 7, 5, 3 and 1 black pixels,
// columns 12..20, 13..19, 14..18, 15..17 and 16. The grey is the picture's
// transparent colour (drop_down_mask_color), so a button shows only the
// triangle on its own face.

#include "platform/gfx/Color.h"
#include "platform/gfx/Image.h"

namespace controls {

inline constexpr gfx::OLE_COLOR drop_down_mask_color = gfx::RGB(0xC0, 0xC0, 0xC0);

[[nodiscard]] gfx::Image drop_down_picture();

} // namespace controls
