#pragma once
// What a message's parameters carry, cracked once for every window
// procedure.

#include "platform/win/Types.h"

namespace win {

// The point of a mouse message: signed client coordinates in the low and
// high words of lParam.
[[nodiscard]] constexpr POINT point_of(LPARAM lparam)
{
    return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

} // namespace win
