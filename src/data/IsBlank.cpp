#include "data/IsBlank.h"

#include "data/Steps.h"
#include "platform/vb/Convert.h"

namespace pendrel {

bool IsBlank(const vb::Variant& Value)
{
    Steps s("IsBlank");
    bool blank = false;
    s.step("1", [&] { blank = Value.is_null() || Value.is_empty() || vb::CStr(Value).empty(); });
    return blank;
}

} // namespace pendrel
