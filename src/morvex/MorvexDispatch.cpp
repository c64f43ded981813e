// _Morvex by identifier and by name, for a scripted host.
#include "morvex/MorvexMembers.h"
#include "pendrel/Morvex.h"

namespace pendrel {

std::optional<vb::DispId> Morvex::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(morvex_members(), name);
}

vb::Variant Morvex::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(morvex_members(), *this, id, kind, args);
}

} // namespace pendrel
