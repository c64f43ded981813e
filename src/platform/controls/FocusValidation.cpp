#include "platform/controls/FocusValidation.h"

#include "platform/controls/ControlMessages.h"
#include "platform/win/User32.h"

namespace controls {

namespace {

// NOTE: per thread, like the focus itself. A validate handler that moves the
// focus (SetFocus of another control) must not validate again, or two
// controls could cancel each other for ever.
thread_local bool t_validating = false;

class ValidatingScope {
public:
    ValidatingScope() { t_validating = true; }
    ValidatingScope(const ValidatingScope&) = delete;
    ValidatingScope& operator=(const ValidatingScope&) = delete;
    ~ValidatingScope() { t_validating = false; }
};

bool cancelled_by_validation(win::HWND from, win::HWND to)
{
    if (from == 0 || t_validating || win::SendMessageA(to, CM_CAUSESVALIDATION, 0, 0) == 0) {
        return false;
    }
    const ValidatingScope scope;
    return win::SendMessageA(from, CM_VALIDATE, static_cast<win::WPARAM>(to), 0) != 0;
}

} // namespace

bool move_focus(win::HWND to)
{
    // 1. Nothing to do.
    const win::HWND from = win::GetFocus();
    if (win::IsWindow(to) == 0) {
        return false;
    }
    if (from == to) {
        return true;
    }
    // 2. The control being left validates.
    if (cancelled_by_validation(from, to)) {
        return false;
    }
    // 3. Move.
    win::SetFocus(to);
    return win::GetFocus() == to;
}

bool can_take_focus(win::HWND hwnd)
{
    if (win::IsWindow(hwnd) == 0 || win::IsWindowVisible(hwnd) == 0) {
        return false;
    }
    // Up the chain of parents; a top-level window ends it (GetParent of an
    // owned top-level window would give its owner, which does not count).
    for (win::HWND h = hwnd; h != 0; h = win::GetParent(h)) {
        if (win::IsWindowEnabled(h) == 0) {
            return false;
        }
        const auto style = static_cast<win::DWORD>(win::GetWindowLongA(h, win::GWL_STYLE));
        if ((style & win::WS_CHILD) == 0) {
            break;
        }
    }
    return true;
}

bool validation_running()
{
    return t_validating;
}

} // namespace controls
