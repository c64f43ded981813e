// Procedure numbers and the window longs. A window procedure is a plain
// function; GWL_WNDPROC reads and writes it as a 32-bit number that stands for
// it, so code written for 32-bit procedure addresses works unchanged: it can
// keep the number, compare it and hand it back to SetWindowLongA or
// CallWindowProcA.

#include <mutex>
#include <vector>

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// Numbers look like code addresses: never 0, never negative, and the
// registry of the process gives every function the same number on every
// thread for the life of the process.
constexpr LONG k_first_number = 0x00401000;
constexpr LONG k_number_step = 0x10;

struct Procedures {
    std::mutex mutex;
    std::vector<WNDPROC> by_index;
};

Procedures& procedures()
{
    static Procedures instance;
    return instance;
}

} // namespace

LONG ProcNumber(WNDPROC proc)
{
    if (proc == nullptr) {
        return 0;
    }
    Procedures& all = procedures();
    const std::scoped_lock lock(all.mutex);
    std::size_t index = 0;
    while (index < all.by_index.size() && all.by_index[index] != proc) {
        ++index;
    }
    if (index == all.by_index.size()) {
        all.by_index.push_back(proc);
    }
    return k_first_number + static_cast<LONG>(index) * k_number_step;
}

WNDPROC ProcFromNumber(LONG number)
{
    if (number < k_first_number || (number - k_first_number) % k_number_step != 0) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>((number - k_first_number) / k_number_step);
    Procedures& all = procedures();
    const std::scoped_lock lock(all.mutex);
    return index < all.by_index.size() ? all.by_index[index] : nullptr;
}

LONG GetWindowLongA(HWND hwnd, int index)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    switch (index) {
    case GWL_WNDPROC:
        return ProcNumber(w->proc);
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->ex_style);
    case GWL_ID:
        return w->id;
    case GWL_USERDATA:
        return w->user_data;
    default:
        return 0;
    }
}

// NOTE: GWL_STYLE and GWL_EXSTYLE change the bits only, as on the platform:
// showing, hiding, enabling and z-order with their consequences (capture,
// focus, messages) belong to ShowWindow, EnableWindow and SetWindowPos.
LONG SetWindowLongA(HWND hwnd, int index, LONG value)
{
    Window* w = detail::wm().find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    LONG previous = 0;
    switch (index) {
    case GWL_WNDPROC: {
        // An unknown number installs nothing: the window keeps a procedure
        // that exists, and the call returns it.
        previous = ProcNumber(w->proc);
        if (const WNDPROC proc = ProcFromNumber(value)) {
            w->proc = proc;
        }
        return previous;
    }
    case GWL_STYLE:
        previous = static_cast<LONG>(w->style);
        w->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        previous = static_cast<LONG>(w->ex_style);
        w->ex_style = static_cast<DWORD>(value);
        break;
    case GWL_ID:
        previous = w->id;
        w->id = value;
        return previous;
    case GWL_USERDATA:
        previous = w->user_data;
        w->user_data = value;
        return previous;
    default:
        return 0;
    }
    if (previous != value) {
        detail::invalidate(hwnd);
    }
    return previous;
}

void SetWindowData(HWND hwnd, void* data)
{
    if (Window* w = detail::wm().find(hwnd)) {
        w->data = data;
    }
}

void* GetWindowData(HWND hwnd)
{
    const Window* w = detail::wm().find(hwnd);
    return w == nullptr ? nullptr : w->data;
}

} // namespace win
