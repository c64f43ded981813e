#pragma once
// Pixel offsets of the character boundaries of one line of text, for the
// caret, the selection and the mouse of a text box: boundary i (0 .. number
// of characters) lies offset(i) pixels from the start of the line.
//
// Boundaries are measured on demand and kept: a text box asks for the few
// it needs (the caret, the selection's ends) and a press finds its boundary
// by halving. A line of up to k_exact_length characters takes them from the
// drawing's own layout (gfx::CaretLine), exact to the pixel. Each costs time
// in the length of the line, so a longer line measures the text before a
// boundary instead; there a pair of letters kerned across the boundary
// ("To") can put the offset a pixel or two away from the drawn glyph.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gfx/Font.h"
#include "platform/gfx/TextMetrics.h"

namespace controls {

class LineMetrics {
public:
    static constexpr int k_exact_length = 512;

    LineMetrics(const gfx::Font& font, std::string_view text, int dpi);

    [[nodiscard]] int length() const { return m_length; }
    // The offset of boundary `index`, clamped to 0 .. length().
    [[nodiscard]] int offset(int index) const;
    [[nodiscard]] int width() const { return offset(m_length); }
    // The boundary nearest to x (the earlier one of two as near); x before
    // the text gives 0, after it length().
    [[nodiscard]] int index_at(int x) const;
    // Whether these are the metrics of the text in the font at the dpi.
    [[nodiscard]] bool measures(const gfx::Font& font, std::string_view text, int dpi) const
    {
        return dpi == m_dpi && text == m_source && font == m_font;
    }

private:
    gfx::Font m_font;
    std::string m_source;
    std::string m_text;
    int m_dpi;
    int m_length;
    std::optional<gfx::CaretLine> m_exact;
    mutable std::map<int, int> m_known;
};

} // namespace controls
