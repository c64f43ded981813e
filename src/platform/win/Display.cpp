// The display of one thread: screen size, work area and pixels per inch,
// and the system metrics that follow from them.

#include "platform/vb/Error.h"
#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

// The scroll bar sizes at 96 pixels per inch.
constexpr int k_scroll_bar_pixels = 17;

// pixels * dpi / 96, rounded to the nearest integer, halves to even.
int scaled(int pixels, int dpi)
{
    const long long numerator = static_cast<long long>(pixels) * dpi;
    const long long quotient = numerator / 96;
    const long long twice_remainder = 2 * (numerator % 96);
    const bool up = twice_remainder > 96 || (twice_remainder == 96 && quotient % 2 != 0);
    return static_cast<int>(up ? quotient + 1 : quotient);
}

void check(bool condition, const char* description)
{
    if (!condition) {
        vb::raise(vb::err::InvalidPropertyValue, description, "WindowManager.set_display");
    }
}

} // namespace

const Display& WindowManager::display() const
{
    return m_impl->display;
}

// The screen is 1 to 32767 pixels each way, the work area a non-empty part
// of it, 1 to 4800 pixels per inch.
void WindowManager::set_display(const Display& display)
{
    check(display.width >= 1 && display.width <= 32767 && display.height >= 1
            && display.height <= 32767,
        "The screen size must be 1 to 32767 pixels each way");
    const RECT& area = display.work_area;
    check(area.left >= 0 && area.top >= 0 && area.right <= display.width
            && area.bottom <= display.height && area.left < area.right && area.top < area.bottom,
        "The work area must be a non-empty part of the screen");
    check(display.dpi >= 1 && display.dpi <= 4800, "Pixels per inch must be 1 to 4800");
    m_impl->display = display;
    m_impl->desktop_window().rect = RECT{0, 0, display.width, display.height};
    detail::invalidate(m_impl->desktop);
}

int GetSystemMetrics(int index)
{
    const Display& display = detail::wm().display;
    switch (index) {
    case SM_CXSCREEN:
        return display.width;
    case SM_CYSCREEN:
        return display.height;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CXHTHUMB:
        return scaled(k_scroll_bar_pixels, display.dpi);
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    default:
        return 0;
    }
}

UINT GetDoubleClickTime()
{
    return 500;
}

BOOL SystemParametersInfoA(UINT action, UINT /*param*/, void* pv, UINT /*win_ini*/)
{
    if (action != SPI_GETWORKAREA || pv == nullptr) {
        return FALSE;
    }
    *static_cast<RECT*>(pv) = detail::wm().display.work_area;
    return TRUE;
}

} // namespace win
