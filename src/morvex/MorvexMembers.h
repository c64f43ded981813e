#pragma once
// The table of _Morvex: every property, method and public variable in
// type-library order, with its dispatch identifier, its accessors and how a
// dispatch call reaches it. Members whose work is not built yet have their
// accessors listed but no functions.

#include <span>
#include <string_view>

#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace pendrel {

class Morvex;

// Which accessors a member has.
enum MemberAccess : unsigned {
    k_get = 1,
    k_let = 2,
    k_set = 4,
    k_call = 8,
};

struct MorvexMember {
    std::string_view name;
    vb::DispId id;
    unsigned access;
    // A Get or a method call, with its arguments; nullptr when not built.
    vb::Variant (*get)(Morvex& control, std::span<vb::Variant> args);
    // A Let or Set; the new value is the last argument, and a parameter
    // taken by reference is written back there. nullptr when not built or
    // read-only.
    void (*put)(Morvex& control, std::span<vb::Variant> args);
};

[[nodiscard]] std::span<const MorvexMember> morvex_members();

} // namespace pendrel
