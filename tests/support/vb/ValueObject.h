#pragma once
// A small runtime object whose default member (DISPID_VALUE) reads and
// writes one stored value, the way a field converts as its value.

#include <string>

#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace pendrel::test {

class ValueObject : public vb::Object {
public:
    explicit ValueObject(vb::Variant value, std::string class_name = "ValueObject");

    [[nodiscard]] std::string_view type_name() const override { return m_class_name; }
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    vb::Variant value;

private:
    std::string m_class_name;
};

// An object with no default member: converting it raises 438.
class PlainObject : public vb::Object {
public:
    [[nodiscard]] std::string_view type_name() const override { return "PlainObject"; }
};

} // namespace pendrel::test
