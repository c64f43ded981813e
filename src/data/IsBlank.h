#pragma once
// IsBlank: whether a value is Null, Empty or the empty text -- the test the
// control applies to its row source and connection string. A value whose
// text cannot be read (an object without a default value, say) is not
// blank; the failure is ignored.

#include "platform/vb/Variant.h"

namespace pendrel {

[[nodiscard]] bool IsBlank(const vb::Variant& Value);

} // namespace pendrel
