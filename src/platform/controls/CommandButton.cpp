#include "platform/controls/CommandButton.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/FocusValidation.h"
#include "platform/vb/Error.h"
#include "platform/win/MessageParams.h"
#include "platform/win/User32.h"

namespace controls {

CommandButton::CommandButton(win::HWND parent, const win::RECT& rect, win::DWORD style)
    : m_font(host::StdFont::create())
{
    m_font_subscription = m_font->subscribe([this] { Refresh(); });
    create(k_class, &CommandButton::proc, parent, rect,
        parent != 0 ? (style | win::WS_CHILD) : style, "CommandButton");
}

CommandButton::~CommandButton() = default;

CommandButton* CommandButton::from_hwnd(win::HWND hwnd)
{
    return dynamic_cast<CommandButton*>(ControlWindow::from_hwnd(hwnd));
}

win::LRESULT CommandButton::proc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    CommandButton* self = from_hwnd(hwnd);
    if (self == nullptr) {
        return proc_without_object(hwnd, msg, wparam, lparam);
    }
    switch (msg) {
    case win::WM_PAINT:
        self->paint(gfx::canvas_of(wparam));
        return 0;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
        self->button_down();
        return 0;
    case win::WM_MOUSEMOVE:
        self->mouse_move(win::point_of(lparam));
        return 0;
    case win::WM_LBUTTONUP:
        self->button_up(win::point_of(lparam));
        return 0;
    case win::WM_CAPTURECHANGED:
        self->capture_lost();
        return 0;
    case win::WM_SETFOCUS:
        self->focus_changed(self->on_got_focus);
        return 0;
    case win::WM_KILLFOCUS:
        self->focus_changed(self->on_lost_focus);
        return 0;
    case win::WM_SETTEXT:
        self->Refresh();
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
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

// Properties ------------------------------------------------------------------

void CommandButton::let_Appearance(vb::Integer New_Appearance)
{
    check_choice(New_Appearance, vbAppearance3d, "CommandButton.Appearance");
    m_appearance = New_Appearance;
    Refresh();
}

std::string CommandButton::get_Caption() const
{
    return win::GetWindowText(get_hWnd());
}

void CommandButton::let_Caption(std::string_view New_Caption)
{
    if (get_hWnd() != 0 && win::SetWindowTextA(get_hWnd(), New_Caption) == 0) {
        vb::raise(vb::err::InvalidPropertyValue, "A caption must be UTF-8 without NUL characters",
            "CommandButton.Caption");
    }
}

void CommandButton::set_Picture(gfx::Image New_Picture)
{
    m_picture = std::move(New_Picture);
    Refresh();
}

void CommandButton::let_MaskColor(gfx::OLE_COLOR New_MaskColor)
{
    check_color(New_MaskColor, "CommandButton.MaskColor");
    m_mask_color = New_MaskColor;
    Refresh();
}

void CommandButton::let_UseMaskColor(vb::Boolean New_UseMaskColor)
{
    m_use_mask_color = New_UseMaskColor;
    Refresh();
}

void CommandButton::let_BackColor(gfx::OLE_COLOR New_BackColor)
{
    check_color(New_BackColor, "CommandButton.BackColor");
    m_back_color = New_BackColor;
    Refresh();
}

void CommandButton::set_Font(host::StdFontRef New_Font)
{
    if (!New_Font) {
        vb::raise(vb::err::ObjectRequired, "CommandButton.Font");
    }
    m_font = std::move(New_Font);
    m_font_subscription = m_font->subscribe([this] { Refresh(); });
    Refresh();
}

// The press -------------------------------------------------------------------

void CommandButton::button_down()
{
    const win::HWND hwnd = get_hWnd();
    const auto alive = life();
    const bool focused = move_focus(hwnd);
    if (alive.expired() || !focused || m_pressed) {
        return;
    }
    m_pressed = true;
    m_over = true;
    win::SetCapture(hwnd);
    if (!alive.expired()) {
        Refresh();
    }
}

void CommandButton::mouse_move(win::POINT p)
{
    if (!m_pressed || inside(p) == m_over) {
        return;
    }
    m_over = inside(p);
    Refresh();
}

// 1. The press ends. 2. The capture goes back (its loss is expected now).
// 3. A release over the button clicks it.
void CommandButton::button_up(win::POINT p)
{
    if (!m_pressed) {
        return;
    }
    const bool click = inside(p);
    m_pressed = false;
    m_over = false;
    Refresh();
    const auto alive = life();
    if (win::GetCapture() == get_hWnd()) {
        win::ReleaseCapture();
    }
    if (!alive.expired() && click) {
        (void)notify(on_click);
    }
}

// The capture was taken away during the press: no click.
void CommandButton::capture_lost()
{
    if (!m_pressed) {
        return;
    }
    m_pressed = false;
    m_over = false;
    Refresh();
}

bool CommandButton::inside(win::POINT p) const
{
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    return win::PtInRect(&client, p) != 0;
}

void CommandButton::focus_changed(const std::function<void()>& callback)
{
    Refresh();
    (void)notify(callback);
}

win::LRESULT CommandButton::validate()
{
    vb::Boolean Cancel = false;
    if (!notify(on_validate, Cancel)) {
        return 0;
    }
    return Cancel ? 1 : 0;
}

// Drawing ---------------------------------------------------------------------

// 1. The face. 2. The border of the Appearance, pushed in while pressed.
// 3. The picture or the caption, a pixel right and down while pushed in.
// 4. The focus frame.
void CommandButton::paint(gfx::Canvas* canvas) const
{
    if (canvas == nullptr) {
        return;
    }
    win::RECT client;
    win::GetClientRect(get_hWnd(), &client);
    canvas->fill_rect(client, m_back_color);
    const bool flat = m_appearance == vbAppearanceFlat;
    canvas->draw_edge(
        client, flat ? gfx::Edge::Flat : (pushed() ? gfx::Edge::Pressed : gfx::Edge::Raised));
    const int border = gfx::edge_width(flat ? gfx::Edge::Flat : gfx::Edge::Raised);
    const int shift = pushed() ? 1 : 0;
    const win::RECT face{client.left + border + shift, client.top + border + shift,
        client.right - border + shift, client.bottom - border + shift};
    {
        const gfx::Canvas::ClipScope clip(*canvas,
            {client.left + border, client.top + border, client.right - border,
                client.bottom - border});
        if (!m_picture.empty()) {
            canvas->draw_image_centered(m_picture, face,
                m_use_mask_color ? std::optional<gfx::OLE_COLOR>(m_mask_color) : std::nullopt);
        } else {
            canvas->draw_text(get_Caption(), face, m_font->font(),
                get_Enabled() ? gfx::vbButtonText : gfx::vbGrayText,
                {gfx::HAlign::Center, gfx::VAlign::Center, 0});
        }
    }
    if (win::GetFocus() == get_hWnd() && get_hWnd() != 0) {
        canvas->draw_focus_rect({client.left + border + 1, client.top + border + 1,
            client.right - border - 1, client.bottom - border - 1});
    }
}

} // namespace controls
