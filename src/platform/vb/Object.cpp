#include "platform/vb/Object.h"

#include "platform/vb/Error.h"
#include "platform/vb/Variant.h"

namespace vb {

std::optional<DispId> Object::id_of_name(std::string_view) const
{
    return std::nullopt;
}

Variant Object::invoke(DispId, InvokeKind, std::span<Variant>)
{
    raise(err::NotSupported, std::string(type_name()));
}

} // namespace vb
