#pragma once
// The base of every object a Variant can hold by reference, and the
// dispatch-style entry through which a scripted host reaches members by
// identifier or by name.

#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/vb/Types.h"

namespace vb {

class Variant;

using DispId = Long;

// The identifier of an object's default member. Converting an object to a
// number, a text, a Boolean or a date reads this member, as the language does
// (a field converts as its Value).
inline constexpr DispId DISPID_VALUE = 0;

enum class InvokeKind {
    Method,
    PropertyGet,
    PropertyLet,
    PropertySet,
};

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    // The class name, as the runtime's TypeName reports it.
    [[nodiscard]] virtual std::string_view type_name() const = 0;

    // The identifier of a member by name (case-insensitive), or nothing.
    [[nodiscard]] virtual std::optional<DispId> id_of_name(std::string_view name) const;

    // Calls a member by identifier. For a property put the new value is the
    // last argument. Arguments are passed by reference: a member that takes a
    // parameter by reference writes the new value back into `args`.
    // The default raises 438.
    virtual Variant invoke(DispId id, InvokeKind kind, std::span<Variant> args);
};

using ObjectRef = std::shared_ptr<Object>;

} // namespace vb
