// The per-thread window manager: its lifetime, the handle counter, and the
// read-only views the drawing layer uses.

#include <atomic>

#include "platform/vb/Error.h"
#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// The calling thread's manager. A plain pointer (trivially destructible) so
// that it can still be read while other thread-local objects are destroyed at
// thread exit; the reaper deletes the manager then.
thread_local WindowManager* t_manager = nullptr;

struct Reaper {
    Reaper() = default;
    Reaper(const Reaper&) = delete;
    Reaper& operator=(const Reaper&) = delete;
    ~Reaper()
    {
        delete t_manager;
        t_manager = nullptr;
    }
};
thread_local Reaper t_reaper;

// Handles come from one counter for the whole process, so a handle names
// exactly one window ever: another thread's handle, or a destroyed window's,
// is never found by mistake. Even numbers, as the platform's handles are.
constexpr HWND k_first_handle = 0x00010010;
constexpr HWND k_last_handle = 0x7FFFFFF0; // handles stay positive as LONGs
std::atomic<HWND> g_next_handle{k_first_handle};

} // namespace

HWND detail::allocate_handle()
{
    const HWND handle = g_next_handle.fetch_add(2);
    if (handle > k_last_handle) {
        vb::raise(vb::err::OutOfMemory, "No window handles are left", "CreateWindowExA");
    }
    return handle;
}

WindowManager::Impl& detail::wm()
{
    return WindowManager::the().impl();
}

WindowManager::Impl::Impl()
{
    auto desk = std::make_unique<Window>();
    desk->handle = detail::allocate_handle();
    desk->proc = &DefWindowProcA;
    desk->class_name = "#32769";
    desk->style = WS_VISIBLE | WS_CLIPCHILDREN;
    desk->rect = RECT{0, 0, display.width, display.height};
    desk->border = 0;
    desk->background = 0x80000001; // the desktop colour
    desktop = desk->handle;
    live.emplace(desktop, std::move(desk));
}

// Frees every window without a message: this runs at thread exit and on
// reset, when the windows' owners may already be gone.
WindowManager::Impl::~Impl() = default;

Window* WindowManager::Impl::find(HWND hwnd)
{
    auto it = live.find(hwnd);
    return it == live.end() ? nullptr : it->second.get();
}

Window* WindowManager::Impl::find_any(HWND hwnd)
{
    if (Window* w = find(hwnd)) {
        return w;
    }
    auto it = unreleased.find(hwnd);
    return it == unreleased.end() ? nullptr : it->second.get();
}

WindowManager::WindowManager() : m_impl(std::make_unique<Impl>())
{
}

WindowManager::~WindowManager() = default;

WindowManager& WindowManager::the()
{
    if (t_manager == nullptr) {
        t_manager = new WindowManager;
        static_cast<void>(&t_reaper); // makes sure the reaper exists on this thread
    }
    return *t_manager;
}

void WindowManager::reset()
{
    WindowManager& manager = the();
    if (manager.m_impl->active_calls > 0) {
        vb::raise(vb::err::InvalidProcedureCall,
            "The window manager cannot be reset while a window procedure is running",
            "WindowManager.reset");
    }
    manager.on_invalidate = nullptr;
    manager.on_invalidate_part = nullptr;
    manager.on_focus_change = nullptr;
    manager.m_impl = std::make_unique<Impl>();
}

WindowManager::Delivery WindowManager::current_delivery() const
{
    return m_impl->deliveries.empty() ? Delivery::none : m_impl->deliveries.back();
}

int WindowManager::delivery_depth() const
{
    return static_cast<int>(m_impl->deliveries.size());
}

std::vector<HWND> WindowManager::top_level_windows() const
{
    return m_impl->desktop_window().children;
}

std::vector<HWND> WindowManager::children(HWND parent) const
{
    const Window* w = m_impl->find(parent == 0 ? m_impl->desktop : parent);
    return w == nullptr ? std::vector<HWND>{} : w->children;
}

DWORD WindowManager::style(HWND hwnd) const
{
    const Window* w = m_impl->find(hwnd);
    return w == nullptr ? 0 : w->style;
}

DWORD WindowManager::ex_style(HWND hwnd) const
{
    const Window* w = m_impl->find(hwnd);
    return w == nullptr ? 0 : w->ex_style;
}

std::uint32_t WindowManager::class_background(HWND hwnd) const
{
    const Window* w = m_impl->find(hwnd);
    return w == nullptr ? 0xFFFFFFFF : w->background;
}

void WindowManager::set_border(HWND hwnd, int pixels)
{
    if (pixels < 0 || pixels > 32767) {
        vb::raise(vb::err::InvalidPropertyValue, "A border is 0 to 32767 pixels wide",
            "WindowManager.set_border");
    }
    Window* w = m_impl->find(hwnd);
    if (w == nullptr || w->border == pixels) {
        return;
    }
    w->border = pixels;
    detail::invalidate(hwnd);
}

int Window::border_width() const
{
    if (border >= 0) {
        return border;
    }
    return (style & WS_BORDER) != 0 ? 1 : 0;
}

void detail::invalidate(HWND hwnd)
{
    // A copy: the listener may replace itself while it runs.
    const auto listener = WindowManager::the().on_invalidate;
    if (listener) {
        listener(hwnd);
    }
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL /*erase*/)
{
    auto& m = detail::wm();
    const HWND target = hwnd == 0 ? m.desktop : hwnd;
    if (m.find(target) == nullptr) {
        return FALSE;
    }
    const auto part = WindowManager::the().on_invalidate_part;
    if (rect != nullptr && target != m.desktop && part) {
        part(target, *rect);
    } else {
        detail::invalidate(target);
    }
    return TRUE;
}

} // namespace win
