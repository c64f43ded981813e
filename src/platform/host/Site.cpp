#include "platform/host/Site.h"

#include "platform/gfx/Canvas.h"
#include "platform/gfx/Units.h"
#include "platform/host/FocusTracker.h"
#include "platform/host/Form.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"

namespace host {

namespace {

constexpr std::uint32_t k_no_background = 0xFFFFFFFF;

// Clears the surface's paint canvas when Paint ends, also by an error.
class PaintCanvas {
public:
    PaintCanvas(gfx::Canvas*& slot, gfx::Canvas& canvas) : m_slot(slot) { m_slot = &canvas; }
    PaintCanvas(const PaintCanvas&) = delete;
    PaintCanvas& operator=(const PaintCanvas&) = delete;
    ~PaintCanvas() { m_slot = nullptr; }

private:
    gfx::Canvas*& m_slot;
};

int px(vb::Single twips)
{
    return gfx::to_pixels(gfx::Twips{twips}).value;
}

} // namespace

Site::Site(Form& form, std::string name) : m_form(form), m_name(std::move(name)), m_surface(*this)
{
}

Site::~Site()
{
    terminate_quietly();
    m_control.reset();
    FocusTracker::the().remove(this);
    // Only a window that is still this site's surface is destroyed (after a
    // reset of the window manager the number may stand for another window).
    if (win::IsWindow(m_hwnd) && win::GetWindowData(m_hwnd) == this) {
        win::SetWindowData(m_hwnd, nullptr);
        win::DestroyWindow(m_hwnd);
    }
}

void Site::create(const ControlFactory& factory, const TwipsRect& rect, PropertyBag* bag)
{
    // 1. The surface: a hidden child window of the form's client area.
    win::RegisterClassA(win::WNDCLASS{k_surface_class, &surface_proc, k_no_background});
    if (rect.width < 0 || rect.height < 0)
        vb::raise(vb::err::InvalidPropertyValue, "Site");
    m_hwnd = win::CreateWindowExA(0, k_surface_class, m_name, win::WS_CHILD, px(rect.left),
        px(rect.top), px(rect.width), px(rect.height), m_form.hwnd());
    if (m_hwnd == 0)
        vb::raise(vb::err::InvalidProcedureCall, "Cannot create the control's window", "Site");
    win::SetWindowData(m_hwnd, this);
    win::GetClientRect(m_hwnd, &m_last_client);
    FocusTracker::the().add(this);
    // 2. The control, on its surface.
    {
        Call call(*this);
        m_control = factory(m_surface);
    }
    if (!m_control)
        vb::raise(vb::err::ObjectRequired, "The control factory made no control", "Site");
    m_events.set_table(m_control->event_table());
    // 3. Exactly one of first-time initialisation and reading.
    {
        Call call(*this);
        if (bag)
            m_control->ReadProperties(*bag);
        else
            m_control->InitProperties();
    }
    // 4. The first size.
    {
        Call call(*this);
        m_control->Resize();
    }
    m_created = true;
    // 5. Shown: Show follows once the form is visible too.
    win::ShowWindow(m_hwnd, win::SW_SHOWNOACTIVATE);
}

void Site::terminate()
{
    if (m_terminated || !m_control)
        return;
    m_terminated = true;
    Call call(*this);
    m_control->Terminate();
}

// NOTE: a destructor has no caller to hand an error to, so an error that
// Terminate raises while its site is being deleted is dropped here.
void Site::terminate_quietly() noexcept
{
    try {
        terminate();
    } catch (...) {
        m_terminated = true;
    }
}

PropertyBag Site::write_properties()
{
    PropertyBag bag;
    Call call(*this);
    m_control->WriteProperties(bag);
    return bag;
}

bool Site::contains(win::HWND hwnd) const
{
    return hwnd != 0 && m_hwnd != 0 && (hwnd == m_hwnd || win::IsChild(m_hwnd, hwnd));
}

void Site::focus_moved(win::HWND focus, bool exits)
{
    // NOTE: while the control is being deleted its child windows go, and
    // the focus one of them held moves; the control is no longer there to
    // hear of it.
    if (!m_created || !m_control)
        return;
    bool inside = !m_terminated && contains(focus);
    if (exits && m_focus_inside && !inside) {
        m_focus_inside = false;
        Call call(*this);
        m_control->ExitFocus();
    } else if (!exits && !m_focus_inside && inside) {
        m_focus_inside = true;
        Call call(*this);
        m_control->EnterFocus();
    }
}

void Site::update_shown()
{
    if (!m_created || m_terminated)
        return;
    bool shown = win::IsWindowVisible(m_hwnd) != 0;
    if (shown == m_shown)
        return;
    m_shown = shown;
    Call call(*this);
    if (shown)
        m_control->Show();
    else
        m_control->Hide();
}

void Site::check_resize()
{
    if (!m_created || m_terminated)
        return;
    win::RECT client{};
    win::GetClientRect(m_hwnd, &client);
    if (client == m_last_client)
        return;
    m_last_client = client;
    Call call(*this);
    m_control->Resize();
}

void Site::on_paint(gfx::Canvas& canvas)
{
    win::RECT r{};
    win::GetWindowRect(m_hwnd, &r);
    canvas.fill_rect({0, 0, r.width(), r.height()}, m_surface.m_back_color);
    if (!m_created || m_terminated)
        return;
    PaintCanvas during(m_surface.m_canvas, canvas);
    Call call(*this);
    m_control->Paint();
}

void Site::lifecycle(void (UserControl::*call)())
{
    if (!m_created || m_terminated)
        return;
    Call counted(*this);
    (m_control.get()->*call)();
}

void Site::record_property_change(std::string_view name)
{
    m_changed.emplace_back(name);
    m_form.mark_dirty();
}

// The surface's procedure: one line per message, each to the site's
// handler. The site is looked up again after anything that can dispatch.
win::LRESULT Site::surface_proc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    auto* site = static_cast<Site*>(win::GetWindowData(hwnd));
    if (!site)
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    switch (msg) {
    case win::WM_PAINT:
        site->on_paint(*gfx::canvas_of(wparam));
        return 0;
    case win::WM_WINDOWPOSCHANGED:
        win::DefWindowProcA(hwnd, msg, wparam, lparam); // sends WM_MOVE and WM_SIZE first
        if (auto* again = static_cast<Site*>(win::GetWindowData(hwnd)))
            again->update_shown();
        return 0;
    case win::WM_SIZE:
        site->check_resize();
        return 0;
    case win::WM_SETFOCUS:
        site->lifecycle(&UserControl::GotFocus);
        return 0;
    case win::WM_KILLFOCUS:
        site->lifecycle(&UserControl::LostFocus);
        return 0;
    case win::WM_DESTROY:
        site->terminate();
        return 0;
    default:
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
}

} // namespace host
