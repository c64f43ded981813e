#include "platform/vb/Dispatch.h"

#include <string>

namespace vb::dispatch {

namespace {

bool takes(Arity arity, std::size_t count)
{
    return count >= arity.min && count <= arity.max;
}

} // namespace

// The order matters where two rules meet: a member whose work is not built
// says so (438) only for an accessor it has, and its arguments are counted
// only once the accessor is known to exist.
void check(
    std::string_view type, const Shape& member, bool built, InvokeKind kind, std::size_t count)
{
    const std::string source = std::string(type) + "." + std::string(member.name);
    if (kind == InvokeKind::Method || kind == InvokeKind::PropertyGet) {
        if ((member.access & (Get | Call)) == 0)
            raise(err::WriteOnlyProperty, source);
        if (!built)
            raise(err::NotSupported, source + " is not implemented yet", source);
        if (!takes(member.arity, count))
            raise(err::WrongArgumentCount, source);
        return;
    }
    const unsigned wanted = kind == InvokeKind::PropertySet ? Set : Let;
    if ((member.access & (Let | Set)) == 0)
        raise(
            (member.access & Call) != 0 ? err::WrongArgumentCount : err::ReadOnlyProperty, source);
    if ((member.access & wanted) == 0)
        raise(err::WrongArgumentCount, source);
    if (!built)
        raise(err::NotSupported, source + " is not implemented yet", source);
    if (count == 0 || !takes(member.arity, count - 1))
        raise(err::WrongArgumentCount, source);
}

} // namespace vb::dispatch
