#pragma once
// The window functions, with the platform's names, argument orders and
// return values. Each works on the calling thread's window manager
// (WindowManager::the()); a handle of another thread's window, or of a
// destroyed one, is simply not found (functions return 0 / FALSE).

#include <string>
#include <string_view>

#include "platform/win/Types.h"

namespace win {

// A window class: its procedure and the look the compositor gives a window
// before the window paints itself.
struct WNDCLASS {
    std::string name;
    WNDPROC proc = nullptr;
    std::uint32_t background = 0x8000000F; // OLE_COLOR; 0xFFFFFFFF: none
};

// Registers a class; registering a known name again replaces it. Returns
// FALSE for an empty name or a null procedure. Classes belong to the process
// (every thread sees them; WindowManager::reset keeps them); names compare
// without regard to ASCII case.
BOOL RegisterClassA(const WNDCLASS& cls);

// Creates a window. x and y are relative to the parent's client area for a
// child (WS_CHILD), screen coordinates otherwise. The procedure receives
// WM_NCCREATE then WM_CREATE (lParam = the create_param pointer); a FALSE
// from WM_NCCREATE or -1 from WM_CREATE destroys it again and returns 0.
// Then WM_SIZE and WM_MOVE, and with WS_VISIBLE what ShowWindow sends.
// parent 0 makes a top-level window (a child of the desktop); a window
// without WS_CHILD given a parent is a top-level window owned by the
// parent's top-level window, and is destroyed before it. Returns 0 for an
// unknown class or parent, or a text that is not UTF-8.
HWND CreateWindowExA(DWORD ex_style, std::string_view class_name, std::string_view text,
    DWORD style, int x, int y, int width, int height, HWND parent, void* create_param = nullptr);
// Destroys the window and its children (WM_DESTROY goes to the parent
// first, then the children; WM_NCDESTROY to the children first; siblings
// top-most first). A window whose procedure is still on the stack is freed
// only when that dispatch returns; until then it is already invisible to
// every lookup. Before WM_DESTROY the window is hidden (WM_SHOWWINDOW, then
// WM_WINDOWPOSCHANGED) and a focus held inside it moves to its parent; a
// capture held inside it is released after the WM_DESTROY messages and
// before the WM_NCDESTROY messages. A nested DestroyWindow of a window being
// destroyed returns FALSE.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// Procedures and window longs.
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProcA(LONG proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
// The 32-bit number that stands for a procedure (registering it on first
// use), and the procedure a number stands for (nullptr if none).
LONG ProcNumber(WNDPROC proc);
WNDPROC ProcFromNumber(LONG number);
// Per-window data of the window's owner (an object pointer); not a window long
// because pointers do not fit 32 bits.
void SetWindowData(HWND hwnd, void* data);
void* GetWindowData(HWND hwnd);

// Messages.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// Hierarchy.
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND new_parent); // returns the previous parent
BOOL IsChild(HWND parent, HWND hwnd); // through child windows only

// Visibility, position and z-order.
BOOL ShowWindow(HWND hwnd, int cmd); // returns whether it was visible before
BOOL IsWindowVisible(HWND hwnd); // it and all its parents are shown
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL EnableWindow(HWND hwnd, BOOL enable); // returns whether it was disabled before
BOOL IsWindowEnabled(HWND hwnd);

// Text: UTF-8, through WM_SETTEXT / WM_GETTEXT to the window's procedure.
// A text that is not UTF-8 or holds a NUL is refused (FALSE, nothing sent).
BOOL SetWindowTextA(HWND hwnd, std::string_view text);
int GetWindowTextA(HWND hwnd, char* buffer, int max_count);
std::string GetWindowText(HWND hwnd);

// Geometry, in screen pixels.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ScreenToClient(HWND hwnd, POINT* point);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL PtInRect(const RECT* rect, POINT point);
HWND WindowFromPoint(POINT point);

// Mouse capture and keyboard focus.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
BOOL GetCursorPos(POINT* point);

// The display.
int GetSystemMetrics(int index);
BOOL SystemParametersInfoA(UINT action, UINT param, void* pv, UINT win_ini);
// The longest time in milliseconds between the two presses of a double
// click (500).
UINT GetDoubleClickTime();

// The message pump: delivers posted messages, and injected input as mouse
// and key messages, until both are empty; every posted message goes before
// the next piece of input. Returns the number of messages delivered.
int PumpMessages();

} // namespace win
