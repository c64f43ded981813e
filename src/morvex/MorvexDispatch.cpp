// _Morvex by identifier and by name, for a scripted host. A Get of a member
// without one raises 394, a put of a read-only property 383, an accessor
// of the wrong kind (a Let of Font, a Set of Text) 450, an unknown
// identifier 438.
#include "morvex/MorvexMembers.h"
#include "pendrel/Morvex.h"
#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"

namespace pendrel {

namespace {

const MorvexMember* member_of(vb::DispId id)
{
    for (const auto& m : morvex_members()) {
        if (m.id == id)
            return &m;
    }
    return nullptr;
}

std::string source_of(const MorvexMember& m)
{
    return "Morvex." + std::string(m.name);
}

} // namespace

std::optional<vb::DispId> Morvex::id_of_name(std::string_view name) const
{
    for (const auto& m : morvex_members()) {
        if (vb::iequals(m.name, name))
            return m.id;
    }
    return std::nullopt;
}

vb::Variant Morvex::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    const MorvexMember* m = member_of(id);
    if (m == nullptr)
        vb::raise(vb::err::NotSupported, "Morvex");
    // FIXME: ItemData, Value and ValueOfColumn have no functions yet.
    if (m->get == nullptr && m->put == nullptr) {
        vb::raise(vb::err::NotSupported, source_of(*m) + " is not implemented yet", source_of(*m));
    }
    if (kind == vb::InvokeKind::Method || kind == vb::InvokeKind::PropertyGet) {
        if (m->get == nullptr)
            vb::raise(vb::err::WriteOnlyProperty, source_of(*m));
        return m->get(*this, args);
    }
    const unsigned wanted = kind == vb::InvokeKind::PropertySet ? k_set : k_let;
    if (m->put == nullptr && (m->access & k_call) == 0)
        vb::raise(vb::err::ReadOnlyProperty, source_of(*m));
    if (m->put == nullptr || (m->access & wanted) == 0)
        vb::raise(vb::err::WrongArgumentCount, source_of(*m));
    m->put(*this, args);
    return {};
}

} // namespace pendrel
