#pragma once
// The one way tests look inside a Morvex: its private fields and procedures
// that a host never sees.

#include "dropdown/Placement.h"
#include "pendrel/Morvex.h"

namespace pendrel::test {

class MorvexProbe {
public:
    [[nodiscard]] static vb::Integer text_column(const Morvex& m) { return m.m_TextColumn; }
    // The last type-ahead search found no row.
    [[nodiscard]] static bool no_match(const Morvex& m) { return m.m_NoMatch; }
    [[nodiscard]] static dropdown::DropRect rect_for_grid(Morvex& m) { return m.GetRECTForGrid(); }
};

} // namespace pendrel::test
