#pragma once
// The live desktop: one real window (SDL2) that shows the calling thread's
// screen, the compositor's image, pixel for pixel the same as its PNG
// output, and feeds the person's mouse and keyboard into the window
// manager's input injection (Input.h).
//
// Redrawing follows damage (Damage.h): after input is delivered, only the
// rectangles that changed are rendered by the compositor and copied to the
// window; with nothing changed nothing is drawn, and waiting for input
// sleeps in SDL. The pointer takes the shape of the screen object's
// MousePointer. The window is the display's size times a whole-pixel scale.
//
// While a presenter lives its thread has an input wait (host/ModalLoop.h),
// so message boxes become dialog windows that wait for an answer. One
// presenter per thread, on the thread that made it; SDL's video driver
// decides where the window goes (SDL_VIDEODRIVER=dummy: nowhere, for tests
// and benchmarks).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/Types.h"

union SDL_Event;

namespace present {

struct Options {
    std::string title = "Pendrel";
    // Window pixels per screen pixel; 0 chooses from the monitor (choose_scale).
    int scale = 0;
};

// The whole-pixel scale for a monitor of `dpi` (its reported pixels per
// inch; 0 when unknown): 96 per step, rounded down, at least 1, and
// lowered until the window fits `usable` (width, height) when it can.
[[nodiscard]] int choose_scale(
    float dpi, int display_width, int display_height, int usable_width, int usable_height);

// The platform's pointer shape for a MousePointer value, as an
// SDL_SystemCursor number.
[[nodiscard]] int system_cursor_of(int mouse_pointer);

class Presenter {
public:
    // Whether a window can be shown to a person: SDL's video starts and its
    // driver is not one that shows nothing (dummy, offscreen).
    [[nodiscard]] static bool display_available();

    // Opens the window; raises 5 naming SDL's message when it cannot.
    explicit Presenter(Options options = {});
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;
    ~Presenter();

    // Queues one event's input (nothing is delivered yet).
    void handle(const SDL_Event& event);
    // Delivers queued messages and input, then presents the damage.
    void update();
    // update(), then waits up to timeout_ms (-1: for ever) for events,
    // handles and delivers every event there is, one by one, and presents. Before it sleeps it
    // calls on_idle once, which may push events (a script). False once the
    // window was closed.
    bool wait(int timeout_ms = -1);
    // wait() until the window is closed.
    void run();
    [[nodiscard]] bool closed() const { return m_closed; }
    void close() { m_closed = true; }

    // Runs while the queue is empty and before the presenter sleeps.
    std::function<void()> on_idle;
    // Runs after every present with the rectangles drawn (screen pixels).
    std::function<void(const std::vector<win::RECT>&)> on_present;

    [[nodiscard]] int scale() const;
    [[nodiscard]] std::uint32_t window_id() const;
    // Frames presented and rectangles drawn so far.
    [[nodiscard]] long frames() const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
    bool m_closed = false;
};

} // namespace present
