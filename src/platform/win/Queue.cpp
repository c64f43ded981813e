// The thread's message queue and its pump.
//
// Order: sent messages never wait (SendMessageA runs the target before it
// returns, and no other thread can send to this one), so the pump sees
// posted messages and input, and delivers every posted message before the
// next piece of input, as the platform does. Messages posted while the pump
// runs are delivered by the same run, before the input that follows.

#include "platform/win/WindowManagerImpl.h"

namespace win {

// A message for a window that does not exist is refused; one for a window
// destroyed before the pump reaches it is dropped. NOTE: there are no thread
// messages (hwnd 0): nothing could receive them.
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto& m = detail::wm();
    if (m.find(hwnd) == nullptr) {
        return FALSE;
    }
    m.posted.push_back(PostedMessage{hwnd, msg, wparam, lparam});
    return TRUE;
}

// Re-entrant: a handler may pump too (a modal loop); both take from the same
// queue, each message once.
int PumpMessages()
{
    int delivered = 0;
    for (;;) {
        auto& m = detail::wm();
        if (!m.posted.empty()) {
            const PostedMessage p = m.posted.front();
            m.posted.pop_front();
            if (detail::deliver(
                    p.hwnd, p.msg, p.wparam, p.lparam, WindowManager::Delivery::posted)) {
                ++delivered;
            }
            continue;
        }
        if (!m.input.empty()) {
            const InputEvent event = m.input.front();
            m.input.pop_front();
            delivered += detail::deliver_input(event);
            continue;
        }
        return delivered;
    }
}

} // namespace win
