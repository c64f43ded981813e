#include "platform/host/ControlSurface.h"

#include "platform/gfx/Compositor.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Units.h"
#include "platform/host/Site.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace host {

ControlSurface::ControlSurface(Site& site) : m_site(site)
{
    set_Font(StdFont::create());
}

win::HWND ControlSurface::get_hWnd() const
{
    return m_site.hwnd();
}

vb::Boolean ControlSurface::get_Enabled() const
{
    return win::IsWindowEnabled(get_hWnd()) != 0;
}

void ControlSurface::let_Enabled(vb::Boolean New_Enabled)
{
    win::EnableWindow(get_hWnd(), New_Enabled ? 1 : 0);
}

void ControlSurface::set_Font(StdFontRef New_Font)
{
    if (!New_Font)
        vb::raise(vb::err::ObjectRequired, "ControlSurface");
    m_font = std::move(New_Font);
    // A change of the shared object repaints the surface.
    m_font_subscription
        = m_font->subscribe([this] { win::InvalidateRect(get_hWnd(), nullptr, 1); });
    win::InvalidateRect(get_hWnd(), nullptr, 1);
}

void ControlSurface::let_BackColor(gfx::OLE_COLOR New_BackColor)
{
    if (!gfx::is_valid_color(New_BackColor))
        vb::raise(vb::err::InvalidPropertyValue, "ControlSurface");
    m_back_color = New_BackColor;
    win::InvalidateRect(get_hWnd(), nullptr, 1);
}

vb::Single ControlSurface::get_ScaleWidth() const
{
    win::RECT r{};
    win::GetClientRect(get_hWnd(), &r);
    return static_cast<vb::Single>(gfx::to_twips(gfx::Pixels{r.width()}).value);
}

vb::Single ControlSurface::get_ScaleHeight() const
{
    win::RECT r{};
    win::GetClientRect(get_hWnd(), &r);
    return static_cast<vb::Single>(gfx::to_twips(gfx::Pixels{r.height()}).value);
}

vb::Single ControlSurface::TextWidth(std::string_view Str) const
{
    return static_cast<vb::Single>(gfx::text_width_twips(m_font->font(), Str));
}

vb::Single ControlSurface::TextHeight(std::string_view Str) const
{
    return static_cast<vb::Single>(gfx::text_height_twips(m_font->font(), Str));
}

void ControlSurface::Refresh()
{
    win::RECT r{};
    if (win::GetWindowRect(get_hWnd(), &r))
        gfx::Compositor::the().render(r);
}

void ControlSurface::PopupMenu(const vb::Variant& Menu, const vb::Variant& Flags,
    const vb::Variant& X, const vb::Variant& Y, const vb::Variant& DefaultMenu)
{
    if (Menu.is_missing())
        vb::raise(vb::err::ArgumentNotOptional, "PopupMenu");
    m_popup_calls.push_back(PopupMenuCall{Menu, Flags, X, Y, DefaultMenu});
}

void ControlSurface::RaiseEvent(vb::DispId id, std::span<vb::Variant> args)
{
    Site::Call call(m_site);
    m_site.events().RaiseEvent(id, args);
}

void ControlSurface::PropertyChanged(std::string_view PropertyName)
{
    m_site.record_property_change(PropertyName);
}

} // namespace host
