#pragma once
// The single-line text box: a window of the class "PendrelTextBox" that
// holds a UTF-8 text, a caret and a selection, edits them from the keyboard
// and the mouse, paints itself with the canvas, and tells its owner what
// happens through callback members, in the platform's order:
//
//   key down  -> on_key_down(KeyCode, Shift)   (KeyCode 0: the key does nothing)
//   character -> on_key_press(KeyAscii)        (KeyAscii 0: nothing is typed)
//             -> on_change()                   (only when the text really changed)
//   key up    -> on_key_up(KeyCode, Shift)
//
// Backspace edits through its character (8), as on the platform, so a
// key-press handler can suppress it; Delete, the arrows, Home and End edit
// at key down. Enter (13) and other control characters type nothing.
// on_change follows every real change of the text, whatever made it:
// typing, Text, SelText or WM_SETTEXT. Setting the same text again raises
// nothing.
//
// Focus: on_got_focus and on_lost_focus follow WM_SETFOCUS and
// WM_KILLFOCUS. on_validate(Cancel) runs when the focus is about to leave
// for a control that causes validation (FocusValidation.h); Cancel keeps it.
// A click gives the box the focus by the same rule.
//
// Positions (SelStart, SelLength) count characters, never bytes. With
// ES_READONLY in the window style (Locked) the keys still move the caret and
// raise their notifications, but nothing edits the text except the program
// (Text, SelText, WM_SETTEXT).
//
// Not provided: clipboard keys, word-wise movement with Ctrl, double-click
// word selection, a blinking caret (no timers: the caret shows while the box
// has the focus), multi-line text.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls/ControlWindow.h"
#include "platform/controls/EditText.h"
#include "platform/controls/LineMetrics.h"
#include "platform/gfx/Canvas.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Object.h"
#include "platform/vb/Types.h"

namespace controls {

class TextBox final : public ControlWindow {
public:
    static constexpr std::string_view k_class = "PendrelTextBox";

    // A text box at `rect` (pixels; in the parent's client area, or on the
    // screen when parent is 0). WS_CHILD is added for a parent; ES_READONLY
    // in `style` makes it read-only. Empty text, the host's default font.
    TextBox(win::HWND parent, const win::RECT& rect, win::DWORD style = win::WS_VISIBLE);
    ~TextBox() override;

    [[nodiscard]] static TextBox* from_hwnd(win::HWND hwnd);

    // Text. Setting it sends WM_SETTEXT to the window (so a subclass sees
    // it): the caret goes to the start. Raises 380 for a text that is not
    // UTF-8, holds NUL, or is longer than EditText::k_max_length characters.
    [[nodiscard]] const std::string& get_Text() const { return m_edit.text(); }
    void let_Text(std::string_view New_Text);

    // The selection, in characters. A start or length beyond the text is cut
    // to it; a negative one raises 380. Setting SelStart selects nothing;
    // setting SelLength keeps SelStart.
    [[nodiscard]] vb::Long get_SelStart() const { return m_edit.sel_start(); }
    void let_SelStart(vb::Long New_SelStart);
    [[nodiscard]] vb::Long get_SelLength() const { return m_edit.sel_length(); }
    void let_SelLength(vb::Long New_SelLength);
    // Replaces the selection (also in a read-only box); raises 380 as Text.
    [[nodiscard]] std::string get_SelText() const { return m_edit.selected_text(); }
    void let_SelText(std::string_view New_SelText);

    // Colours, OLE_COLOR; 380 for a value that is no colour.
    [[nodiscard]] gfx::OLE_COLOR get_BackColor() const { return m_back_color; }
    void let_BackColor(gfx::OLE_COLOR New_BackColor);
    [[nodiscard]] gfx::OLE_COLOR get_ForeColor() const { return m_fore_color; }
    void let_ForeColor(gfx::OLE_COLOR New_ForeColor);

    // The font object, shared by reference: changing it (through any of its
    // holders) changes this box. Set raises 424 for no object.
    [[nodiscard]] const host::StdFontRef& get_Font() const { return m_font; }
    void set_Font(host::StdFontRef New_Font);
    // Attributes of the font object (they change the shared object).
    [[nodiscard]] vb::Boolean get_FontBold() const { return m_font->get_Bold(); }
    void let_FontBold(vb::Boolean New_FontBold) { m_font->let_Bold(New_FontBold); }
    [[nodiscard]] vb::Boolean get_FontItalic() const { return m_font->get_Italic(); }
    void let_FontItalic(vb::Boolean New_FontItalic) { m_font->let_Italic(New_FontItalic); }
    [[nodiscard]] vb::Single get_FontSize() const { return m_font->get_Size(); }
    void let_FontSize(vb::Single New_FontSize) { m_font->let_Size(New_FontSize); }
    [[nodiscard]] vb::Boolean get_FontUnderline() const { return m_font->get_Underline(); }
    void let_FontUnderline(vb::Boolean New_FontUnderline)
    {
        m_font->let_Underline(New_FontUnderline);
    }

    // vbAppearanceFlat (0) or vbAppearance3d (1, the default); BorderStyle
    // vbBSNone (0) or vbFixedSingle (1, the default). 380 otherwise.
    [[nodiscard]] vb::Integer get_Appearance() const { return m_appearance; }
    void let_Appearance(vb::Integer New_Appearance);
    [[nodiscard]] vb::Integer get_BorderStyle() const { return m_border_style; }
    void let_BorderStyle(vb::Integer New_BorderStyle);

    // Whether moving the focus to this box makes the control being left
    // validate (default True).
    [[nodiscard]] vb::Boolean get_CausesValidation() const { return m_causes_validation; }
    void let_CausesValidation(vb::Boolean New_CausesValidation)
    {
        m_causes_validation = New_CausesValidation;
    }

    // ES_READONLY in the window style.
    [[nodiscard]] vb::Boolean get_Locked() const;
    void let_Locked(vb::Boolean New_Locked);

    // Data binding names, kept for the binding code.
    [[nodiscard]] const std::string& get_DataField() const { return m_data_field; }
    void let_DataField(std::string_view New_DataField) { m_data_field = New_DataField; }
    [[nodiscard]] const vb::ObjectRef& get_DataSource() const { return m_data_source; }
    void set_DataSource(vb::ObjectRef New_DataSource) { m_data_source = std::move(New_DataSource); }

    // Gives the box the focus (validating the control being left first).
    // Raises 5 when the box is hidden, disabled, or its window is gone.
    void SetFocus();

    // Notifications; each is called only when set.
    std::function<void(vb::Integer& KeyCode, vb::Integer& Shift)> on_key_down;
    std::function<void(vb::Integer& KeyAscii)> on_key_press;
    std::function<void(vb::Integer& KeyCode, vb::Integer& Shift)> on_key_up;
    std::function<void()> on_change;
    std::function<void()> on_got_focus;
    std::function<void()> on_lost_focus;
    std::function<void(vb::Boolean& Cancel)> on_validate;

    // The pixel column of the caret in the box's window (for tests and for
    // placing things next to it).
    [[nodiscard]] int caret_x() const;

private:
    static win::LRESULT proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam);

    // Message handlers (TextBoxInput.cpp).
    void key_down(int vk);
    void character(char32_t ch);
    void key_up(int vk);
    void button_down(win::POINT p);
    void mouse_move(win::POINT p);
    void button_up();
    void capture_lost();
    void got_focus();
    void lost_focus();
    win::LRESULT validate();
    win::LRESULT set_text(const char* text);
    win::LRESULT copy_text(win::WPARAM size, char* buffer) const;
    // Editing steps shared by the handlers and the properties.
    void edit_key(vb::Integer key_code, vb::Integer shift);
    void type_character(char32_t ch);
    bool edited(bool changed);
    [[nodiscard]] bool read_only() const;
    void end_drag();

    // Drawing and geometry (TextBoxPaint.cpp).
    void paint(gfx::Canvas* canvas) const;
    void paint_selection(gfx::Canvas& canvas, const win::RECT& area) const;
    [[nodiscard]] int border_width() const;
    [[nodiscard]] win::RECT text_area() const;
    [[nodiscard]] int index_at(int x) const;
    // The metrics of the text as it is now, kept until the text, the font or
    // the dpi changes.
    [[nodiscard]] const LineMetrics& line_metrics(int dpi) const;
    void scroll_to_caret();
    void layout_changed();

    void subscribe_font();

    EditText m_edit;
    mutable std::optional<LineMetrics> m_line;
    int m_scroll = 0; // pixels of text scrolled out on the left
    bool m_dragging = false;
    gfx::OLE_COLOR m_back_color = gfx::vbWindowBackground;
    gfx::OLE_COLOR m_fore_color = gfx::vbWindowText;
    host::StdFontRef m_font;
    std::shared_ptr<void> m_font_subscription;
    vb::Integer m_appearance = vbAppearance3d;
    vb::Integer m_border_style = vbFixedSingle;
    vb::Boolean m_causes_validation = true;
    std::string m_data_field;
    vb::ObjectRef m_data_source;
};

} // namespace controls
