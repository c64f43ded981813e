#include "platform/gfx/Compositor.h"

#include <algorithm>

#include "platform/gfx/Canvas.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace gfx {

namespace {

constexpr std::uint32_t k_no_background = 0xFFFFFFFF;

// Resets the flag when a render ends, also when a window's painting throws.
class RenderingFlag {
public:
    explicit RenderingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    RenderingFlag(const RenderingFlag&) = delete;
    RenderingFlag& operator=(const RenderingFlag&) = delete;
    ~RenderingFlag() { m_flag = false; }

private:
    bool& m_flag;
};

} // namespace

Compositor& Compositor::the()
{
    thread_local Compositor compositor;
    return compositor;
}

// Makes the screen image the display's size; true when it was (re)made.
bool Compositor::ensure_screen()
{
    const auto& display = win::WindowManager::the().display();
    if (m_screen && m_screen->width() == display.width && m_screen->height() == display.height)
        return false;
    m_screen = std::make_unique<Surface>(display.width, display.height);
    return true;
}

void Compositor::render()
{
    ensure_screen();
    render(m_screen->rect());
}

void Compositor::render(const win::RECT& region)
{
    if (m_rendering)
        return;
    if (ensure_screen()) {
        render(m_screen->rect());
        return;
    }
    RenderingFlag flag(m_rendering);
    win::RECT clip = win::intersection(region, m_screen->rect());
    if (clip.empty())
        return;
    // 1. The desktop.
    {
        Canvas desktop(*m_screen, {0, 0}, clip);
        desktop.fill_rect(clip, system_color(COLOR_BACKGROUND));
    }
    // 2. Top-level windows, bottom-most first, top-most last.
    for (win::HWND hwnd : win::WindowManager::the().top_level_windows())
        paint_tree(hwnd, clip);
}

win::RECT Compositor::window_rect_on_screen(win::HWND hwnd)
{
    win::RECT r{};
    win::GetWindowRect(hwnd, &r);
    return r;
}

void Compositor::paint_tree(win::HWND hwnd, const win::RECT& clip)
{
    auto& wm = win::WindowManager::the();
    // 3. Visible windows only; the handle is looked up again because an
    // earlier WM_PAINT may have destroyed it.
    if (!win::IsWindow(hwnd) || (wm.style(hwnd) & win::WS_VISIBLE) == 0)
        return;
    // 4. Clipped to its rectangle and its parent's client area.
    win::RECT rect = window_rect_on_screen(hwnd);
    win::RECT visible = win::intersection(rect, clip);
    if (visible.empty())
        return;
    {
        Canvas canvas(*m_screen, {rect.left, rect.top}, visible);
        // 5. The class background.
        std::uint32_t background = wm.class_background(hwnd);
        if (background != k_no_background)
            canvas.fill_rect({0, 0, rect.width(), rect.height()}, background);
        // 6. The window paints itself.
        win::SendMessageA(hwnd, win::WM_PAINT, wparam_of(canvas), 0);
    }
    if (!win::IsWindow(hwnd))
        return;
    win::RECT client{};
    win::GetClientRect(hwnd, &client);
    win::POINT client_origin{0, 0};
    win::ClientToScreen(hwnd, &client_origin);
    win::RECT client_on_screen{client_origin.x, client_origin.y, client_origin.x + client.width(),
        client_origin.y + client.height()};
    win::RECT child_clip = win::intersection(client_on_screen, visible);
    if (child_clip.empty())
        return;
    for (win::HWND child : wm.children(hwnd))
        paint_tree(child, child_clip);
}

const Surface& Compositor::screen()
{
    if (!m_screen || ensure_screen())
        render();
    return *m_screen;
}

Image Compositor::snapshot()
{
    render();
    return m_screen->to_image();
}

Image Compositor::snapshot(win::HWND hwnd)
{
    if (!win::IsWindow(hwnd))
        vb::raise(vb::err::InvalidProcedureCall, "Compositor");
    render();
    return m_screen->to_image(window_rect_on_screen(hwnd));
}

void Compositor::write_png(const std::filesystem::path& path)
{
    render();
    m_screen->write_png(path);
}

void Compositor::write_png(const std::filesystem::path& path, win::HWND hwnd)
{
    if (!win::IsWindow(hwnd))
        vb::raise(vb::err::InvalidProcedureCall, "Compositor");
    render();
    m_screen->write_png(path, window_rect_on_screen(hwnd));
}

} // namespace gfx
