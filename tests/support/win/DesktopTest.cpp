// The fresh-desktop fixture and its test window class.

#include "support/win/DesktopTest.h"

namespace pendrel::test {

void DesktopTest::SetUp()
{
    win::WindowManager::reset();
    ASSERT_TRUE(win::RegisterClassA(win::WNDCLASS{k_class, &test_window_proc}));
}

void DesktopTest::TearDown()
{
    win::WindowManager::reset();
}

// The window's handlers are found through its window data, as a control
// finds its object.
win::LRESULT DesktopTest::test_window_proc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    if (auto* handlers = static_cast<Handlers*>(win::GetWindowData(hwnd))) {
        auto it = handlers->by_message.find(msg);
        if (it != handlers->by_message.end()) {
            const Handler handler = it->second; // the handler may replace itself
            return handler(hwnd, wparam, lparam);
        }
    }
    return win::DefWindowProcA(hwnd, msg, wparam, lparam);
}

win::HWND DesktopTest::make(const std::string& name, win::HWND parent, win::RECT rect,
    win::DWORD style, win::DWORD ex_style)
{
    const win::HWND hwnd = win::CreateWindowExA(
        ex_style, k_class, name, style, rect.left, rect.top, rect.width(), rect.height(), parent);
    EXPECT_NE(hwnd, 0U) << "could not create " << name;
    auto handlers = std::make_unique<Handlers>();
    win::SetWindowData(hwnd, handlers.get());
    m_handlers[hwnd] = std::move(handlers);
    recorder.watch(hwnd, name);
    return hwnd;
}

win::HWND DesktopTest::top(const std::string& name, int x, int y, int width, int height,
    win::DWORD style, win::DWORD ex_style)
{
    return make(name, 0, win::RECT{x, y, x + width, y + height}, style, ex_style);
}

win::HWND DesktopTest::child(const std::string& name, win::HWND parent, int x, int y, int width,
    int height, win::DWORD style)
{
    return make(name, parent, win::RECT{x, y, x + width, y + height}, style | win::WS_CHILD, 0);
}

void DesktopTest::on(win::HWND hwnd, win::UINT msg, Handler handler)
{
    auto it = m_handlers.find(hwnd);
    ASSERT_NE(it, m_handlers.end()) << "not a test window";
    it->second->by_message[msg] = std::move(handler);
}

win::RECT DesktopTest::rect_of(win::HWND hwnd)
{
    win::RECT r;
    win::GetWindowRect(hwnd, &r);
    return r;
}

void DesktopTest::click(win::POINT screen)
{
    wm().inject_button_down(screen);
    wm().inject_button_up(screen);
    pump();
}

} // namespace pendrel::test
