#pragma once
// The inside of the per-thread window manager: the window records, the
// queues and the state that the window functions share. Only the window
// manager's own files include this header.
//
// NOTE: every function that can dispatch (send a message, call a procedure,
// run on_invalidate) may destroy windows, reparent them or replace the
// procedure. Code here therefore holds handles, and looks the record up
// again (find) after each such call; a Window& is never kept across one.

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace win {

// Not in Types.h on purpose: the drawing layer's C libraries define TRUE and
// FALSE as macros.
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// One window. Owned by its thread's manager.
struct Window {
    HWND handle = 0;
    HWND parent = 0; // 0 only for the desktop
    HWND owner = 0; // the owning top-level window of an owned top-level window
    std::vector<HWND> children; // bottom-most first
    WNDPROC proc = nullptr;
    std::string class_name;
    std::string text; // UTF-8
    DWORD style = 0;
    DWORD ex_style = 0;
    LONG id = 0;
    LONG user_data = 0;
    RECT rect; // the window rectangle in the parent's client coordinates
    int border = -1; // pixels; -1: one pixel with WS_BORDER, none without
    std::uint32_t background = 0;
    void* data = nullptr;
    // Procedures of this window on the stack (deliveries and CallWindowProcA).
    int dispatch_depth = 0;
    // DestroyWindow of this window is running: a nested DestroyWindow of it
    // or of any window now inside it leaves it to that call.
    bool destroy_running = false;
    // It had its WM_DESTROY in the destruction that is running.
    bool destroy_sent = false;
    // Its WM_NCDESTROY is due: no window moves into or out of it and no
    // child is made in it any more.
    bool nc_destroying = false;

    [[nodiscard]] bool shown() const { return (style & WS_VISIBLE) != 0; }
    [[nodiscard]] bool disabled() const { return (style & WS_DISABLED) != 0; }
    [[nodiscard]] bool topmost() const { return (ex_style & WS_EX_TOPMOST) != 0; }
    [[nodiscard]] int border_width() const;
};

struct PostedMessage {
    HWND hwnd = 0;
    UINT msg = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

// One piece of injected input, as the device reported it. It becomes a
// window message only when the pump delivers it, so the window under the
// point and the capture are those of that moment.
struct InputEvent {
    enum class Kind {
        mouse_move,
        button_down,
        button_up,
        double_click,
        wheel,
        key_down,
        key_up,
        character,
    };
    Kind kind = Kind::mouse_move;
    POINT point; // screen pixels (mouse)
    bool right = false; // the right button (button_down, button_up)
    WPARAM keys = 0; // MK_* state just after the event (mouse)
    int vk = 0; // key_down, key_up
    bool was_down = false; // key_down: the key was already down (auto-repeat)
    char32_t ch = 0; // character
    int delta = 0; // wheel
};

struct WindowManager::Impl {
    Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl();

    // The live window with this handle, or nullptr (unknown, another
    // thread's, or destroyed).
    Window* find(HWND hwnd);
    // Also a destroyed window whose procedure is still on the stack.
    Window* find_any(HWND hwnd);
    Window& desktop_window() { return *find(desktop); }

    Display display;
    HWND desktop = 0;
    std::unordered_map<HWND, std::unique_ptr<Window>> live;
    // Destroyed windows waiting for the dispatches on their stack to return.
    std::unordered_map<HWND, std::unique_ptr<Window>> unreleased;

    HWND capture = 0;
    HWND focus = 0;

    POINT cursor;
    std::array<bool, 256> keys{};
    bool left_down = false;
    bool right_down = false;

    std::deque<PostedMessage> posted;
    std::deque<InputEvent> input;

    // How each message now on the stack arrived, outermost first.
    std::vector<Delivery> deliveries;
    // Procedures on the stack, of any window (deliveries and calls).
    int active_calls = 0;
};

namespace detail {

// The calling thread's manager.
WindowManager::Impl& wm();

// A fresh handle: unique in the process for its lifetime, never reused.
HWND allocate_handle();

// Delivers a message to a live window's current procedure; nullopt when the
// window is not (or no longer) there.
std::optional<LRESULT> deliver(
    HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, WindowManager::Delivery how);

// Tells on_invalidate.
void invalidate(HWND hwnd);

// The window and everything below it: parents before children, and
// children before parents; siblings top-most first.
std::vector<HWND> subtree_preorder(HWND root);
std::vector<HWND> subtree_postorder(HWND root);
// hwnd is root or lies below it.
bool within(HWND root, HWND hwnd);
// hwnd or a window around it is being destroyed.
bool being_destroyed(HWND hwnd);

// Sibling order (ZOrder.cpp). A new or re-parented child goes on top of its
// group (among the desktop's children the top-most windows form the upper
// group); restack applies SetWindowPos's insert-after handle and says
// whether anything changed.
void link_child(Window& parent, Window& child);
void unlink_child(Window& parent, HWND child);
bool restack(Window& parent, Window& child, HWND insert_after);
bool is_sibling_handle(const Window& parent, HWND child, HWND insert_after);

// Geometry (Geometry.cpp), screen pixels.
POINT client_origin(const Window& window);
RECT window_rect_on_screen(const Window& window);
RECT client_rect_on_screen(const Window& window);
// Keeps positions within 16-bit coordinates and sizes within 0..32767.
RECT clamp_rect(int x, int y, int width, int height);

// What the window manager does when part of the tree is destroyed (and,
// for the focus, when the focus window itself is hidden): the capture held
// inside root is released; the focus inside it moves to root's parent, or
// nowhere when that is the desktop or cannot take it.
// Each change comes with its notifications.
void release_capture_within(HWND root);
void move_focus_out_of(HWND root);
// A window may take the focus: neither it nor a window around it is
// disabled, and its top-level window is not a child window placed on the
// desktop. Hidden windows may.
bool can_take_focus(HWND hwnd);

// Window classes (ClassRegistry.cpp).
std::optional<WNDCLASS> find_class(std::string_view name);

// WM_SIZE and WM_MOVE with the window's present client size and position
// (DefWindowProc.cpp).
void send_size(HWND hwnd);
void send_move(HWND hwnd);

// Window text (WindowText.cpp).
bool is_valid_text(std::string_view text);
LRESULT set_text(HWND hwnd, const char* text);
LRESULT copy_text(HWND hwnd, WPARAM size, char* buffer);
LRESULT text_length(HWND hwnd);

// The queue's input (MouseRouting.cpp): delivers one input event as window
// messages; returns how many it delivered.
int deliver_input(const InputEvent& event);

} // namespace detail

} // namespace win
