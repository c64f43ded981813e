#include "platform/controls/ControlWindow.h"

#include <mutex>
#include <set>
#include <string>
#include <unordered_set>

#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace controls {

namespace {

// The control objects alive on this thread. A window's data is trusted as a
// control only when it is one of them, so a handle of some other window
// never turns into a wrong pointer.
std::unordered_set<const ControlWindow*>& live_controls()
{
    thread_local std::unordered_set<const ControlWindow*> live;
    return live;
}

void register_class_once(std::string_view class_name, win::WNDPROC proc)
{
    static std::mutex mutex;
    static std::set<std::string, std::less<>> registered;
    const std::scoped_lock lock(mutex);
    if (registered.find(class_name) != registered.end()) {
        return;
    }
    win::WNDCLASS cls;
    cls.name = std::string(class_name);
    cls.proc = proc;
    cls.background = 0xFFFFFFFF; // every control paints all of itself
    if (win::RegisterClassA(cls) != 0) {
        registered.emplace(class_name);
    }
}

} // namespace

ControlWindow::ControlWindow()
{
    live_controls().insert(this);
}

// The object lets go of the window first, so the messages of its
// destruction (WM_KILLFOCUS, WM_CAPTURECHANGED, WM_DESTROY) meet no object.
ControlWindow::~ControlWindow()
{
    live_controls().erase(this);
    if (const win::HWND hwnd = m_hwnd; hwnd != 0) {
        m_hwnd = 0;
        win::SetWindowData(hwnd, nullptr);
        win::DestroyWindow(hwnd);
    }
}

void ControlWindow::create(std::string_view class_name, win::WNDPROC proc, win::HWND parent,
    const win::RECT& rect, win::DWORD style, std::string_view source)
{
    register_class_once(class_name, proc);
    const win::HWND hwnd = win::CreateWindowExA(
        0, class_name, "", style, rect.left, rect.top, rect.width(), rect.height(), parent, this);
    if (hwnd == 0) {
        vb::raise(vb::err::InvalidProcedureCall, "The control's window cannot be created",
            std::string(source));
    }
}

win::LRESULT ControlWindow::proc_without_object(
    win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    if (msg == win::WM_NCCREATE && lparam != 0) {
        auto* self = reinterpret_cast<ControlWindow*>(lparam); // NOLINT(performance-no-int-to-ptr)
        if (live_controls().count(self) != 0 && self->m_hwnd == 0) {
            self->m_hwnd = hwnd;
            win::SetWindowData(hwnd, self);
        }
    }
    return win::DefWindowProcA(hwnd, msg, wparam, lparam);
}

win::LRESULT ControlWindow::on_nc_destroy(win::HWND hwnd, win::WPARAM wparam, win::LPARAM lparam)
{
    if (m_hwnd == hwnd) {
        m_hwnd = 0;
        win::SetWindowData(hwnd, nullptr);
    }
    return win::DefWindowProcA(hwnd, win::WM_NCDESTROY, wparam, lparam);
}

ControlWindow* ControlWindow::from_hwnd(win::HWND hwnd)
{
    auto* data = static_cast<ControlWindow*>(win::GetWindowData(hwnd));
    if (data == nullptr || live_controls().count(data) == 0 || data->m_hwnd != hwnd) {
        return nullptr;
    }
    return data;
}

vb::Boolean ControlWindow::get_Enabled() const
{
    return win::IsWindowEnabled(m_hwnd) != 0;
}

void ControlWindow::let_Enabled(vb::Boolean New_Enabled)
{
    win::EnableWindow(m_hwnd, New_Enabled ? 1 : 0);
}

void ControlWindow::Refresh() const
{
    win::InvalidateRect(m_hwnd, nullptr, 1);
}

void ControlWindow::check_color(gfx::OLE_COLOR value, std::string_view source)
{
    if (!gfx::is_valid_color(value)) {
        vb::raise(vb::err::InvalidPropertyValue,
            "Not a colour: an explicit colour 0x00BBGGRR or a system colour", std::string(source));
    }
}

void ControlWindow::check_choice(vb::Integer value, vb::Integer last, std::string_view source)
{
    if (value < 0 || value > last) {
        vb::raise(vb::err::InvalidPropertyValue,
            "The value must lie between 0 and " + std::to_string(last), std::string(source));
    }
}

} // namespace controls
