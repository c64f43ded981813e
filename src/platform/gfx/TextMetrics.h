#pragma once
// Measuring single-line text in a font: sizes in pixels at a dpi, or at the
// display's dpi, and in twips. Text is UTF-8; invalid bytes measure as
// U+FFFD. Character positions count characters (code points), never bytes.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/gfx/Font.h"

typedef struct _PangoLayout PangoLayout; // NOLINT(modernize-use-using): Pango's own spelling

namespace gfx {

struct TextSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(TextSize, TextSize) = default;
};

// The logical size of the text drawn on one line. An empty text has width 0
// and the font's line height.
[[nodiscard]] TextSize measure_text(const Font& font, std::string_view text, int dpi);
[[nodiscard]] TextSize measure_text(const Font& font, std::string_view text);

// The font's line height in pixels.
[[nodiscard]] int line_height(const Font& font, int dpi);

// Width and height in twips at the display's dpi (pixels * twips per pixel).
[[nodiscard]] double text_width_twips(const Font& font, std::string_view text);
[[nodiscard]] double text_height_twips(const Font& font, std::string_view text);

// The x offset in pixels of every character boundary of the text, from the
// start of the line: n + 1 values for a text of n characters, the first 0,
// the last the text's width.
[[nodiscard]] std::vector<int> caret_offsets(const Font& font, std::string_view text, int dpi);

// One line laid out once, its character boundaries placed when first asked
// for: offset(i) is caret_offsets(...)[i], at the cost of the boundaries
// used instead of every one (each costs time in the length of the line).
class CaretLine {
public:
    CaretLine(const Font& font, std::string_view text, int dpi);

    // Characters in the line.
    [[nodiscard]] int length() const { return static_cast<int>(m_bytes.size()) - 1; }
    // Boundary `index`, 0 .. length().
    [[nodiscard]] int offset(int index) const;

private:
    struct LayoutDeleter {
        void operator()(PangoLayout* layout) const;
    };
    std::unique_ptr<PangoLayout, LayoutDeleter> m_layout;
    std::vector<int> m_bytes; // each boundary's byte, the last the text's size
    int m_width = 0;
};

// The character boundary (0 .. n) nearest to x pixels from the start of the
// line; x before the text gives 0, after it n.
[[nodiscard]] int char_index_at(const Font& font, std::string_view text, int x, int dpi);

} // namespace gfx
