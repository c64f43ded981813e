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
// and every mouse message of the thread while the grid holds the capture.
win::LRESULT DataGridWindowProc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

} // namespace modGridCombo
