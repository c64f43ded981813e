// The table of stored keys.
#include "morvex/PropertyKeys.h"

#include <array>

#include "platform/gfx/Color.h"

namespace pendrel {

namespace {

struct KeyRow {
    StoredKey key;
    std::string_view name;
};

constexpr std::array k_keys{
    KeyRow{StoredKey::Appearance, "Appearance"},
    KeyRow{StoredKey::AutoExpand, "AutoExpand"},
    KeyRow{StoredKey::BackColor, "BackColor"},
    KeyRow{StoredKey::BorderStyle, "BorderStyle"},
    KeyRow{StoredKey::BoundColumn, "BoundColumn"},
    KeyRow{StoredKey::CausesValidation, "CausesValidation"},
    KeyRow{StoredKey::ColumnHeads, "ColumnHeads"},
    KeyRow{StoredKey::ColumnWidths, "ColumnWidths"},
    KeyRow{StoredKey::Enabled, "Enabled"},
    KeyRow{StoredKey::Font, "Font"},
    KeyRow{StoredKey::FontBold, "FontBold"},
    KeyRow{StoredKey::FontItalic, "FontItalic"},
    KeyRow{StoredKey::FontSize, "FontSize"},
    KeyRow{StoredKey::FontUnderline, "FontUnderline"},
    KeyRow{StoredKey::ForeColor, "ForeColor"},
    KeyRow{StoredKey::ListRows, "ListRows"},
    KeyRow{StoredKey::RowHeight, "RowHeight"},
};

constexpr bool rows_follow_the_enumeration()
{
    for (std::size_t i = 0; i < k_keys.size(); ++i) {
        if (static_cast<std::size_t>(k_keys[i].key) != i)
            return false;
    }
    return true;
}
static_assert(rows_follow_the_enumeration());

constexpr std::array k_order = [] {
    std::array<StoredKey, k_keys.size()> order{};
    for (std::size_t i = 0; i < k_keys.size(); ++i)
        order[i] = k_keys[i].key;
    return order;
}();

// An OLE_COLOR as the 32-bit signed number the bag keeps (&H8000000F).
vb::Long as_long(gfx::OLE_COLOR color)
{
    return static_cast<vb::Long>(color);
}

} // namespace

std::span<const StoredKey> stored_keys()
{
    return k_order;
}

std::string_view key_name(StoredKey key)
{
    return k_keys[static_cast<std::size_t>(key)].name;
}

vb::Variant key_default(StoredKey key, const host::ControlSurface& surface)
{
    switch (key) {
    case StoredKey::Appearance:
        return vb::Long{1};
    case StoredKey::AutoExpand:
        return vb::True;
    case StoredKey::BackColor:
        return as_long(gfx::vbButtonFace);
    case StoredKey::BorderStyle:
        return vb::Integer{1};
    case StoredKey::BoundColumn:
        return vb::Integer{1};
    case StoredKey::CausesValidation:
        return vb::False;
    case StoredKey::ColumnHeads:
        return vb::True;
    case StoredKey::ColumnWidths:
        return "100";
    case StoredKey::Enabled:
        return vb::True;
    case StoredKey::Font:
        return surface.get_Font();
    case StoredKey::FontBold:
        return surface.get_FontBold();
    case StoredKey::FontItalic:
        return surface.get_FontItalic();
    case StoredKey::FontSize:
        return surface.get_FontSize();
    case StoredKey::FontUnderline:
        return surface.get_FontUnderline();
    case StoredKey::ForeColor:
        return as_long(gfx::vbButtonText);
    case StoredKey::ListRows:
        return vb::Integer{15};
    case StoredKey::RowHeight:
        return vb::Integer{210};
    }
    return {};
}

} // namespace pendrel
