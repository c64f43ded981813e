#include "platform/grid/CellText.h"

namespace grid {

std::string cell_text(const vb::Variant& value)
{
    if (value.is_null() || value.is_empty()) {
        return {};
    }
    return vb::to_text(value);
}

bool aligns_right(const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Single:
    case vb::VarType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace grid
