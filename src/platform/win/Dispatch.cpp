// Running window procedures: SendMessageA, CallWindowProcA and the delivery
// the pump uses. A window whose procedure is on the stack is never freed
// under it: DestroyWindow takes it out of every lookup at once, and the last
// of its dispatches to return frees it.

#include "platform/vb/Error.h"
#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// Handlers that send to each other without end would overflow the stack;
// past this depth SendMessageA raises "Out of stack space" instead.
constexpr std::size_t k_max_nested_deliveries = 256;

// Marks one procedure of one window as running, for as long as it runs
// (also when it throws).
class CallScope {
public:
    CallScope(WindowManager::Impl& manager, Window& window) : m_manager(manager), m_window(window)
    {
        ++m_window.dispatch_depth;
        ++m_manager.active_calls;
    }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    ~CallScope()
    {
        --m_manager.active_calls;
        if (--m_window.dispatch_depth == 0 && m_manager.find(m_window.handle) != &m_window) {
            // Destroyed while it ran: this was the last dispatch on its stack.
            m_manager.unreleased.erase(m_window.handle);
        }
    }

private:
    WindowManager::Impl& m_manager;
    Window& m_window;
};

class DeliveryScope {
public:
    DeliveryScope(WindowManager::Impl& manager, WindowManager::Delivery how) : m_manager(manager)
    {
        m_manager.deliveries.push_back(how);
    }
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;
    ~DeliveryScope() { m_manager.deliveries.pop_back(); }

private:
    WindowManager::Impl& m_manager;
};

} // namespace

std::optional<LRESULT> detail::deliver(
    HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, WindowManager::Delivery how)
{
    auto& m = wm();
    Window* w = m.find(hwnd);
    if (w == nullptr) {
        return std::nullopt;
    }
    if (m.deliveries.size() >= k_max_nested_deliveries) {
        vb::raise(vb::err::OutOfStackSpace, "SendMessageA");
    }
    const WNDPROC proc = w->proc;
    const DeliveryScope delivery(m, how);
    const CallScope call(m, *w);
    return proc(hwnd, msg, wparam, lparam);
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    return detail::deliver(hwnd, msg, wparam, lparam, WindowManager::Delivery::sent).value_or(0);
}

// The procedure runs even for a window that is already destroyed (a
// subclass passing on the message that destroyed its window): it is a plain
// function call. While the window exists it counts as a dispatch of it.
LRESULT CallWindowProcA(LONG proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    const WNDPROC function = ProcFromNumber(proc);
    if (function == nullptr) {
        return 0;
    }
    auto& m = detail::wm();
    Window* w = m.find_any(hwnd);
    if (w == nullptr) {
        return function(hwnd, msg, wparam, lparam);
    }
    const CallScope call(m, *w);
    return function(hwnd, msg, wparam, lparam);
}

} // namespace win
