#include "platform/host/ModalLoop.h"

#include "platform/win/User32.h"

namespace host {

namespace {

InputWait& input_wait()
{
    thread_local InputWait wait;
    return wait;
}

} // namespace

void set_input_wait(InputWait wait)
{
    input_wait() = std::move(wait);
}

bool has_input_wait()
{
    return static_cast<bool>(input_wait());
}

bool run_modal_loop(const std::function<bool()>& done)
{
    win::PumpMessages();
    while (!done()) {
        // A copy: the wait may replace or remove itself while it runs.
        const InputWait wait = input_wait();
        if (!wait || !wait())
            return false;
    }
    return true;
}

} // namespace host
