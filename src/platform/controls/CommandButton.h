#pragma once
// The command button: a window of the class "PendrelCommandButton" that
// shows a caption or a picture on a raised face and reports on_click when
// the left button is pressed and released over it.
//
// A press takes the focus (by the validation rule of FocusValidation.h; a
// Cancel of the control being left ignores the press) and the mouse capture,
// and shows the button pushed in while the pointer stays over it. The
// release gives the capture back first and then, if it happened over the
// button, calls on_click. A release elsewhere, or a capture taken away
// during the press, clicks nothing.
//
// The picture is drawn centred (shifted a pixel right and down while pushed
// in); with UseMaskColor its pixels of MaskColor are left out. Not provided:
// the keyboard (Space, Enter), default and cancel buttons.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls/ControlWindow.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Image.h"
#include "platform/host/StdFont.h"

namespace controls {

class CommandButton final : public ControlWindow {
public:
    static constexpr std::string_view k_class = "PendrelCommandButton";

    // A button at `rect` (pixels; in the parent's client area, or on the
    // screen when parent is 0). WS_CHILD is added for a parent.
    CommandButton(win::HWND parent, const win::RECT& rect, win::DWORD style = win::WS_VISIBLE);
    ~CommandButton() override;

    [[nodiscard]] static CommandButton* from_hwnd(win::HWND hwnd);

    // vbAppearanceFlat (0) or vbAppearance3d (1, the default); 380 otherwise.
    [[nodiscard]] vb::Integer get_Appearance() const { return m_appearance; }
    void let_Appearance(vb::Integer New_Appearance);

    // The caption is the window text; shown when there is no picture.
    [[nodiscard]] std::string get_Caption() const;
    void let_Caption(std::string_view New_Caption);

    // The picture; an empty image shows none.
    [[nodiscard]] const gfx::Image& get_Picture() const { return m_picture; }
    void set_Picture(gfx::Image New_Picture);
    // The picture's transparent colour, used while UseMaskColor is True
    // (default C0C0C0 and False).
    [[nodiscard]] gfx::OLE_COLOR get_MaskColor() const { return m_mask_color; }
    void let_MaskColor(gfx::OLE_COLOR New_MaskColor);
    [[nodiscard]] vb::Boolean get_UseMaskColor() const { return m_use_mask_color; }
    void let_UseMaskColor(vb::Boolean New_UseMaskColor);

    [[nodiscard]] gfx::OLE_COLOR get_BackColor() const { return m_back_color; }
    void let_BackColor(gfx::OLE_COLOR New_BackColor);

    [[nodiscard]] const host::StdFontRef& get_Font() const { return m_font; }
    void set_Font(host::StdFontRef New_Font);

    // Whether moving the focus to the button makes the control being left
    // validate (default True).
    [[nodiscard]] vb::Boolean get_CausesValidation() const { return m_causes_validation; }
    void let_CausesValidation(vb::Boolean New_CausesValidation)
    {
        m_causes_validation = New_CausesValidation;
    }

    // Whether the button shows pushed in right now.
    [[nodiscard]] bool pushed() const { return m_pressed && m_over; }

    // Notifications; each is called only when set.
    std::function<void()> on_click;
    std::function<void()> on_got_focus;
    std::function<void()> on_lost_focus;
    std::function<void(vb::Boolean& Cancel)> on_validate;

private:
    static win::LRESULT proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam);

    void button_down();
    void mouse_move(win::POINT p);
    void button_up(win::POINT p);
    void capture_lost();
    void focus_changed(const std::function<void()>& callback);
    win::LRESULT validate();
    void paint(gfx::Canvas* canvas) const;
    [[nodiscard]] bool inside(win::POINT p) const;

    bool m_pressed = false; // the left button went down on it and is still down
    bool m_over = false; // the pointer is over it during the press
    vb::Integer m_appearance = vbAppearance3d;
    gfx::Image m_picture;
    gfx::OLE_COLOR m_mask_color = gfx::RGB(0xC0, 0xC0, 0xC0);
    vb::Boolean m_use_mask_color = false;
    gfx::OLE_COLOR m_back_color = gfx::vbButtonFace;
    host::StdFontRef m_font;
    std::shared_ptr<void> m_font_subscription;
    vb::Boolean m_causes_validation = true;
};

} // namespace controls
