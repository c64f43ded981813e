#pragma once
// The names of window messages, for messages printed by tests.

#include <string>

#include "platform/win/Types.h"

namespace pendrel::test {

// "WM_CAPTURECHANGED"; "WM_USER+20" above WM_USER; "0x1234" when unknown.
[[nodiscard]] std::string message_name(win::UINT msg);

} // namespace pendrel::test
