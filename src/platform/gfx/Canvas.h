#pragma once
// What a window paints with. A canvas draws into a surface through a
// translated origin and a clip: coordinates are pixels relative to the
// origin, rectangles are right- and bottom-exclusive (as RECT is), and
// nothing is drawn outside the clip.
//
// NOTE: when the compositor paints a window it sends WM_PAINT with
// wParam = the address of a Canvas whose origin is the window's top-left
// corner (its window rectangle, not its client area) and whose clip is the
// part of the window that its parents leave visible. The canvas is valid
// only during that call; canvas_of(wParam) turns the parameter back into it.
//
// Shapes are drawn without antialiasing, so a filled rectangle covers
// exactly its pixels; text is antialiased in grey.

#include <optional>
#include <string_view>

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Surface.h"
#include "platform/win/Types.h"

typedef struct _cairo cairo_t; // NOLINT(modernize-use-using): Cairo's own spelling
typedef union pixman_image pixman_image_t; // NOLINT(modernize-use-using): pixman's own spelling

namespace gfx {

// The platform's borders. Flat: one pixel of the window-frame colour.
// Raised (a button): light and dark-shadow outside, highlight and shadow
// inside. Sunken (a 3D text box): shadow and highlight outside, dark shadow
// and light inside. Pressed (a pushed button): a dark-shadow frame with a
// shadow frame inside. Every border but Flat is two pixels wide.
enum class Edge {
    Flat,
    Raised,
    Sunken,
    Pressed,
};

// The width in pixels a border takes on each side.
[[nodiscard]] constexpr int edge_width(Edge e)
{
    return e == Edge::Flat ? 1 : 2;
}

enum class HAlign {
    Left,
    Center,
    Right,
};
enum class VAlign {
    Top,
    Center,
    Bottom,
};

struct TextAlign {
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Center;
    // Shifts the text left by this many pixels (a text box scrolled to keep
    // its caret visible).
    int scroll_x = 0;
};

class Canvas {
public:
    // A canvas over the surface whose (0, 0) is the surface pixel `origin`
    // and which draws only inside `clip` (surface pixels). Text is laid out
    // at `dpi`; 0 takes the display's dpi.
    Canvas(Surface& surface, win::POINT origin, const win::RECT& clip, int dpi = 0);
    // A canvas over the whole surface.
    explicit Canvas(Surface& surface, int dpi = 0);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    // The visible part of the canvas, in its own coordinates.
    [[nodiscard]] win::RECT clip_rect() const;
    [[nodiscard]] int dpi() const { return m_dpi; }

    void fill_rect(const win::RECT& r, OLE_COLOR color);
    // A frame `thickness` pixels wide inside the rectangle.
    void frame_rect(const win::RECT& r, OLE_COLOR color, int thickness = 1);
    // From `from` up to, not including, `to`: horizontal and vertical lines
    // are exact pixels, others are one pixel wide without antialiasing.
    void draw_line(win::POINT from, win::POINT to, OLE_COLOR color);
    // The rectangle in a checkerboard of two colours: `even` where x + y is
    // even (canvas coordinates), `odd` elsewhere.
    void fill_checker(const win::RECT& r, OLE_COLOR even, OLE_COLOR odd);
    // A border drawn inside the rectangle.
    void draw_edge(const win::RECT& r, Edge edge);
    // The selection highlight: the rectangle in the highlight colour.
    void draw_selection(const win::RECT& r);
    // A dotted frame one pixel inside the rectangle, as a focused button
    // shows.
    void draw_focus_rect(const win::RECT& r);

    // One line of UTF-8 text placed in the box by `align` and clipped to
    // the box. Invalid bytes draw as U+FFFD; a line break draws as a glyph.
    void draw_text(std::string_view text, const win::RECT& box, const Font& font, OLE_COLOR color,
        TextAlign align = {});

    // An image with its top-left corner at `at`; pixels of the transparent
    // colour (compared exactly, after translating the OLE_COLOR) are left
    // out, and the image's own alpha is respected.
    void draw_image(
        const Image& image, win::POINT at, std::optional<OLE_COLOR> transparent = std::nullopt);
    // The same, centred in a rectangle (odd leftovers go right and down).
    void draw_image_centered(const Image& image, const win::RECT& box,
        std::optional<OLE_COLOR> transparent = std::nullopt);

    // Narrows the clip to a rectangle (canvas coordinates) while it lives.
    class ClipScope {
    public:
        ClipScope(Canvas& canvas, const win::RECT& r);
        ClipScope(const ClipScope&) = delete;
        ClipScope& operator=(const ClipScope&) = delete;
        ~ClipScope();

    private:
        Canvas& m_canvas;
        win::RECT m_outer;
    };

private:
    void set_color(OLE_COLOR color);
    void set_color(Rgb rgb);
    void fill(const win::RECT& r, Rgb rgb);
    void frame(const win::RECT& r, Rgb top_left, Rgb bottom_right);
    // The rectangle moved to surface pixels and clipped.
    [[nodiscard]] win::RECT on_surface(const win::RECT& r) const;
    [[nodiscard]] pixman_image_t* target();

    // Every clip is a rectangle, so solid shapes and text are written to
    // the surface's pixels directly, without a Cairo path; Cairo draws the
    // rest (images, slanted lines) through the same clip.
    cairo_t* m_cr = nullptr; // owned
    Surface& m_surface;
    pixman_image_t* m_target = nullptr; // owned; the surface's pixels, made on first use
    win::POINT m_origin;
    win::RECT m_clip; // in surface pixels
    int m_dpi;
};

// The canvas a WM_PAINT carries in its wParam.
[[nodiscard]] inline Canvas* canvas_of(win::WPARAM wparam)
{
    return reinterpret_cast<Canvas*>(wparam); // NOLINT(performance-no-int-to-ptr)
}

// The wParam of a WM_PAINT that carries a canvas.
[[nodiscard]] inline win::WPARAM wparam_of(Canvas& canvas)
{
    return reinterpret_cast<win::WPARAM>(&canvas);
}

} // namespace gfx
