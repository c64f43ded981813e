#pragma once
// Waiting for a person. A live desktop (a presenter that shows the screen in
// a real window) gives its thread an input wait: a call that blocks until
// the person does something, injects that into the window manager and
// delivers it. Code that needs an answer before it can go on (a modal
// message box) runs a modal loop on it. Headless a thread has no input wait
// and nothing waits for a person.

#include <functional>

namespace host {

// Blocks until input arrived, then injects and delivers it; false when no
// more input will come (the window was closed).
using InputWait = std::function<bool()>;

// The calling thread's input wait; an empty one removes it.
void set_input_wait(InputWait wait);
[[nodiscard]] bool has_input_wait();

// Delivers what is queued, then waits for input and delivers it until
// `done` says so. False when the input ended (or there is no input wait)
// before `done` did. Loops nest: a box raised from inside a loop runs its
// own.
bool run_modal_loop(const std::function<bool()>& done);

} // namespace host
