#pragma once
// What the grid's objects share for their dispatch entries: member tables
// by name and identifier, and reading the arguments of a call. A property
// put carries its new value as the last argument.

#include <span>
#include <string>
#include <string_view>

#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace grid::dispatch {

struct Member {
    std::string_view name;
    vb::DispId id;
};

// ASCII letters compared case-insensitively, any other byte exactly.
[[nodiscard]] bool same_name(std::string_view a, std::string_view b);

// The identifier of a name (ASCII case-insensitive), or nothing.
[[nodiscard]] std::optional<vb::DispId> find(std::span<const Member> table, std::string_view name);

[[nodiscard]] inline bool is_get(vb::InvokeKind kind)
{
    return kind == vb::InvokeKind::PropertyGet || kind == vb::InvokeKind::Method;
}
[[nodiscard]] inline bool is_put(vb::InvokeKind kind)
{
    return kind == vb::InvokeKind::PropertyLet || kind == vb::InvokeKind::PropertySet;
}

// A call no case took: 450 "Wrong number of arguments or invalid property
// assignment" for a member of the table, 438 for an unknown identifier.
[[noreturn]] void fail(std::span<const Member> table, vb::DispId id, std::string_view source);

// The object a Variant holds; nullptr for Nothing and for any other value.
[[nodiscard]] vb::ObjectRef object_in(const vb::Variant& v);

// Raises 450 unless there are exactly n.
void expect(std::span<vb::Variant> args, std::size_t n, std::string_view source);
// The new value of a put with `n` index arguments before it.
[[nodiscard]] const vb::Variant& put_value(
    std::span<vb::Variant> args, std::size_t n, std::string_view source);

} // namespace grid::dispatch
