// The Morvex shell: its children in their design-time state, the wiring of
// their notifications, the events it raises for the host's lifecycle calls,
// and its end.
#include "pendrel/Morvex.h"

#include <array>

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

Morvex::~Morvex() = default;

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
}

// One line per notification, each to the handler named after its source.
void Morvex::wire_children()
{
    auto& txt = *m_txtFieldCmb;
    txt.on_key_down
        = [this](vb::Integer& KeyCode, vb::Integer& Shift) { txtFieldCmb_KeyDown(KeyCode, Shift); };
    txt.on_key_press = [this](vb::Integer& KeyAscii) { txtFieldCmb_KeyPress(KeyAscii); };
    txt.on_validate = [this](vb::Boolean& Cancel) { txtFieldCmb_Validate(Cancel); };
    // FIXME: txt.on_key_up -> txtFieldCmb_KeyUp, txt.on_change -> txtFieldCmb_Change and
    // txt.on_got_focus -> txtFieldCmb_GotFocus (type-ahead and the commit of an edited text);
    // m_DropdownButton->on_click -> DropdownButton_Click (opening and closing the list);
    // m_DropdownList->on_mouse_move -> DropdownList_MouseMove (the row under the pointer).
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

void Morvex::Terminate()
{
    // 1. FIXME: while modGridCombo::state().GridSubclassed is True, call
    // ShowDropDown with Show = 0 here to close the open list first.
    // 2. The grid lets go of the object when it goes with the control; the
    // last reference closes the recordset.
    m_data_source.reset();
}

} // namespace pendrel
