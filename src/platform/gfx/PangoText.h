#pragma once
// Internal to gfx: Pango layouts made the same way for measuring and for
// drawing, so that a measured width is the drawn width.

#include <memory>
#include <string>
#include <string_view>

#include <pango/pangocairo.h>
#include <pixman.h>

#include "platform/gfx/Font.h"

namespace gfx::detail {

struct GObjectDeleter {
    void operator()(void* p) const { g_object_unref(p); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectDeleter>;
using ContextPtr = std::unique_ptr<PangoContext, GObjectDeleter>;

// Sets the resolution and the fixed font options (grey antialiasing, no
// hinting, metrics hinted to whole pixels) on a context.
void configure_context(PangoContext* context, int dpi);

// The font's description as layouts and contexts take it; the caller frees
// it (pango_font_description_free).
[[nodiscard]] PangoFontDescription* font_description(const Font& font);

// A context for drawing on image surfaces at a dpi, one per thread and dpi.
[[nodiscard]] PangoContext* drawing_context(int dpi);

// A new context for drawing on image surfaces at a dpi, for the caller
// alone (drawing_context keeps one of these).
[[nodiscard]] ContextPtr new_drawing_context(int dpi);

// A context for measuring at a dpi, one per thread and dpi.
[[nodiscard]] PangoContext* measuring_context(int dpi);

// A single-line layout of the text in the font (underline and strike-through
// as attributes). The text must already be valid UTF-8.
[[nodiscard]] LayoutPtr make_layout(PangoContext* context, const Font& font, std::string_view text);

// What a layout draws, as coverage: one byte a pixel, the layout's top-left
// corner at (x, y) in it. Compositing the colour through it gives the
// pixels Pango draws itself. No image when the text has glyphs of their own
// colour: Pango draws such a layout.
struct TextMask {
    pixman_image_t* image = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A text for drawing on image surfaces (what every canvas draws on): its
// logical extents in pixels, its coverage, and the layout that draws it
// when there is no coverage (none is made for plain text that has one).
struct DrawnLayout {
    PangoLayout* layout = nullptr;
    PangoRectangle logical{};
    const TextMask* mask = nullptr;
};

// The text in the font at a dpi as drawn, kept from one paint to the next
// with its coverage: a repaint of the same cells neither lays out nor
// rasterises again. Plain text (printable ASCII, one font, no lines through
// it) is shaped and drawn without a layout, to the same pixels. The calling
// thread keeps the most recently drawn k_kept_layouts; what it returns lives
// until the next call. The text must
// already be valid UTF-8.
inline constexpr std::size_t k_kept_layouts = 1024;
[[nodiscard]] DrawnLayout drawing_layout(int dpi, const Font& font, std::string_view text);

} // namespace gfx::detail
