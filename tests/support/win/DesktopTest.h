#pragma once
// A fresh desktop for every test: the thread's window manager is reset
// before and after, and test windows are made by name, with handlers per
// message and a recorder already watching them.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/win/MessageRecorder.h"

namespace pendrel::test {

// What a test window does with a message: a handler, or (without one)
// DefWindowProcA.
using Handler = std::function<win::LRESULT(win::HWND, win::WPARAM, win::LPARAM)>;

class DesktopTest : public ::testing::Test {
public:
    static constexpr const char* k_class = "PendrelTestWindow";
    // The class procedure of test windows.
    static win::LRESULT test_window_proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    // GetWindowRect's answer (all zero for an unknown window).
    static win::RECT rect_of(win::HWND hwnd);

protected:
    void SetUp() override;
    void TearDown() override;

    // A shown top-level window at a screen rectangle (x, y, width, height).
    win::HWND top(const std::string& name, int x, int y, int width, int height,
        win::DWORD style = win::WS_VISIBLE, win::DWORD ex_style = 0);
    // A shown child window, positioned in its parent's client area.
    win::HWND child(const std::string& name, win::HWND parent, int x, int y, int width, int height,
        win::DWORD style = win::WS_VISIBLE);

    // Handles msg for the window (replacing an earlier handler).
    void on(win::HWND hwnd, win::UINT msg, Handler handler);

    static win::WindowManager& wm() { return win::WindowManager::the(); }
    // Injects and delivers.
    void click(win::POINT screen);
    void pump() { win::PumpMessages(); }

    MessageRecorder recorder;

private:
    struct Handlers {
        std::map<win::UINT, Handler> by_message;
    };
    win::HWND make(const std::string& name, win::HWND parent, win::RECT rect, win::DWORD style,
        win::DWORD ex_style);

    std::unordered_map<win::HWND, std::unique_ptr<Handlers>> m_handlers;
};

} // namespace pendrel::test
