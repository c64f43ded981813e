#include "platform/host/Extender.h"

#include "platform/gfx/Units.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace host {

namespace {

int pixels(vb::Single twips)
{
    return gfx::to_pixels(gfx::Twips{twips}).value;
}

int size_pixels(vb::Single twips)
{
    if (twips < 0)
        vb::raise(vb::err::InvalidPropertyValue, "Extender");
    return pixels(twips);
}

vb::Single twips(int pixels)
{
    return static_cast<vb::Single>(gfx::to_twips(gfx::Pixels{pixels}).value);
}

} // namespace

win::RECT Extender::placement() const
{
    win::RECT r{};
    if (!win::GetWindowRect(m_hwnd, &r))
        vb::raise(vb::err::ObjectNotSet, "Extender");
    // A child sits in its parent's client area; any other window on the
    // screen.
    bool is_child
        = (static_cast<win::DWORD>(win::GetWindowLongA(m_hwnd, win::GWL_STYLE)) & win::WS_CHILD)
        != 0;
    win::HWND parent = is_child ? win::GetParent(m_hwnd) : 0;
    if (parent != 0 && parent != win::GetDesktopWindow()) {
        win::POINT p{r.left, r.top};
        win::ScreenToClient(parent, &p);
        r = {p.x, p.y, p.x + r.width(), p.y + r.height()};
    }
    return r;
}

void Extender::place(const win::RECT& r)
{
    if (!win::MoveWindow(m_hwnd, r.left, r.top, r.width(), r.height(), 1) && !win::IsWindow(m_hwnd))
        vb::raise(vb::err::ObjectNotSet, "Extender");
}

vb::Single Extender::get_Left() const
{
    return twips(placement().left);
}

vb::Single Extender::get_Top() const
{
    return twips(placement().top);
}

vb::Single Extender::get_Width() const
{
    return twips(placement().width());
}

vb::Single Extender::get_Height() const
{
    return twips(placement().height());
}

void Extender::let_Left(vb::Single New_Left)
{
    int x = pixels(New_Left);
    auto r = placement();
    place({x, r.top, x + r.width(), r.bottom});
}

void Extender::let_Top(vb::Single New_Top)
{
    int y = pixels(New_Top);
    auto r = placement();
    place({r.left, y, r.right, y + r.height()});
}

void Extender::let_Width(vb::Single New_Width)
{
    int w = size_pixels(New_Width);
    auto r = placement();
    place({r.left, r.top, r.left + w, r.bottom});
}

void Extender::let_Height(vb::Single New_Height)
{
    int h = size_pixels(New_Height);
    auto r = placement();
    place({r.left, r.top, r.right, r.top + h});
}

void Extender::Move(vb::Single Left, vb::Single Top, vb::Single Width, vb::Single Height)
{
    int x = pixels(Left);
    int y = pixels(Top);
    int w = size_pixels(Width);
    int h = size_pixels(Height);
    (void)placement(); // raises for a window that is gone
    place({x, y, x + w, y + h});
}

vb::Boolean Extender::get_Visible() const
{
    if (!win::IsWindow(m_hwnd))
        vb::raise(vb::err::ObjectNotSet, "Extender");
    return (win::GetWindowLongA(m_hwnd, win::GWL_STYLE) & static_cast<win::LONG>(win::WS_VISIBLE))
        != 0;
}

void Extender::let_Visible(vb::Boolean New_Visible)
{
    if (!win::IsWindow(m_hwnd))
        vb::raise(vb::err::ObjectNotSet, "Extender");
    win::ShowWindow(m_hwnd, New_Visible ? win::SW_SHOWNOACTIVATE : win::SW_HIDE);
}

vb::Boolean Extender::get_Enabled() const
{
    if (!win::IsWindow(m_hwnd))
        vb::raise(vb::err::ObjectNotSet, "Extender");
    return win::IsWindowEnabled(m_hwnd) != 0;
}

void Extender::let_Enabled(vb::Boolean New_Enabled)
{
    if (!win::IsWindow(m_hwnd))
        vb::raise(vb::err::ObjectNotSet, "Extender");
    win::EnableWindow(m_hwnd, New_Enabled ? 1 : 0);
}

} // namespace host
