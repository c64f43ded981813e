#pragma once
// Scripted input (docs/Scripts.md): one action per line, replayed as a
// person's devices would report it. Each action becomes SDL events that go
// either into the live window's event queue, or, without a window, straight
// through the presenter's input translation; so a script gives the window
// manager the same input in both modes.
//
//   move cboPlace.button      # a named point of the form, or "x y"
//   click cboPlace.button
//   type Ro
//   key Down Enter
//   wait-idle
//   snapshot out/form.png

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/Types.h"

union SDL_Event;

namespace demo {

class OrderForm;

struct Action {
    enum class Kind {
        move,
        click,
        double_click,
        right_click,
        wheel,
        type,
        key,
        wait_idle,
        snapshot,
        quit,
    };
    Kind kind = Kind::wait_idle;
    std::string argument; // the point, text, keys, notches or file
    int line = 0;
};

// Raises std::runtime_error "NAME:LINE: ..." for a line it cannot read.
[[nodiscard]] std::vector<Action> parse_script(std::string_view text, std::string_view name);
[[nodiscard]] std::vector<Action> read_script(const std::filesystem::path& file);

// The virtual-key code of a key name ("Enter", "Down", "F4", "A"); 0 for
// none.
[[nodiscard]] int key_named(std::string_view name);

class ScriptPlayer {
public:
    using Sink = std::function<void(SDL_Event&)>;
    // `scale`: window pixels per screen pixel of the events.
    ScriptPlayer(const OrderForm& form, Sink sink, int scale);

    // Runs one action; raises std::runtime_error for a point that is not
    // on the screen.
    void run(const Action& action);

    std::function<void()> on_wait_idle;
    std::function<void(const std::filesystem::path&)> on_snapshot;
    std::function<void()> on_quit;

private:
    void move(const Action& a);
    void button(bool down, int which);
    void type(std::string_view utf8);
    void keys(const Action& a);
    void key(int vk, bool down);
    void send(SDL_Event& e);

    const OrderForm& m_form;
    Sink m_sink;
    int m_scale;
    win::POINT m_at; // where the pointer was last moved
    unsigned m_clock = 1000; // milliseconds, for the events' time stamps
    bool m_shift = false;
    bool m_ctrl = false;
};

} // namespace demo
