#pragma once
// Internal to gfx: plain text shaped by HarfBuzz in its font's one item and
// drawn without a layout, to the pixels a layout of it draws.

#include <string_view>

#include <pango/pangocairo.h>

#include "platform/gfx/Font.h"
#include "platform/gfx/TextCoverage.h"

namespace gfx::detail {

// Plain text: printable ASCII and the accented Latin letters
// (U+00C0..U+023F), in a font without underline or strike-through.
// Anything else (controls, tabs, bidi, combining marks, fallback fonts)
// goes through a layout.
[[nodiscard]] bool is_plain(const Font& font, std::string_view text);

// A plain text's logical extents in pixels and its coverage, as a one-line
// layout of it in the font at a dpi has them; false when it needs a layout
// after all.
[[nodiscard]] bool lay_out_plain(
    int dpi, const Font& font, std::string_view text, PangoRectangle& logical, OwnedMask& mask);

} // namespace gfx::detail
