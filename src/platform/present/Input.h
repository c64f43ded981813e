#pragma once
// A person's input, as SDL reports it for the presenter's window, turned
// into the window manager's input injection (WindowManager::inject_*), in
// screen pixels of the display (window pixels divided by the scale):
//
//   motion            -> inject_mouse_move
//   left/right press  -> inject_button_down, or inject_second_press for the
//                        left button's second press of a double click
//   left/right release-> inject_button_up
//   wheel             -> inject_wheel at the pointer, 120 per notch, up
//                        positive
//   key down / up     -> inject_key_down / inject_key_up with the key's
//                        virtual-key code (KeyMap.h), repeats included; the
//                        keys that make a character without a text event
//                        (Backspace, Tab, Enter, Escape, Ctrl+letter) add
//                        it right after their key down
//   text              -> inject_char for each character of the UTF-8 text
//   focus lost        -> inject_key_up for every key still down
// The translator only queues; the caller delivers (PumpMessages).

#include <cstdint>
#include <optional>

#include "platform/win/Types.h"

union SDL_Event;

namespace present {

// Tells a double click from two clicks, by the platform's rule: a left press
// within GetDoubleClickTime() milliseconds of the previous one and inside
// the SM_CXDOUBLECLK x SM_CYDOUBLECLK rectangle centred on it. The press
// that completes a double click starts no new one.
class DoubleClick {
public:
    // Whether this press is the second press of a double click.
    bool press(win::POINT at, std::uint32_t milliseconds);
    // Another button or a key breaks the sequence.
    void reset() { m_first.reset(); }

private:
    struct Press {
        win::POINT at;
        std::uint32_t time = 0;
    };
    std::optional<Press> m_first;
};

class InputTranslator {
public:
    explicit InputTranslator(int scale) : m_scale(scale) {}
    void handle(const SDL_Event& event);

private:
    [[nodiscard]] win::POINT screen_point(int x, int y) const;
    void on_button(const SDL_Event& event, bool down);
    void on_key(const SDL_Event& event, bool down);
    void on_text(const char* utf8);
    void release_keys();

    int m_scale;
    DoubleClick m_double_click;
};

} // namespace present
