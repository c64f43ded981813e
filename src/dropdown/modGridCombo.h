#pragma once
// modGridCombo: the module of the list window, with its module-level
// record GridState. The record exists once per user-interface thread and is
// shared by every Morvex created on that thread; controls on different
// threads never share one. It carries what an open list needs (its windows,
// its grid, the grid's own window procedure) and two settings that look
// per-control but are per thread: BoundColumn and a copy of TextColumn.
//
// Every field starts at zero, False or no object when the thread first
// asks for the record; nothing resets the record as a whole. Opening or
// closing a list rewrites the window and grid fields, so they describe the
// control that last did so.

#include <memory>

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace grid {
class DataGrid;
}

namespace modGridCombo {

struct GridState {
    // The list window procedure is installed on the grid; also the sign
    // that a list is open.
    vb::Boolean GridSubclassed = false;
    // The last mouse move the list window procedure saw was inside the
    // grid's client rectangle.
    vb::Boolean PointerInList = false;
    // A key other than Enter was released in a text field since the last
    // commit: text changes are reported as Change.
    vb::Boolean TextEdited = false;
    // A row was just picked with the mouse: the next text change raises
    // AfterUpdate.
    vb::Boolean PickPending = false;
    // 0 or 1: a press was forwarded to a child window of the grid and its
    // tracking has not ended.
    vb::Integer ForwardedClick = 0;
    // The windows of the control that prepared the state: its text field,
    // its surface and its grid.
    win::HWND TextHwnd = 0;
    win::HWND ControlHwnd = 0;
    win::HWND GridHwnd = 0;
    // The grid's own window procedure (a procedure number), kept while the
    // list window procedure is installed.
    vb::Long PrevGridWndProc = 0;
    // The grid of the control that prepared the state; none after a close.
    std::shared_ptr<grid::DataGrid> GridControl;
    // Twips: where the closed grid goes back to inside its control.
    vb::Integer GridRestTop = 0;
    // The value of the BoundColumn property: 1-based field number, 0 for the
    // row number.
    vb::Integer BoundColumn = 0;
    // A copy of the TextColumn of the control that prepared the state.
    vb::Integer TextColumn = 0;
};

// The calling thread's record.
[[nodiscard]] GridState& state();

// Closes the list the record describes, whichever control opened it: gives
// the grid its own window procedure back, hides it, puts it back inside its
// control (disabled, at GridRestTop) and releases the capture. The grid
// keeps the size it was given for the next opening. A failing step shows a
// message box titled "HideDropDown" and ends the procedure.
void HideDropDown();

// Empties the grid's selection. A failure goes to the caller with the
// source "RemDGBookMark".
void RemDGBookMark(grid::DataGrid& grid);

// The window procedure of an open list (installed on the grid through
// GWL_WNDPROC): it sees every message of the grid while the list is open,
// and every mouse message of the thread while the grid holds the capture
// (ListWindow.cpp). A press outside the list closes it; a press on a child
// window of the grid (its scroll bar) goes to that window, and the capture
// comes back when its scrolling ends; a release on a row picks the row and
// writes its text into the text field, whose change handler reports it;
// losing the capture closes the list. Each message reaches the grid's own
// procedure (PrevGridWndProc) after its handler, but WM_VSCROLL before it
// and the grid's message 0x0414 not at all. A failing step shows a box
// titled "DataGridWindowProc", answers 0 and passes nothing on.
win::LRESULT DataGridWindowProc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

// The handlers. Coordinates are the words of the message: pixels from 0 to
// 65535, so a point left of or above the grid is far right or below it.
void DropdownList_OnMouseMove(win::HWND hwnd, vb::Long& wParam, vb::Long& x, vb::Long& y);
void DropdownList_OnLButtonDown(win::HWND hwnd, vb::Long& wParam, vb::Long& x, vb::Long& y);
void DropdownList_OnLButtonUp(win::HWND hwnd, vb::Long& wParam, vb::Long& x, vb::Long& y);
void DropdownList_OnCaptureChanged(win::HWND hwnd, vb::Long& wParam);
void DropdownList_OnVScroll(win::HWND hwnd, vb::Long& code, vb::Long& position, vb::Long& lParam);
void DropdownList_OnHScroll(win::HWND hwnd, vb::Long& code, vb::Long& position, vb::Long& lParam);

// The low and the high word of a 32-bit value, each from 0 to 65535; the
// high word is the value divided by 65536, truncated toward zero. Returns 1.
vb::Long GetHiLoWord(vb::Long value, vb::Long& lo, vb::Long& hi);
// Two words packed into a 32-bit value, the low one first: negative screen
// coordinates pack as their 16-bit patterns.
vb::Long MakeLParm(vb::Long& lo, vb::Long& hi);

} // namespace modGridCombo
