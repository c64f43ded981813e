// Parents and children: the desktop, GetParent, SetParent, IsChild and the
// walks over a window's subtree.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

void collect_preorder(WindowManager::Impl& m, HWND hwnd, std::vector<HWND>& out)
{
    const Window* w = m.find(hwnd);
    if (w == nullptr) {
        return;
    }
    out.push_back(hwnd);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        collect_preorder(m, *it, out);
    }
}

void collect_postorder(WindowManager::Impl& m, HWND hwnd, std::vector<HWND>& out)
{
    const Window* w = m.find(hwnd);
    if (w == nullptr) {
        return;
    }
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        collect_postorder(m, *it, out);
    }
    out.push_back(hwnd);
}

} // namespace

std::vector<HWND> detail::subtree_preorder(HWND root)
{
    std::vector<HWND> out;
    collect_preorder(wm(), root, out);
    return out;
}

std::vector<HWND> detail::subtree_postorder(HWND root)
{
    std::vector<HWND> out;
    collect_postorder(wm(), root, out);
    return out;
}

bool detail::within(HWND root, HWND hwnd)
{
    auto& m = wm();
    for (const Window* w = m.find(hwnd); w != nullptr; w = m.find(w->parent)) {
        if (w->handle == root) {
            return true;
        }
    }
    return false;
}

bool detail::being_destroyed(HWND hwnd)
{
    auto& m = wm();
    for (const Window* w = m.find(hwnd); w != nullptr; w = m.find(w->parent)) {
        if (w->destroy_running) {
            return true;
        }
    }
    return false;
}

HWND GetDesktopWindow()
{
    return detail::wm().desktop;
}

BOOL IsWindow(HWND hwnd)
{
    return detail::wm().find(hwnd) != nullptr ? TRUE : FALSE;
}

// As on the platform: a child window's parent (the desktop's handle for a
// child window placed on the desktop), a pop-up's owner, 0 for any other
// top-level window.
HWND GetParent(HWND hwnd)
{
    const Window* w = detail::wm().find(hwnd);
    if (w == nullptr) {
        return 0;
    }
    if ((w->style & WS_CHILD) != 0) {
        return w->parent;
    }
    return (w->style & WS_POPUP) != 0 ? w->owner : 0;
}

// The chain of parents is followed only through child windows: a window
// inside a pop-up is not a child of the window that owns the pop-up.
BOOL IsChild(HWND parent, HWND hwnd)
{
    auto& m = detail::wm();
    if (parent == m.desktop) {
        return FALSE;
    }
    for (const Window* w = m.find(hwnd); w != nullptr && (w->style & WS_CHILD) != 0;
         w = m.find(w->parent)) {
        if (w->parent == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

// The window keeps its position numbers, which from now on count from the new
// parent's client area (to the desktop: screen coordinates), and goes on top
// of its new siblings. Returns the previous parent (the desktop's handle for
// a top-level window), 0 on failure: an unknown window, the desktop, a new
// parent that lies inside the window itself, or a window or new parent whose
// WM_NCDESTROY is due. The focus and the capture stay where they are.
HWND SetParent(HWND child, HWND new_parent)
{
    auto& m = detail::wm();
    const HWND target = new_parent == 0 ? m.desktop : new_parent;
    Window* w = m.find(child);
    Window* p = m.find(target);
    if (w == nullptr || p == nullptr || child == m.desktop || detail::within(child, target)
        || w->nc_destroying || p->nc_destroying) {
        return 0;
    }
    const HWND previous = w->parent;
    if (previous == target) {
        return previous;
    }
    if (Window* old = m.find(previous)) {
        detail::unlink_child(*old, child);
    }
    detail::link_child(*p, *w);
    detail::invalidate(previous);
    detail::invalidate(child);
    return previous;
}

} // namespace win
