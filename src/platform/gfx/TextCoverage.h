#pragma once
// Internal to gfx: a text's coverage as Cairo draws it, one byte a pixel in
// memory of its own, and the fonts that have none (glyphs of their own
// colour).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <pango/pangocairo.h>
#include <pixman.h>

#include "platform/gfx/CairoHandles.h"
#include "platform/gfx/PangoText.h"

namespace gfx::detail {

struct PixmanDeleter {
    void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};

// The coverage's bytes and the pixman image over them.
struct OwnedMask {
    SurfacePtr pixels;
    std::vector<std::uint32_t> words; // or the bytes here, four a word
    std::unique_ptr<pixman_image_t, PixmanDeleter> image;
    TextMask mask;
};

// Whether the font, or any run of the layout, has glyphs of their own
// colour: such text is drawn by Pango, not through coverage.
[[nodiscard]] bool has_colour_glyphs(PangoFont* font);
[[nodiscard]] bool has_colour_glyphs(PangoLayout* layout);

// The text drawn at cairo's current point as a layout's top-left corner.
using DrawText = std::function<void(cairo_t*)>;

// What draw draws, as coverage, over the logical extents (in pixels) and
// whatever ink reaches past them; no image when none could be made.
[[nodiscard]] OwnedMask render_mask(const PangoRectangle& logical, const DrawText& draw);

} // namespace gfx::detail
