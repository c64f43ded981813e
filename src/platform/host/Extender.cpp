#include "platform/host/Extender.h"

#include <unordered_map>

#include "platform/gfx/Units.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace host {

namespace {

std::unordered_map<win::HWND, win::RECT>& kept_extents()
{
    thread_local std::unordered_map<win::HWND, win::RECT> kept;
    return kept;
}

win::RECT* kept_extent(win::HWND hwnd)
{
    auto& kept = kept_extents();
    auto it = kept.find(hwnd);
    return it == kept.end() ? nullptr : &it->second;
}

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

void Extender::keep_extent(win::HWND hwnd)
{
    // The windows that went without forget_extent go now: handles are never
    // reused, so their entries would only pile up.
    std::erase_if(kept_extents(), [](const auto& kept) { return !win::IsWindow(kept.first); });
    kept_extents()[hwnd] = Extender(hwnd).placement();
}

void Extender::forget_extent(win::HWND hwnd)
{
    kept_extents().erase(hwnd);
}

win::RECT Extender::extent() const
{
    win::RECT r = placement(); // raises for a window that is gone
    if (const win::RECT* kept = kept_extent(m_hwnd))
        r = *kept;
    return r;
}

template <class Edit> void Extender::change(Edit edit)
{
    win::RECT r = placement();
    edit(r);
    place(r);
    if (win::RECT* kept = kept_extent(m_hwnd))
        edit(*kept);
}

vb::Single Extender::get_Left() const
{
    return twips(extent().left);
}

vb::Single Extender::get_Top() const
{
    return twips(extent().top);
}

vb::Single Extender::get_Width() const
{
    return twips(extent().width());
}

vb::Single Extender::get_Height() const
{
    return twips(extent().height());
}

void Extender::let_Left(vb::Single New_Left)
{
    const int x = pixels(New_Left);
    change([x](win::RECT& r) { r = {x, r.top, x + r.width(), r.bottom}; });
}

void Extender::let_Top(vb::Single New_Top)
{
    const int y = pixels(New_Top);
    change([y](win::RECT& r) { r = {r.left, y, r.right, y + r.height()}; });
}

void Extender::let_Width(vb::Single New_Width)
{
    const int w = size_pixels(New_Width);
    change([w](win::RECT& r) { r.right = r.left + w; });
}

void Extender::let_Height(vb::Single New_Height)
{
    const int h = size_pixels(New_Height);
    change([h](win::RECT& r) { r.bottom = r.top + h; });
}

void Extender::Move(vb::Single Left, vb::Single Top, vb::Single Width, vb::Single Height)
{
    const int x = pixels(Left);
    const int y = pixels(Top);
    const int w = size_pixels(Width);
    const int h = size_pixels(Height);
    change([&](win::RECT& r) { r = {x, y, x + w, y + h}; });
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
