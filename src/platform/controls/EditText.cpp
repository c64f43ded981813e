#include "platform/controls/EditText.h"

#include <algorithm>

#include "platform/gfx/Utf8.h"

namespace controls {

namespace {

bool is_continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

int EditText::sel_length() const
{
    return m_caret < m_anchor ? m_anchor - m_caret : m_caret - m_anchor;
}

std::string EditText::selected_text() const
{
    const std::size_t from = byte_of(sel_start());
    const std::size_t to = byte_of(sel_start() + sel_length());
    return m_text.substr(from, to - from);
}

bool EditText::acceptable(std::string_view text)
{
    return gfx::is_valid_utf8(text) && text.find('\0') == std::string_view::npos
        && gfx::char_count(text) <= k_max_length;
}

std::string EditText::utf8_of(char32_t ch)
{
    std::string out;
    auto put = [&out](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (ch < 0x80) {
        put(ch);
    } else if (ch < 0x800) {
        put(0xC0 | (ch >> 6));
        put(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        put(0xE0 | (ch >> 12));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    } else {
        put(0xF0 | (ch >> 18));
        put(0x80 | ((ch >> 12) & 0x3F));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    }
    return out;
}

bool EditText::set_text(std::string_view text)
{
    const bool changed = text != m_text;
    m_text = std::string(text);
    m_length = gfx::char_count(m_text);
    m_caret = 0;
    m_anchor = 0;
    return changed;
}

void EditText::select(int start, int length)
{
    m_anchor = std::clamp(start, 0, m_length);
    m_caret = std::clamp(length, 0, m_length - m_anchor) + m_anchor;
}

void EditText::set_caret(int position, bool extend)
{
    m_caret = std::clamp(position, 0, m_length);
    if (!extend) {
        m_anchor = m_caret;
    }
}

bool EditText::fits(std::string_view text) const
{
    return acceptable(text) && m_length - sel_length() + gfx::char_count(text) <= k_max_length;
}

bool EditText::replace_selection(std::string_view text)
{
    const std::size_t from = byte_of(sel_start());
    const std::size_t to = byte_of(sel_start() + sel_length());
    std::string result = m_text;
    result.replace(from, to - from, text);
    if (!acceptable(result)) {
        return false;
    }
    const bool changed = result != m_text;
    const int position = sel_start() + gfx::char_count(text);
    m_text = std::move(result);
    m_length = gfx::char_count(m_text);
    set_caret(position, false);
    return changed;
}

bool EditText::erase_backward()
{
    if (sel_length() > 0) {
        return replace_selection({});
    }
    return m_caret > 0 && erase(m_caret - 1, 1);
}

bool EditText::erase_forward()
{
    if (sel_length() > 0) {
        return replace_selection({});
    }
    return m_caret < m_length && erase(m_caret, 1);
}

bool EditText::erase(int start, int count)
{
    const std::size_t from = byte_of(start);
    m_text.erase(from, byte_of(start + count) - from);
    m_length -= count;
    set_caret(start, false);
    return true;
}

// As the platform's edit control: Left and Right step from the caret (not
// from the selection's edge) and, without Shift, drop the selection.
void EditText::move(Move move, bool extend)
{
    switch (move) {
    case Move::Left:
        set_caret(m_caret - 1, extend);
        break;
    case Move::Right:
        set_caret(m_caret + 1, extend);
        break;
    case Move::Home:
        set_caret(0, extend);
        break;
    case Move::End:
        set_caret(m_length, extend);
        break;
    }
}

std::size_t EditText::byte_of(int position) const
{
    std::size_t i = 0;
    for (int n = 0; n < position && i < m_text.size(); ++n) {
        ++i;
        while (i < m_text.size() && is_continuation(m_text[i])) {
            ++i;
        }
    }
    return i;
}

} // namespace controls
