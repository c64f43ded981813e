#pragma once
// Private messages through which the standard controls talk to one another
// (and to any window that wants to take part): numbers in the range the
// window system leaves to applications (0x8000 to 0xBFFF), so they never meet
// the window system's own messages or a control's WM_USER messages.

#include "platform/win/Types.h"

namespace controls {

// "Does moving the focus to you make the window being left validate?"
// Non-zero: yes. A window that does not know the message answers 0 through
// its default procedure, so only controls that say so cause validation.
inline constexpr win::UINT CM_CAUSESVALIDATION = 0xB001;

// "The focus is about to leave you for a window that causes validation:
// validate." Non-zero: Cancel, the focus stays where it is.
inline constexpr win::UINT CM_VALIDATE = 0xB002;

} // namespace controls
