#include "platform/host/Screen.h"

#include "platform/gfx/Units.h"
#include "platform/vb/Error.h"
#include "platform/win/WindowManager.h"

namespace host {

Screen& Screen::the()
{
    thread_local Screen screen;
    return screen;
}

vb::Single Screen::get_TwipsPerPixelX() const
{
    return static_cast<vb::Single>(gfx::twips_per_pixel(gfx::display_dpi()));
}

vb::Single Screen::get_TwipsPerPixelY() const
{
    return get_TwipsPerPixelX();
}

vb::Single Screen::get_Width() const
{
    return static_cast<vb::Single>(
        gfx::to_twips(gfx::Pixels{win::WindowManager::the().display().width}).value);
}

vb::Single Screen::get_Height() const
{
    return static_cast<vb::Single>(
        gfx::to_twips(gfx::Pixels{win::WindowManager::the().display().height}).value);
}

void Screen::let_MousePointer(vb::Integer New_MousePointer)
{
    if ((New_MousePointer < 0 || New_MousePointer > 15) && New_MousePointer != vbCustom)
        vb::raise(vb::err::InvalidPropertyValue, "Screen");
    m_mouse_pointer = New_MousePointer;
}

} // namespace host
