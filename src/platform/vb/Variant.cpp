#include "platform/vb/Variant.h"

#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "platform/vb/Overloaded.h"

namespace vb {

VarType Variant::type() const
{
    return std::visit(Overloaded{
                          [](EmptyValue) { return VarType::Empty; },
                          [](NullValue) { return VarType::Null; },
                          [](Integer) { return VarType::Integer; },
                          [](Long) { return VarType::Long; },
                          [](Single) { return VarType::Single; },
                          [](Double) { return VarType::Double; },
                          [](Date) { return VarType::Date; },
                          [](const std::string&) { return VarType::String; },
                          [](Boolean) { return VarType::Boolean; },
                          [](const ObjectRef&) { return VarType::Object; },
                          [](MissingValue) { return VarType::Error; },
                      },
        m_value);
}

bool Variant::is_numeric() const
{
    switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Boolean:
        return true;
    default:
        return false;
    }
}

const std::string& Variant::as_string() const
{
    if (const auto* s = std::get_if<std::string>(&m_value))
        return *s;
    raise(err::TypeMismatch);
}

const ObjectRef& Variant::as_object() const
{
    // Nothing (an empty reference) and Empty are "not set"; any other value
    // is not an object at all.
    if (const auto* o = std::get_if<ObjectRef>(&m_value)) {
        if (*o)
            return *o;
        raise(err::ObjectNotSet);
    }
    if (is_empty())
        raise(err::ObjectNotSet);
    raise(err::TypeMismatch);
}

std::string to_text(const Variant& v)
{
    // Unlike CStr, the default text never fails on Null, Missing or an
    // object: it is what a value looks like in a message or a log line.
    if (v.is_null())
        return "Null";
    if (v.is_object())
        return type_name(v);
    return CStr(v);
}

std::string type_name(const Variant& v)
{
    return std::visit(Overloaded{
                          [](EmptyValue) -> std::string { return "Empty"; },
                          [](NullValue) -> std::string { return "Null"; },
                          [](Integer) -> std::string { return "Integer"; },
                          [](Long) -> std::string { return "Long"; },
                          [](Single) -> std::string { return "Single"; },
                          [](Double) -> std::string { return "Double"; },
                          [](Date) -> std::string { return "Date"; },
                          [](const std::string&) -> std::string { return "String"; },
                          [](Boolean) -> std::string { return "Boolean"; },
                          [](const ObjectRef& o) -> std::string {
                              return o ? std::string(o->type_name()) : "Nothing";
                          },
                          [](MissingValue) -> std::string { return "Error"; },
                      },
        v.storage());
}

std::optional<double> Variant::number() const
{
    return std::visit(
        [](const auto& x) -> std::optional<double> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, Boolean>)
                return x.raw();
            else if constexpr (std::is_arithmetic_v<T>)
                return static_cast<double>(x);
            else
                return std::nullopt;
        },
        m_value);
}

} // namespace vb
