#pragma once
// A message box as a dialog window on the live desktop: a top-most window
// of the class "#32770", centred on the work area, with the title, the
// style's icon, the prompt (a line per line break) and the style's buttons,
// the first of them the default. MsgBox runs one when its thread has an
// input wait (ModalLoop.h).
//
// While the box is up (numbered as the steps in MessageBoxDialog.cpp):
//  1. the window holding the mouse capture gets WM_CANCELMODE, and a
//     capture still held after that is released, so no window (an open
//     list) keeps the mouse while a person answers;
//  2. every other visible, enabled top-level window is disabled, and the
//     box takes the keyboard focus;
//  3. a click on a button answers; Enter answers with the focused button,
//     Escape with Cancel (or OK alone); Tab, Left and Right move between
//     the buttons.
// Then the box is destroyed, the windows it disabled are enabled again and
// the focus goes back to the window that had it, if it is still there.

#include <optional>
#include <string_view>

#include "platform/vb/Types.h"
#include "platform/win/Types.h"

namespace host {

// Shows the box, runs a modal loop until it is answered and returns the
// answer; abandoned_answer(style) when the input ends first.
vb::Integer run_message_box(std::string_view prompt, vb::Integer style, std::string_view title);

// The innermost open box of the calling thread (0 for none), and the screen
// rectangle of its button that gives `answer`.
[[nodiscard]] win::HWND open_message_box();
[[nodiscard]] std::optional<win::RECT> message_box_button(vb::Integer answer);

} // namespace host
