#pragma once
// Internal to gfx: glyph images drawn once and kept on the calling thread,
// and a text's coverage composed of them instead of drawn again.

#include <pango/pangocairo.h>

#include "platform/gfx/TextCoverage.h"

namespace gfx::detail {

// The coverage of a glyph string drawn with its baseline's left end at
// (0, baseline), composed of its glyphs' kept coverage: what Cairo draws,
// as it places each glyph on a whole pixel and adds (saturating) the
// coverage of glyphs that overlap. False, drawing nothing, when a glyph is
// off the pixel grid, has no kept coverage or is drawn as a box for a
// missing character.
[[nodiscard]] bool compose_glyphs(
    PangoFont* font, const PangoGlyphString* glyphs, int baseline, OwnedMask& out);

} // namespace gfx::detail
