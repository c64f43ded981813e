#include "data/IsBlank.h"

#include "diag/Steps.h"
#include "platform/vb/Convert.h"

namespace pendrel {

bool IsBlank(const vb::Variant& Value)
{
    diag::Steps s("IsBlank");
    bool blank = false;
    s.step("1", [&] { blank = Value.is_null() || Value.is_empty() || vb::CStr(Value).empty(); });
    return blank;
}

} // namespace pendrel
