// The text box's window procedure and its handlers: keys, characters, the
// mouse, the focus, validation and the window text.

#include <algorithm>
#include <cstring>

#include "platform/controls/ControlMessages.h"
#include "platform/controls/FocusValidation.h"
#include "platform/controls/KeyCodes.h"
#include "platform/controls/TextBox.h"
#include "platform/win/MessageParams.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace controls {

namespace {

bool is_scalar(char32_t ch)
{
    return ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF);
}

} // namespace

win::LRESULT TextBox::proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    TextBox* self = from_hwnd(hwnd);
    if (self == nullptr) {
        return proc_without_object(hwnd, msg, wparam, lparam);
    }
    switch (msg) {
    case win::WM_PAINT:
        self->paint(gfx::canvas_of(wparam));
        return 0;
    case win::WM_KEYDOWN:
        self->key_down(static_cast<int>(wparam));
        return 0;
    case win::WM_CHAR:
        self->character(static_cast<char32_t>(wparam));
        return 0;
    case win::WM_KEYUP:
        self->key_up(static_cast<int>(wparam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        self->button_down(win::point_of(lparam));
        return 0;
    case win::WM_MOUSEMOVE:
        self->mouse_move(win::point_of(lparam));
        return 0;
    case win::WM_LBUTTONUP:
        self->button_up();
        return 0;
    case win::WM_CAPTURECHANGED:
        self->capture_lost();
        return 0;
    case win::WM_SETFOCUS:
        self->got_focus();
        return 0;
    case win::WM_KILLFOCUS:
        self->lost_focus();
        return 0;
    case win::WM_SETTEXT:
        return self->set_text(reinterpret_cast<const char*>(lparam));
    case win::WM_GETTEXT:
        return self->copy_text(wparam, reinterpret_cast<char*>(lparam));
    case win::WM_GETTEXTLENGTH:
        return static_cast<win::LRESULT>(self->get_Text().size());
    case win::WM_SIZE:
        self->layout_changed();
        return 0;
    case win::WM_ENABLE:
        self->Refresh();
        return 0;
    case CM_CAUSESVALIDATION:
        return self->m_causes_validation ? 1 : 0;
    case CM_VALIDATE:
        return self->validate();
    case win::WM_NCDESTROY:
        return self->on_nc_destroy(hwnd, wparam, lparam);
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

// Keys --------------------------------------------------------------------

void TextBox::key_down(int vk)
{
    vb::Integer KeyCode = static_cast<vb::Integer>(vk);
    vb::Integer Shift = shift_state();
    if (!notify(on_key_down, KeyCode, Shift)) {
        return;
    }
    edit_key(KeyCode, Shift);
}

// What a key does after its key-down notification, with the (possibly
// changed) code: Up and Down act as Left and Right, as in a single-line edit
// control of the platform.
void TextBox::edit_key(vb::Integer key_code, vb::Integer shift)
{
    const bool extend = (shift & vbShiftMask) != 0;
    switch (key_code) {
    case vbKeyLeft:
    case vbKeyUp:
        m_edit.move(EditText::Move::Left, extend);
        break;
    case vbKeyRight:
    case vbKeyDown:
        m_edit.move(EditText::Move::Right, extend);
        break;
    case vbKeyHome:
        m_edit.move(EditText::Move::Home, extend);
        break;
    case vbKeyEnd:
        m_edit.move(EditText::Move::End, extend);
        break;
    case vbKeyDelete:
        (void)edited(!read_only() && m_edit.erase_forward());
        return;
    default:
        return;
    }
    (void)edited(false);
}

void TextBox::character(char32_t ch)
{
    if (ch == 0 || !is_scalar(ch)) {
        return; // not a character (a message made by hand)
    }
    const vb::Integer shown = key_ascii_of(ch);
    vb::Integer KeyAscii = shown;
    if (!notify(on_key_press, KeyAscii) || KeyAscii == 0) {
        return;
    }
    type_character(KeyAscii == shown ? ch : char_of_key_ascii(KeyAscii));
}

// Backspace erases; other control characters (Enter among them) type
// nothing in a single-line box; a full box refuses more.
void TextBox::type_character(char32_t ch)
{
    if (ch == 0 || read_only()) {
        return;
    }
    if (ch == static_cast<char32_t>(vbKeyBack)) {
        (void)edited(m_edit.erase_backward());
        return;
    }
    if (ch < 0x20 || ch == 0x7F) {
        return;
    }
    (void)edited(m_edit.replace_selection(EditText::utf8_of(ch)));
}

void TextBox::key_up(int vk)
{
    vb::Integer KeyCode = static_cast<vb::Integer>(vk);
    vb::Integer Shift = shift_state();
    (void)notify(on_key_up, KeyCode, Shift);
}

// After any change of text, caret or selection: keep the caret in view,
// repaint, and raise on_change when the text really changed. Returns whether
// the object is still alive.
bool TextBox::edited(bool changed)
{
    layout_changed();
    return !changed || notify(on_change);
}

// The mouse ---------------------------------------------------------------

// A press takes the focus (a Cancel of the control being left ignores the
// press), places the caret (Shift extends the selection) and captures the
// mouse for drag selecting.
void TextBox::button_down(win::POINT p)
{
    const win::HWND hwnd = get_hWnd();
    const auto alive = life();
    const bool focused = move_focus(hwnd);
    if (alive.expired() || !focused) {
        return;
    }
    const bool extend = win::WindowManager::the().key_is_down(win::VK_SHIFT);
    m_edit.set_caret(index_at(p.x), extend);
    layout_changed();
    win::SetCapture(hwnd);
    if (!alive.expired() && win::GetCapture() == hwnd) {
        m_dragging = true;
    }
}

void TextBox::mouse_move(win::POINT p)
{
    if (!m_dragging) {
        return;
    }
    m_edit.set_caret(index_at(p.x), true);
    layout_changed();
}

// A release that ends no drag (the list posts one to the box after every
// release over it) does nothing.
void TextBox::button_up()
{
    end_drag();
}

void TextBox::capture_lost()
{
    m_dragging = false;
}

void TextBox::end_drag()
{
    if (!m_dragging) {
        return;
    }
    m_dragging = false;
    if (win::GetCapture() == get_hWnd()) {
        win::ReleaseCapture();
    }
}

// The focus -----------------------------------------------------------------

void TextBox::got_focus()
{
    layout_changed();
    (void)notify(on_got_focus);
}

void TextBox::lost_focus()
{
    const auto alive = life();
    end_drag();
    if (alive.expired()) {
        return;
    }
    Refresh();
    (void)notify(on_lost_focus);
}

win::LRESULT TextBox::validate()
{
    vb::Boolean Cancel = false;
    if (!notify(on_validate, Cancel)) {
        return 0;
    }
    return Cancel ? 1 : 0;
}

// The window text -------------------------------------------------------------

// As the platform's edit control: the caret goes to the start, also when the
// text stays the same; on_change only when it differs. A text the box cannot
// hold is refused whole (FALSE), never cut.
win::LRESULT TextBox::set_text(const char* text)
{
    const std::string_view value = text == nullptr ? std::string_view{} : std::string_view{text};
    if (!EditText::acceptable(value)) {
        return 0;
    }
    (void)edited(m_edit.set_text(value));
    return 1;
}

// Copies as much as fits in size - 1 bytes without cutting a character, and
// a NUL. Returns the bytes copied.
win::LRESULT TextBox::copy_text(win::WPARAM size, char* buffer) const
{
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::string& text = m_edit.text();
    std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    while (count > 0 && count < text.size()
        && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80) {
        --count;
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<win::LRESULT>(count);
}

} // namespace controls
