#include "platform/controls/LineMetrics.h"

#include <algorithm>

#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Utf8.h"

namespace controls {

namespace {

// The byte offset of a character boundary of valid UTF-8 text.
std::size_t byte_of(std::string_view text, int index)
{
    std::size_t i = 0;
    for (int n = 0; n < index && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
            ++i;
        }
    }
    return i;
}

} // namespace

LineMetrics::LineMetrics(const gfx::Font& font, std::string_view text, int dpi)
    : m_font(font),
      m_source(text),
      m_text(gfx::valid_utf8(text)),
      m_dpi(dpi),
      m_length(gfx::char_count(m_text))
{
    if (m_length <= k_exact_length) {
        m_exact.emplace(m_font, m_text, m_dpi);
    } else {
        m_known[0] = 0;
    }
}

int LineMetrics::offset(int index) const
{
    index = std::clamp(index, 0, m_length);
    if (auto it = m_known.find(index); it != m_known.end()) {
        return it->second;
    }
    int x = 0;
    if (m_exact) {
        x = m_exact->offset(index);
    } else {
        const std::string_view before = std::string_view(m_text).substr(0, byte_of(m_text, index));
        x = gfx::measure_text(m_font, before, m_dpi).width;
    }
    m_known[index] = x;
    return x;
}

// Halving for the first boundary at or after x, then the nearer of it and
// the one before.
int LineMetrics::index_at(int x) const
{
    int low = 0;
    int high = m_length;
    if (x <= 0) {
        return 0;
    }
    if (x >= width()) {
        return m_length;
    }
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (offset(middle) < x) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low > 0 && x - offset(low - 1) <= offset(low) - x) {
        return low - 1;
    }
    return low;
}

} // namespace controls
