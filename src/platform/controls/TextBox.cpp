// The text box's construction and properties. Its message handling is in
// TextBoxInput.cpp, its drawing in TextBoxPaint.cpp.

#include "platform/controls/TextBox.h"

#include <string>

#include "platform/controls/FocusValidation.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace controls {

namespace {

void check_text(std::string_view text, const char* source)
{
    if (!EditText::acceptable(text)) {
        vb::raise(vb::err::InvalidPropertyValue,
            "A text must be UTF-8 without NUL characters and at most "
                + std::to_string(EditText::k_max_length) + " characters long",
            source);
    }
}

void check_position(vb::Long value, const char* source)
{
    if (value < 0) {
        vb::raise(vb::err::InvalidPropertyValue, "A position or length cannot be negative", source);
    }
}

} // namespace

TextBox::TextBox(win::HWND parent, const win::RECT& rect, win::DWORD style)
    : m_font(host::StdFont::create())
{
    subscribe_font();
    create(k_class, &TextBox::proc, parent, rect, parent != 0 ? (style | win::WS_CHILD) : style,
        "TextBox");
}

TextBox::~TextBox() = default;

TextBox* TextBox::from_hwnd(win::HWND hwnd)
{
    return dynamic_cast<TextBox*>(ControlWindow::from_hwnd(hwnd));
}

void TextBox::let_Text(std::string_view New_Text)
{
    check_text(New_Text, "TextBox.Text");
    const std::string text(New_Text); // NUL-terminated for the message
    if (const win::HWND hwnd = get_hWnd(); hwnd != 0) {
        win::SendMessageA(hwnd, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
        return;
    }
    (void)edited(m_edit.set_text(text));
}

void TextBox::let_SelStart(vb::Long New_SelStart)
{
    check_position(New_SelStart, "TextBox.SelStart");
    m_edit.select(New_SelStart, 0);
    layout_changed();
}

void TextBox::let_SelLength(vb::Long New_SelLength)
{
    check_position(New_SelLength, "TextBox.SelLength");
    m_edit.select(m_edit.sel_start(), New_SelLength);
    layout_changed();
}

void TextBox::let_SelText(std::string_view New_SelText)
{
    check_text(New_SelText, "TextBox.SelText");
    if (!m_edit.fits(New_SelText)) {
        vb::raise(vb::err::InvalidPropertyValue,
            "The text would be longer than " + std::to_string(EditText::k_max_length)
                + " characters",
            "TextBox.SelText");
    }
    (void)edited(m_edit.replace_selection(New_SelText));
}

void TextBox::let_BackColor(gfx::OLE_COLOR New_BackColor)
{
    check_color(New_BackColor, "TextBox.BackColor");
    m_back_color = New_BackColor;
    Refresh();
}

void TextBox::let_ForeColor(gfx::OLE_COLOR New_ForeColor)
{
    check_color(New_ForeColor, "TextBox.ForeColor");
    m_fore_color = New_ForeColor;
    Refresh();
}

void TextBox::set_Font(host::StdFontRef New_Font)
{
    if (!New_Font) {
        vb::raise(vb::err::ObjectRequired, "TextBox.Font");
    }
    m_font = std::move(New_Font);
    subscribe_font();
    layout_changed();
}

// NOTE: the token lives in this object, so the listener (which uses `this`)
// can never outlive it.
void TextBox::subscribe_font()
{
    m_font_subscription = m_font->subscribe([this] { layout_changed(); });
}

void TextBox::let_Appearance(vb::Integer New_Appearance)
{
    check_choice(New_Appearance, vbAppearance3d, "TextBox.Appearance");
    m_appearance = New_Appearance;
    layout_changed();
}

void TextBox::let_BorderStyle(vb::Integer New_BorderStyle)
{
    check_choice(New_BorderStyle, vbFixedSingle, "TextBox.BorderStyle");
    m_border_style = New_BorderStyle;
    layout_changed();
}

vb::Boolean TextBox::get_Locked() const
{
    return read_only();
}

void TextBox::let_Locked(vb::Boolean New_Locked)
{
    const win::HWND hwnd = get_hWnd();
    const auto style = static_cast<win::DWORD>(win::GetWindowLongA(hwnd, win::GWL_STYLE));
    const win::DWORD next = New_Locked ? (style | win::ES_READONLY) : (style & ~win::ES_READONLY);
    win::SetWindowLongA(hwnd, win::GWL_STYLE, static_cast<win::LONG>(next));
}

bool TextBox::read_only() const
{
    const auto style = static_cast<win::DWORD>(win::GetWindowLongA(get_hWnd(), win::GWL_STYLE));
    return (style & win::ES_READONLY) != 0;
}

void TextBox::SetFocus()
{
    const win::HWND hwnd = get_hWnd();
    if (!can_take_focus(hwnd)) {
        vb::raise(vb::err::InvalidProcedureCall,
            "The text box cannot take the focus: it is hidden, disabled or destroyed",
            "TextBox.SetFocus");
    }
    move_focus(hwnd);
}

} // namespace controls
