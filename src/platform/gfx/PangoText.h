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

} // namespace gfx::detail
