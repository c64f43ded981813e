#pragma once
// One shape for every object's dispatch entry: a table of members, one row
// each (name, identifier, the accessors it has, how many arguments it takes,
// and the functions that do the work), and one invoke that decides the
// standard errors of a wrong call before any member runs:
//
// - 438 "Object doesn't support this property or method": an identifier the
//   table does not have, or an accessor whose work is not built yet (its row
//   is there, its function is null);
// - 394 "Property is write-only": a Get of a member with only Let or Set;
// - 383 "Property is read-only": a Let or Set of a property with only Get;
// - 450 "Wrong number of arguments or invalid property assignment": a put of
//   a method, a Let of a Set-only property or a Set of a Let-only one, or a
//   number of arguments outside the member's range.
//
// A method call and a property Get are one kind of call, as the language
// makes them. Errors of the member itself (conversion of an argument, a
// value out of range) come from its function.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/vb/Ascii.h"
#include "platform/vb/Error.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace vb::dispatch {

// Which accessors a member has.
enum Access : unsigned {
    Get = 1,
    Let = 2,
    Set = 4,
    Call = 8,
};

// The arguments of a Get or a method call, fewest and most. A put takes the
// same and its new value after them.
struct Arity {
    std::uint8_t min = 0;
    std::uint8_t max = 0;
};

[[nodiscard]] constexpr Arity exactly(std::uint8_t n)
{
    return {n, n};
}

using Args = std::span<Variant>;

// What invoke checks of a member, whatever object it belongs to.
struct Shape {
    std::string_view name;
    unsigned access;
    Arity arity;
};

// Raises the error a call of `kind` with `count` arguments makes on this
// member of `type`, if any; `built` tells whether the accessor has a
// function.
void check(
    std::string_view type, const Shape& member, bool built, InvokeKind kind, std::size_t count);

template <class T> struct Member {
    std::string_view name;
    DispId id;
    unsigned access;
    // A Get or a method call; nullptr when not built.
    Variant (*get)(T& self, Args args) = nullptr;
    // A Let or Set: the new value is the last argument, and a parameter
    // taken by reference is written back there. nullptr when not built or
    // when there is no put.
    void (*put)(T& self, Args args) = nullptr;
    Arity arity = {};

    [[nodiscard]] constexpr Shape shape() const { return {name, access, arity}; }
};

// The object a Variant holds; nullptr for Nothing and for any other value.
[[nodiscard]] inline ObjectRef object_in(const Variant& v)
{
    const auto* o = std::get_if<ObjectRef>(&v.storage());
    return o != nullptr ? *o : nullptr;
}

// The identifier of a name (ASCII case-insensitive), or nothing.
template <class Table>
[[nodiscard]] std::optional<DispId> id_of_name(const Table& table, std::string_view name)
{
    for (const auto& m : table) {
        if (iequals(m.name, name))
            return m.id;
    }
    return std::nullopt;
}

// Calls the member `id` of `self` after the checks above.
template <class T>
Variant invoke(std::span<const Member<std::type_identity_t<T>>> table, T& self, DispId id,
    InvokeKind kind, Args args)
{
    for (const Member<T>& m : table) {
        if (m.id != id)
            continue;
        const bool put = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
        check(self.type_name(), m.shape(), put ? m.put != nullptr : m.get != nullptr, kind,
            args.size());
        if (!put)
            return m.get(self, args);
        m.put(self, args);
        return {};
    }
    raise(err::NotSupported, std::string(self.type_name()));
}

} // namespace vb::dispatch
