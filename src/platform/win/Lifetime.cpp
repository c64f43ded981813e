// Making and destroying windows.

#include "platform/win/WindowManagerImpl.h"

namespace win {

namespace {

HWND top_level_of(HWND hwnd)
{
    auto& m = detail::wm();
    const Window* w = m.find(hwnd);
    while (w != nullptr && w->parent != m.desktop) {
        w = m.find(w->parent);
    }
    return w == nullptr ? 0 : w->handle;
}

std::unique_ptr<Window> make_record(
    const WNDCLASS& cls, DWORD ex_style, std::string_view text, DWORD style, const RECT& rect)
{
    auto w = std::make_unique<Window>();
    w->handle = detail::allocate_handle();
    w->proc = cls.proc;
    w->class_name = cls.name;
    w->background = cls.background;
    w->text = text;
    w->style = style & ~WS_VISIBLE; // shown only once WM_CREATE has run
    w->ex_style = ex_style;
    w->rect = rect;
    return w;
}

void destroy_owned_windows(HWND owner)
{
    auto& m = detail::wm();
    const std::vector<HWND> top_level = m.desktop_window().children;
    for (HWND h : top_level) {
        const Window* w = m.find(h);
        if (w != nullptr && w->owner == owner) {
            DestroyWindow(h);
        }
    }
}

// Takes the destroyed windows out of every lookup; a window whose procedure is
// still on the stack is freed when that dispatch returns.
void release_records(HWND root)
{
    auto& m = detail::wm();
    const std::vector<HWND> doomed = detail::subtree_postorder(root);
    if (const Window* w = m.find(root)) {
        if (Window* parent = m.find(w->parent)) {
            detail::unlink_child(*parent, root);
        }
    }
    for (HWND h : doomed) {
        auto node = m.live.extract(h);
        if (node.empty()) {
            continue;
        }
        // A handler that took the capture or the focus during the destroy
        // messages loses it silently: there is no window left to tell.
        if (m.capture == h) {
            m.capture = 0;
        }
        if (m.focus == h) {
            m.focus = 0;
        }
        if (node.mapped()->dispatch_depth > 0) {
            m.unreleased.insert(std::move(node));
        }
    }
}

// WM_DESTROY to every window of the tree that has not had it, parents before
// children, siblings top-most first; the tree is walked again after each
// message, so a window a handler moved into the tree or made in it gets its
// WM_DESTROY too.
void send_destroy_messages(HWND root)
{
    auto& m = detail::wm();
    for (;;) {
        HWND next = 0;
        for (HWND h : detail::subtree_preorder(root)) {
            Window* w = m.find(h);
            if (!w->destroy_sent) {
                w->destroy_sent = true;
                next = h;
                break;
            }
        }
        if (next == 0) {
            return;
        }
        SendMessageA(next, WM_DESTROY, 0, 0);
    }
}

} // namespace

HWND CreateWindowExA(DWORD ex_style, std::string_view class_name, std::string_view text,
    DWORD style, int x, int y, int width, int height, HWND parent, void* create_param)
{
    // 1. The class, the parent and the text must be good.
    auto& m = detail::wm();
    const auto cls = detail::find_class(class_name);
    HWND parent_handle = parent == 0 ? m.desktop : parent;
    const Window* parent_window = m.find(parent_handle);
    if (!cls || parent_window == nullptr || parent_window->nc_destroying
        || !detail::is_valid_text(text)) {
        return 0;
    }
    // 2. A window that is not a child window is a top-level window; the window
    //    it was given becomes its owner (the top-level window around it).
    HWND owner = 0;
    if ((style & WS_CHILD) == 0 && parent_handle != m.desktop) {
        owner = top_level_of(parent_handle);
        parent_handle = m.desktop;
    }
    // 3. The record, linked on top of its siblings.
    auto record = make_record(*cls, ex_style, text, style, detail::clamp_rect(x, y, width, height));
    record->owner = owner;
    const HWND hwnd = record->handle;
    Window& w = *record;
    m.live.emplace(hwnd, std::move(record));
    detail::link_child(*m.find(parent_handle), w);
    // 4. WM_NCCREATE (FALSE refuses) and WM_CREATE (-1 refuses).
    const auto param = reinterpret_cast<LPARAM>(create_param);
    if (SendMessageA(hwnd, WM_NCCREATE, 0, param) == FALSE
        || SendMessageA(hwnd, WM_CREATE, 0, param) == -1) {
        DestroyWindow(hwnd);
        return 0;
    }
    // 5. The first size and position, then showing it.
    detail::send_size(hwnd);
    detail::send_move(hwnd);
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) != FALSE ? hwnd : 0;
}

// Steps, each of which may run handlers that change the tree; every step
// therefore starts from handles.
BOOL DestroyWindow(HWND hwnd)
{
    auto& m = detail::wm();
    if (m.find(hwnd) == nullptr || hwnd == m.desktop || detail::being_destroyed(hwnd)) {
        return FALSE;
    }
    // 1. Claim the tree: a nested DestroyWindow of any window in it (also one
    //    moved in or made later) leaves it to this call.
    m.find(hwnd)->destroy_running = true;
    for (HWND h : detail::subtree_preorder(hwnd)) {
        m.find(h)->destroy_sent = false;
    }
    // 2. Windows it owns go first.
    destroy_owned_windows(hwnd);
    // 3. Hide it; a focus held inside moves to its parent.
    ShowWindow(hwnd, SW_HIDE);
    detail::move_focus_out_of(hwnd);
    // 4. WM_DESTROY, parents before children.
    send_destroy_messages(hwnd);
    // 5. A capture held inside is given up.
    detail::release_capture_within(hwnd);
    // 6. WM_NCDESTROY, children before parents; the tree is closed now.
    for (HWND h : detail::subtree_preorder(hwnd)) {
        m.find(h)->nc_destroying = true;
    }
    for (HWND h : detail::subtree_postorder(hwnd)) {
        SendMessageA(h, WM_NCDESTROY, 0, 0);
    }
    // 7. Gone.
    release_records(hwnd);
    return TRUE;
}

} // namespace win
