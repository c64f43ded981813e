#pragma once
// The keys a Morvex keeps in its property bag, in the order in which both
// reading and writing handle them (alphabetical), with the default both
// pass. A key read several times is read with the same default each time.

#include <span>
#include <string_view>

#include "platform/host/ControlSurface.h"
#include "platform/vb/Variant.h"

namespace pendrel {

enum class StoredKey {
    Appearance,
    AutoExpand,
    BackColor,
    BorderStyle,
    BoundColumn,
    CausesValidation,
    ColumnHeads,
    ColumnWidths,
    Enabled,
    Font,
    FontBold,
    FontItalic,
    FontSize,
    FontUnderline,
    ForeColor,
    ListRows,
    RowHeight,
};

// Every key, in order.
[[nodiscard]] std::span<const StoredKey> stored_keys();

[[nodiscard]] std::string_view key_name(StoredKey key);

// The default of a key, tagged with the type the bag is given. The font
// keys default to the control surface's own font object and its
// attributes.
[[nodiscard]] vb::Variant key_default(StoredKey key, const host::ControlSurface& surface);

} // namespace pendrel
