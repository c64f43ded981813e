// Keeping a Morvex's design-time settings in the host's property bag:
// first-time initialisation, reading the 17 keys back into the children and
// fields, and writing them. None of the three traps errors: a key that
// cannot be converted or that a child refuses ends the procedure there, and
// the error goes to the host.
#include "dropdown/modGridCombo.h"
#include "morvex/PropertyKeys.h"
#include "morvex/ScreenWidth.h"
#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/Screen.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"

namespace pendrel {

namespace {

constexpr vb::Long k_new_list_rows = 15;
// A stored row height below this is taken as unset.
constexpr vb::Long k_smallest_row_height = 100;
constexpr vb::Long k_default_row_height = 210;

vb::Variant read(const host::PropertyBag& bag, StoredKey key, const host::ControlSurface& surface)
{
    return bag.ReadProperty(key_name(key), key_default(key, surface));
}

gfx::OLE_COLOR color_of(const vb::Variant& v)
{
    return static_cast<gfx::OLE_COLOR>(vb::CLng(v));
}

} // namespace

// Only these two: every other field keeps its start value and the children
// their design-time settings.
void Morvex::InitProperties()
{
    // 1. Every control of the thread binds its first field.
    modGridCombo::state().BoundColumn = 1;
    // 2. Fifteen rows before the list scrolls.
    m_ListRows = k_new_list_rows;
}

void Morvex::ReadProperties(host::PropertyBag& PropBag)
{
    // 1 - 9.
    read_text_box_keys(PropBag);
    // 10 - 15.
    read_font_keys(PropBag);
    // 16 - 20.
    read_list_keys(PropBag);
    // 21. The work area, in pixels, as twips.
    win::RECT area{};
    win::SystemParametersInfoA(win::SPI_GETWORKAREA, 0, &area, 0);
    m_ScreenWidth = screen_width_twips(area, host::Screen::the().get_TwipsPerPixelX());
}

void Morvex::read_text_box_keys(host::PropertyBag& PropBag)
{
    const auto get = [&](StoredKey key) { return read(PropBag, key, surface()); };
    // 1. The look of the field and the button.
    m_txtFieldCmb->let_Appearance(vb::CInt(get(StoredKey::Appearance)));
    m_DropdownButton->let_Appearance(vb::CInt(get(StoredKey::Appearance)));
    // 2. Completing typed text.
    m_AutoExpand = vb::CBool(get(StoredKey::AutoExpand));
    // 3. One background for the field and the list.
    m_txtFieldCmb->let_BackColor(color_of(get(StoredKey::BackColor)));
    m_DropdownList->let_BackColor(color_of(get(StoredKey::BackColor)));
    // 4. The field's border.
    m_txtFieldCmb->let_BorderStyle(vb::CInt(get(StoredKey::BorderStyle)));
    // 5. Shared by every control of the thread: the one read last wins.
    modGridCombo::state().BoundColumn = vb::CInt(get(StoredKey::BoundColumn));
    // 6. Whether leaving the field validates it.
    m_txtFieldCmb->let_CausesValidation(vb::CBool(get(StoredKey::CausesValidation)));
    // 7. The grid follows at step 18.
    m_ColumnHeads = vb::CBool(get(StoredKey::ColumnHeads));
    // 8. Applied when the rows are next sized.
    m_ColumnWidths = vb::CStr(get(StoredKey::ColumnWidths));
    // 9. The surface only; the children keep their own state.
    surface().let_Enabled(vb::CBool(get(StoredKey::Enabled)));
}

void Morvex::read_font_keys(host::PropertyBag& PropBag)
{
    const auto get = [&](StoredKey key) { return read(PropBag, key, surface()); };
    // 10. The stored font is assigned as a value, that is its default
    // member, the face name: size and styles come from the next keys, and
    // its strike-through, weight and character set are not applied.
    m_txtFieldCmb->get_Font()->let_Name(vb::CStr(get(StoredKey::Font)));
    // 11. Bold type, for the field and the list.
    m_txtFieldCmb->let_FontBold(vb::CBool(get(StoredKey::FontBold)));
    m_DropdownList->get_Font()->let_Bold(vb::CBool(get(StoredKey::FontBold)));
    // 12.-14. The field's other font styles.
    m_txtFieldCmb->let_FontItalic(vb::CBool(get(StoredKey::FontItalic)));
    m_txtFieldCmb->let_FontSize(vb::CSng(get(StoredKey::FontSize)));
    m_txtFieldCmb->let_FontUnderline(vb::CBool(get(StoredKey::FontUnderline)));
    // 15. One text colour for the field and the list, kept in the field too.
    m_txtFieldCmb->let_ForeColor(color_of(get(StoredKey::ForeColor)));
    m_DropdownList->let_ForeColor(color_of(get(StoredKey::ForeColor)));
    m_ForeColor = color_of(get(StoredKey::ForeColor));
}

void Morvex::read_list_keys(host::PropertyBag& PropBag)
{
    const auto get = [&](StoredKey key) { return read(PropBag, key, surface()); };
    // 16. No upper limit here.
    m_ListRows = vb::CLng(get(StoredKey::ListRows));
    // 17. The row height, checked at step 19.
    m_RowHeight = vb::CLng(get(StoredKey::RowHeight));
    // 18. The header row that step 7 read.
    m_DropdownList->let_ColumnHeaders(m_ColumnHeads);
    // 19. A height too small to read is taken as unset.
    if (m_RowHeight < k_smallest_row_height)
        m_RowHeight = k_default_row_height;
    // 20. The grid's rows follow.
    m_DropdownList->let_RowHeight(static_cast<vb::Single>(m_RowHeight));
}

// Writing changes nothing in the control. A value equal to its key's
// default is not stored.
void Morvex::WriteProperties(host::PropertyBag& PropBag)
{
    const auto put = [&](StoredKey key, const vb::Variant& value) {
        PropBag.WriteProperty(key_name(key), value, key_default(key, surface()));
    };
    const auto& txt = *m_txtFieldCmb;
    // 1 - 9.
    put(StoredKey::Appearance, txt.get_Appearance());
    put(StoredKey::AutoExpand, m_AutoExpand);
    put(StoredKey::BackColor, static_cast<vb::Long>(txt.get_BackColor()));
    put(StoredKey::BorderStyle, txt.get_BorderStyle());
    put(StoredKey::BoundColumn, modGridCombo::state().BoundColumn);
    put(StoredKey::CausesValidation, txt.get_CausesValidation());
    put(StoredKey::ColumnHeads, m_ColumnHeads);
    put(StoredKey::ColumnWidths, m_ColumnWidths);
    put(StoredKey::Enabled, surface().get_Enabled());
    // 10 - 11. The font object, then its attributes from the text field.
    put(StoredKey::Font, txt.get_Font());
    put(StoredKey::FontBold, txt.get_FontBold());
    put(StoredKey::FontItalic, txt.get_FontItalic());
    put(StoredKey::FontSize, txt.get_FontSize());
    put(StoredKey::FontUnderline, txt.get_FontUnderline());
    // 12. The text field's colour, not the field.
    put(StoredKey::ForeColor, static_cast<vb::Long>(txt.get_ForeColor()));
    // 13 - 14.
    put(StoredKey::ListRows, m_ListRows);
    put(StoredKey::RowHeight, m_RowHeight);
}

} // namespace pendrel
