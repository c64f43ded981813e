#include "support/vb/ValueObject.h"

#include "platform/vb/Error.h"

namespace pendrel::test {

ValueObject::ValueObject(vb::Variant value, std::string class_name)
    : m_value(std::move(value)), m_class_name(std::move(class_name))
{
}

vb::Variant ValueObject::invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args)
{
    if (id == vb::DISPID_VALUE && kind == vb::InvokeKind::PropertyGet && args.empty())
        return m_value;
    if (id == vb::DISPID_VALUE && kind == vb::InvokeKind::PropertyLet && args.size() == 1) {
        m_value = args[0];
        return {};
    }
    return Object::invoke(id, kind, args);
}

vb::Long raised_number(const std::function<void()>& call)
{
    try {
        call();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace pendrel::test
