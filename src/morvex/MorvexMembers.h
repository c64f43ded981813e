#pragma once
// The table of _Morvex: every property, method and public variable in
// type-library order, with its dispatch identifier, its accessors and how a
// dispatch call reaches it. Members whose work is not built yet have their
// accessors listed but no functions.

#include <span>

#include "platform/vb/Dispatch.h"

namespace pendrel {

class Morvex;

using MorvexMember = vb::dispatch::Member<Morvex>;

[[nodiscard]] std::span<const MorvexMember> morvex_members();

} // namespace pendrel
