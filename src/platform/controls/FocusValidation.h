#pragma once
// Moving the keyboard focus the way a click on a control or a control's
// SetFocus does: the control that is being left validates first when the
// control receiving the focus causes validation, and its Cancel keeps the
// focus where it is.
//
// The decision is made by messages (ControlMessages.h), so any window can
// take part: the receiving window answers CM_CAUSESVALIDATION, the window
// being left answers CM_VALIDATE. A focus change made with SetFocus
// directly, by the window manager (hiding or destroying the focus window),
// or while a validation is already running, validates nothing.

#include "platform/win/Types.h"

namespace controls {

// Steps:
// 1. If `to` is not a window: false; if it already has the focus: true.
//    Nothing is sent.
// 2. If a window has the focus, no validation is running on this thread,
//    and `to` answers CM_CAUSESVALIDATION with non-zero: send CM_VALIDATE to
//    the focus window. A non-zero answer (Cancel) ends here: false, and the
//    focus has not moved.
// 3. SetFocus(to). Returns whether `to` holds the focus afterwards (a
//    focus handler may have moved it on, or `to` may not take the focus).
bool move_focus(win::HWND to);

// Whether the window may take the focus: it is visible, and neither it nor
// a window around it is disabled.
[[nodiscard]] bool can_take_focus(win::HWND hwnd);

// Whether a CM_VALIDATE sent by move_focus is being handled on this thread.
[[nodiscard]] bool validation_running();

} // namespace controls
