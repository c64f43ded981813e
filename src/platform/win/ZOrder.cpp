// The order of a window's children, bottom-most first. Among the desktop's
// children the top-most windows (WS_EX_TOPMOST) form an upper group that
// always lies above the others; each operation keeps it so.

#include <algorithm>

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

bool in_upper_group(const Window& parent, const Window& child)
{
    return parent.parent == 0 && child.topmost();
}

// Index of the first window of the upper group (the end when there is none).
std::size_t upper_group_start(const Window& parent)
{
    auto& m = detail::wm();
    std::size_t i = 0;
    for (; i < parent.children.size(); ++i) {
        const Window* sibling = m.find(parent.children[i]);
        if (sibling != nullptr && in_upper_group(parent, *sibling)) {
            break;
        }
    }
    return i;
}

void place_on_top_of_group(Window& parent, Window& child)
{
    if (in_upper_group(parent, child) || parent.parent != 0) {
        parent.children.push_back(child.handle);
    } else {
        const auto at = static_cast<std::ptrdiff_t>(upper_group_start(parent));
        parent.children.insert(parent.children.begin() + at, child.handle);
    }
}

void set_topmost(Window& window, bool topmost)
{
    window.ex_style
        = topmost ? (window.ex_style | WS_EX_TOPMOST) : (window.ex_style & ~WS_EX_TOPMOST);
}

// Just below the given sibling. A window that is not top-most stays so,
// below the lowest top-most one; a top-most window placed below one that is
// not leaves the top-most group.
void place_below(Window& parent, Window& child, HWND sibling_handle)
{
    const bool desktop = parent.parent == 0;
    const Window* sibling = detail::wm().find(sibling_handle);
    if (desktop && sibling != nullptr && sibling->topmost() && !child.topmost()) {
        place_on_top_of_group(parent, child);
        return;
    }
    if (desktop && sibling != nullptr) {
        set_topmost(child, sibling->topmost());
    }
    const auto at = std::find(parent.children.begin(), parent.children.end(), sibling_handle);
    parent.children.insert(at, child.handle);
}

} // namespace

void detail::link_child(Window& parent, Window& child)
{
    child.parent = parent.handle;
    place_on_top_of_group(parent, child);
}

void detail::unlink_child(Window& parent, HWND child)
{
    auto& list = parent.children;
    list.erase(std::remove(list.begin(), list.end(), child), list.end());
}

bool detail::is_sibling_handle(const Window& parent, HWND child, HWND insert_after)
{
    if (insert_after == HWND_TOP || insert_after == HWND_BOTTOM || insert_after == HWND_TOPMOST
        || insert_after == HWND_NOTOPMOST) {
        return true;
    }
    const auto& list = parent.children;
    return insert_after != child && std::find(list.begin(), list.end(), insert_after) != list.end();
}

// For a child window HWND_TOPMOST means HWND_TOP and HWND_NOTOPMOST nothing:
// only the desktop's children have the two groups.
bool detail::restack(Window& parent, Window& child, HWND insert_after)
{
    const std::vector<HWND> before = parent.children;
    const DWORD ex_style_before = child.ex_style;
    const bool desktop = parent.parent == 0;
    unlink_child(parent, child.handle);
    if (insert_after == HWND_TOPMOST) {
        set_topmost(child, desktop || child.topmost());
        parent.children.push_back(child.handle);
    } else if (insert_after == HWND_NOTOPMOST) {
        if (desktop && child.topmost()) {
            set_topmost(child, false);
            place_on_top_of_group(parent, child);
        } else {
            parent.children = before;
        }
    } else if (insert_after == HWND_TOP) {
        place_on_top_of_group(parent, child);
    } else if (insert_after == HWND_BOTTOM) {
        // A top-most window sent to the bottom stops being top-most.
        if (desktop) {
            set_topmost(child, false);
        }
        parent.children.insert(parent.children.begin(), child.handle);
    } else {
        place_below(parent, child, insert_after);
    }
    return parent.children != before || child.ex_style != ex_style_before;
}

} // namespace win
