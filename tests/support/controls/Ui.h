#pragma once
// Drives the controls by name, through the window manager's input
// injection, as a person at the keyboard and mouse would; every call
// delivers what it injected before it returns.
//
//   ui.type("Zür");            // per character: key down, the character, key up
//   ui.press(win::VK_BACK);     // key down, its character (Backspace, Enter), key up
//   ui.press_shifted(win::VK_LEFT);
//   ui.click(box.get_hWnd());   // press and release at the window's centre
//   ui.drag(hwnd, from, to);    // client points of the window
//
// type() uses the key of an ASCII letter, digit or space and the platform's
// VK_PACKET (231) for every other character; it does not hold Shift for
// capitals.

#include <string_view>

#include "platform/win/Types.h"

namespace pendrel::test {

inline constexpr int VK_PACKET = 0xE7;

class Ui {
public:
    void type(std::string_view utf8);
    void press(int vk);
    void press_shifted(int vk);
    void key_down(int vk);
    void key_up(int vk);

    void click(win::HWND hwnd);
    void click(win::HWND hwnd, win::POINT client);
    void button_down(win::HWND hwnd, win::POINT client);
    void move_to(win::HWND hwnd, win::POINT client);
    void button_up(win::HWND hwnd, win::POINT client);
    void drag(win::HWND hwnd, win::POINT from, win::POINT to);

    // The screen point of a client point of the window.
    [[nodiscard]] static win::POINT screen_of(win::HWND hwnd, win::POINT client);
    // The centre of a rectangle.
    [[nodiscard]] static win::POINT centre(const win::RECT& r);
};

} // namespace pendrel::test
