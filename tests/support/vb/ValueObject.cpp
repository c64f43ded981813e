#include "support/vb/ValueObject.h"

#include <array>

#include "platform/vb/Dispatch.h"

namespace pendrel::test {

namespace {

using namespace vb::dispatch;

const auto k_members = std::to_array<Member<ValueObject>>({
    {"Value", vb::DISPID_VALUE, Get | Let, [](ValueObject& o, Args) { return o.value; },
        [](ValueObject& o, Args a) { o.value = a.back(); }},
});

} // namespace

ValueObject::ValueObject(vb::Variant initial, std::string class_name)
    : value(std::move(initial)), m_class_name(std::move(class_name))
{
}

vb::Variant ValueObject::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

} // namespace pendrel::test
