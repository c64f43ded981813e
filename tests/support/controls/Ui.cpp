#include "support/controls/Ui.h"

#include <glib.h>
#include <gtest/gtest.h>

#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace pendrel::test {

namespace {

win::WindowManager& wm()
{
    return win::WindowManager::the();
}

int key_of(char32_t ch)
{
    if (ch >= 'a' && ch <= 'z') {
        return static_cast<int>(ch - 'a' + 'A');
    }
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') {
        return static_cast<int>(ch);
    }
    return VK_PACKET;
}

} // namespace

void Ui::type(std::string_view utf8)
{
    const char* end = utf8.data() + utf8.size();
    for (const char* p = utf8.data(); p < end; p = g_utf8_next_char(p)) {
        const auto ch = static_cast<char32_t>(g_utf8_get_char(p));
        const int vk = key_of(ch);
        wm().inject_key_down(vk);
        wm().inject_char(ch);
        wm().inject_key_up(vk);
        win::PumpMessages();
    }
}

void Ui::press(int vk)
{
    wm().inject_key_down(vk);
    if (vk == win::VK_BACK || vk == win::VK_RETURN) {
        wm().inject_char(static_cast<char32_t>(vk));
    }
    wm().inject_key_up(vk);
    win::PumpMessages();
}

void Ui::press_shifted(int vk)
{
    key_down(win::VK_SHIFT);
    press(vk);
    key_up(win::VK_SHIFT);
}

void Ui::key_down(int vk)
{
    wm().inject_key_down(vk);
    win::PumpMessages();
}

void Ui::key_up(int vk)
{
    wm().inject_key_up(vk);
    win::PumpMessages();
}

win::POINT Ui::screen_of(win::HWND hwnd, win::POINT client)
{
    EXPECT_NE(win::ClientToScreen(hwnd, &client), 0) << "no window " << hwnd;
    return client;
}

win::POINT Ui::centre(const win::RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Ui::click(win::HWND hwnd)
{
    win::RECT client;
    win::GetClientRect(hwnd, &client);
    click(hwnd, centre(client));
}

void Ui::click(win::HWND hwnd, win::POINT client)
{
    button_down(hwnd, client);
    button_up(hwnd, client);
}

void Ui::button_down(win::HWND hwnd, win::POINT client)
{
    const win::POINT p = screen_of(hwnd, client);
    wm().inject_mouse_move(p);
    wm().inject_button_down(p);
    win::PumpMessages();
}

void Ui::move_to(win::HWND hwnd, win::POINT client)
{
    wm().inject_mouse_move(screen_of(hwnd, client));
    win::PumpMessages();
}

void Ui::button_up(win::HWND hwnd, win::POINT client)
{
    wm().inject_button_up(screen_of(hwnd, client));
    win::PumpMessages();
}

void Ui::drag(win::HWND hwnd, win::POINT from, win::POINT to)
{
    button_down(hwnd, from);
    move_to(hwnd, to);
    button_up(hwnd, to);
}

} // namespace pendrel::test
