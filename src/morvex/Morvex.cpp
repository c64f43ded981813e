// The Morvex shell: its children in their design-time state, the wiring of
// their notifications, the events it raises for the host's lifecycle calls,
// and its end.
#include "pendrel/Morvex.h"

#include <array>

#include "diag/Steps.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/clsDataSource.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/DropDownPicture.h"
#include "platform/controls/TextBox.h"
#include "platform/gfx/Units.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/host/Site.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

// __Morvex: every argument goes by reference.
constexpr std::array k_events{
    host::EventInfo{event::AfterUpdate, "AfterUpdate", 0},
    host::EventInfo{event::BeforeUpdate, "BeforeUpdate", 0},
    host::EventInfo{event::Change, "Change", 0},
    host::EventInfo{event::ExitFocus, "ExitFocus", 0},
    host::EventInfo{event::Hide, "Hide", 0},
    host::EventInfo{event::KeyDown, "KeyDown", 2},
    host::EventInfo{event::KeyPress, "KeyPress", 1},
    host::EventInfo{event::KeyUp, "KeyUp", 2},
    host::EventInfo{event::NotInList, "NotInList", 1},
    host::EventInfo{event::Paint, "Paint", 0},
    host::EventInfo{event::Resize, "Resize", 0},
    host::EventInfo{event::Show, "Show", 0},
    host::EventInfo{event::Validate, "Validate", 1},
    host::EventInfo{event::Z, "Z", 0},
};

// Twips: how far below the control the closed list waits, and the
// button's width.
constexpr vb::Single k_list_parking = 300;
constexpr vb::Single k_button_width = 300;

// A design-time rectangle in twips, as the pixels a child window is made at.
win::RECT design_rect(double left, double top, double width, double height)
{
    const auto px = [](double twips) { return gfx::to_pixels(gfx::Twips{twips}).value; };
    const int x = px(left);
    const int y = px(top);
    return win::RECT{x, y, x + px(width), y + px(height)};
}

} // namespace

Morvex::Morvex(host::ControlSurface& surface) : host::UserControl(surface)
{
    create_children();
    wire_children();
}

Morvex::~Morvex()
{
    host::Extender::forget_extent(m_DropdownList->get_hWnd());
}

host::ControlFactory Morvex::factory()
{
    return [](host::ControlSurface& surface) { return std::make_unique<Morvex>(surface); };
}

Morvex& Morvex::of(const host::Site& site)
{
    auto* control = dynamic_cast<Morvex*>(&site.control());
    if (control == nullptr) {
        vb::raise(
            vb::err::TypeMismatch, "The control '" + site.name() + "' is not a Morvex", "Morvex");
    }
    return *control;
}

std::span<const host::EventInfo> Morvex::event_table() const
{
    return k_events;
}

// The children as the control was designed: the text field and the button
// side by side, the list grid hidden below them with the classic list font.
void Morvex::create_children()
{
    const win::HWND parent = surface().get_hWnd();
    m_txtFieldCmb = std::make_unique<controls::TextBox>(
        parent, design_rect(0, 0, 2655, 375), win::WS_VISIBLE);
    m_DropdownButton = std::make_unique<controls::CommandButton>(
        parent, design_rect(2640, 0, 375, 375), win::WS_VISIBLE);
    m_DropdownButton->set_Picture(controls::drop_down_picture());
    m_DropdownButton->let_MaskColor(controls::drop_down_mask_color);
    m_DropdownButton->let_UseMaskColor(true);
    m_DropdownList = grid::DataGrid::create(parent, design_rect(0, 360, 3015, 1455), 0);
    m_DropdownList->set_Font(host::StdFont::create(gfx::default_font()));
    m_DropdownList->set_HeadFont(host::StdFont::create(gfx::default_font()));
    // The grid is a control of its own: its size stays what the control gave
    // it, wherever the open list's window goes and however small the closed
    // one's window is.
    host::Extender::keep_extent(m_DropdownList->get_hWnd());
}

// One line per notification, each to the handler named after its source.
void Morvex::wire_children()
{
    auto& txt = *m_txtFieldCmb;
    txt.on_key_down
        = [this](vb::Integer& KeyCode, vb::Integer& Shift) { txtFieldCmb_KeyDown(KeyCode, Shift); };
    txt.on_key_press = [this](vb::Integer& KeyAscii) { txtFieldCmb_KeyPress(KeyAscii); };
    txt.on_validate = [this](vb::Boolean& Cancel) { txtFieldCmb_Validate(Cancel); };
    txt.on_key_up
        = [this](vb::Integer& KeyCode, vb::Integer& Shift) { txtFieldCmb_KeyUp(KeyCode, Shift); };
    txt.on_change = [this] { txtFieldCmb_Change(); };
    txt.on_got_focus = [this] { txtFieldCmb_GotFocus(); };
    m_DropdownButton->on_click = [this] { DropdownButton_Click(); };
    m_DropdownList->on_mouse_move
        = [this](vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y) {
              DropdownList_MouseMove(Button, Shift, X, Y);
          };
}

// The text field's key and validation notifications reach the host as the
// control's own events; what the host changes in the arguments goes back to
// the text field (a KeyAscii of 0 types nothing, a True Cancel keeps the
// focus).
void Morvex::txtFieldCmb_KeyDown(vb::Integer& KeyCode, vb::Integer& Shift)
{
    surface().raise(event::KeyDown, KeyCode, Shift);
}

void Morvex::txtFieldCmb_KeyPress(vb::Integer& KeyAscii)
{
    surface().raise(event::KeyPress, KeyAscii);
}

void Morvex::txtFieldCmb_Validate(vb::Boolean& Cancel)
{
    surface().raise(event::Validate, Cancel);
}

void Morvex::Show()
{
    surface().RaiseEvent(event::Show);
}

void Morvex::Hide()
{
    surface().RaiseEvent(event::Hide);
}

void Morvex::Paint()
{
    surface().RaiseEvent(event::Paint);
}

void Morvex::Resize()
{
    UserControl_Resize();
}

// Twips, in the control's inner area of W x H.
void Morvex::UserControl_Resize()
{
    diag::Steps s("UserControl_Resize", m_fLogging);
    host::Extender text(m_txtFieldCmb->get_hWnd());
    host::Extender button(m_DropdownButton->get_hWnd());
    host::Extender list = m_DropdownList->extender();
    vb::Single w = 0;
    vb::Single h = 0;
    s.step("0", [&] {
        w = surface().get_ScaleWidth();
        h = surface().get_ScaleHeight();
    });
    s.step("1", [&] { list.let_Top(h + k_list_parking); });
    s.step("2", [&] { text.let_Height(h - 15); });
    s.step("3", [&] { text.let_Top(0); });
    s.step("4", [&] { text.let_Left(0); });
    s.step("5", [&] { button.let_Width(k_button_width); });
    s.step("6", [&] { text.let_Width(w); });
    s.step("7", [&] { button.let_Left(w - button.get_Width() - 15); });
    s.step("8", [&] { button.let_Height(h - 50); });
    s.step("9", [&] { button.let_Top(25); });
    // 10. An open list would no longer sit at the control.
    if (s.condition("10", [] { return modGridCombo::state().GridSubclassed; })) {
        vb::Integer close = 0;
        s.step("10.1", [&] { ShowDropDown(close); });
    }
}

void Morvex::Terminate()
{
    // 1. An open list closes first.
    if (modGridCombo::state().GridSubclassed) {
        vb::Integer close = 0;
        ShowDropDown(close);
    }
    // 2. The grid lets go of the object when it goes with the control; the
    // last reference closes the recordset.
    m_data_source.reset();
}

} // namespace pendrel
