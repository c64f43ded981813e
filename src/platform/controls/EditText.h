#pragma once
// The contents of a single-line text box without any window: a UTF-8 text,
// the caret and the selection anchor. Every position and length counts
// characters (code points), never bytes; the selection runs between the
// anchor and the caret, in either order.

#include <string>
#include <string_view>

namespace controls {

class EditText {
public:
    // The most characters a text box holds.
    static constexpr int k_max_length = 65535;

    [[nodiscard]] const std::string& text() const { return m_text; }
    [[nodiscard]] int length() const { return m_length; }
    [[nodiscard]] int caret() const { return m_caret; }
    [[nodiscard]] int anchor() const { return m_anchor; }
    [[nodiscard]] int sel_start() const { return m_caret < m_anchor ? m_caret : m_anchor; }
    [[nodiscard]] int sel_length() const;
    [[nodiscard]] std::string selected_text() const;

    // Whether a text may be stored: valid UTF-8 without NUL, at most
    // k_max_length characters.
    [[nodiscard]] static bool acceptable(std::string_view text);

    // The UTF-8 bytes of one code point (which must be a Unicode scalar).
    [[nodiscard]] static std::string utf8_of(char32_t ch);

    // Takes a new text (which must be acceptable) with the caret at the
    // start and nothing selected. Returns whether the text differs.
    bool set_text(std::string_view text);

    // Selects `length` characters from `start`, both clamped to the text;
    // the caret goes to the selection's end.
    void select(int start, int length);
    // Moves the caret; without `extend` the anchor follows (nothing
    // selected), with it the anchor stays.
    void set_caret(int position, bool extend);

    // Whether replacing the selection with `text` keeps the text acceptable.
    [[nodiscard]] bool fits(std::string_view text) const;
    // Replaces the selection with `text` and puts the caret after it, nothing
    // selected. Refused (false, nothing changes) when the result would not be
    // acceptable. Returns whether the text changed.
    bool replace_selection(std::string_view text);
    // Backspace: the selection, or the character before the caret.
    bool erase_backward();
    // Delete: the selection, or the character after the caret.
    bool erase_forward();

    // Caret movements of the keys Left, Right, Home and End.
    enum class Move {
        Left,
        Right,
        Home,
        End,
    };
    void move(Move move, bool extend);

private:
    // The byte offset of a character position (0 .. length).
    [[nodiscard]] std::size_t byte_of(int position) const;
    bool erase(int start, int count);

    std::string m_text;
    int m_length = 0;
    int m_caret = 0;
    int m_anchor = 0;
};

} // namespace controls
