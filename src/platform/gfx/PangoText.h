#pragma once
// Internal to gfx: Pango layouts made the same way for measuring and for
// drawing, so that a measured width is the drawn width.

#include <memory>
#include <string>
#include <string_view>

#include <pango/pangocairo.h>

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

// A context for measuring at a dpi, one per thread and dpi.
[[nodiscard]] PangoContext* measuring_context(int dpi);

// A single-line layout of the text in the font (underline and strike-through
// as attributes). The text must already be valid UTF-8.
[[nodiscard]] LayoutPtr make_layout(PangoContext* context, const Font& font, std::string_view text);

// A layout for drawing on image surfaces (what every canvas draws on) and
// its logical extents in pixels.
struct DrawnLayout {
    PangoLayout* layout = nullptr;
    PangoRectangle logical{};
};

// The drawing layout of the text in the font at a dpi, kept from one paint
// to the next: a repaint of the same cells lays nothing out again. The
// calling thread keeps the most recently drawn k_kept_layouts; the layout
// lives until the next call. The text must already be valid UTF-8.
inline constexpr std::size_t k_kept_layouts = 1024;
[[nodiscard]] DrawnLayout drawing_layout(int dpi, const Font& font, std::string_view text);

} // namespace gfx::detail
