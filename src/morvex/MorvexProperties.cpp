// The properties of a Morvex that forward to its children or keep a field,
// and the methods Clear, Refresh and PopupMenu. Each setter of a stored or
// bindable setting ends by telling the host the property's name; a child
// that refuses a value ends the setter before that.
#include <algorithm>

#include "data/IsBlank.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/vb/Convert.h"

namespace pendrel {

namespace {

// The most rows a list shows before it scrolls.
constexpr vb::Long k_max_list_rows = 25;

} // namespace

vb::Integer Morvex::get_BoundColumn() const
{
    return modGridCombo::state().BoundColumn;
}

// No range check: 0 means the row number, anything else a field number.
void Morvex::let_BoundColumn(vb::Integer New_BoundColumn)
{
    modGridCombo::state().BoundColumn = New_BoundColumn;
    surface().PropertyChanged("BoundColumn");
}

vb::Integer Morvex::get_ListWidth() const
{
    return vb::narrow(m_ListWidth);
}

vb::Integer Morvex::get_ListRows() const
{
    return vb::narrow(m_ListRows);
}

// Values below 25, zero and negative ones included, are kept as they are;
// the list size follows at its next computation.
void Morvex::let_ListRows(vb::Integer New_ListRows)
{
    m_ListRows = std::min<vb::Long>(New_ListRows, k_max_list_rows);
    surface().PropertyChanged("ListRows");
}

void Morvex::let_ColumnWidths(std::string_view New_ColumnWidths)
{
    m_ColumnWidths = New_ColumnWidths;
    // The list follows at once when it has rows to show.
    if (!IsBlank(vb::Variant(m_RowSource)) && !IsBlank(vb::Variant(m_CnStr)))
        ResizeGrid();
    surface().PropertyChanged("ColumnWidths");
}

void Morvex::let_AutoExpand(vb::Boolean New_AutoExpand)
{
    m_AutoExpand = New_AutoExpand;
    surface().PropertyChanged("AutoExpand");
}

// The list size follows at its next computation.
void Morvex::let_RowHeight(vb::Long New_RowHeight)
{
    m_RowHeight = New_RowHeight;
    m_DropdownList->let_RowHeight(static_cast<vb::Single>(m_RowHeight));
    surface().PropertyChanged("RowHeight");
}

gfx::OLE_COLOR Morvex::get_BackColor() const
{
    return m_txtFieldCmb->get_BackColor();
}

void Morvex::let_BackColor(gfx::OLE_COLOR New_BackColor)
{
    m_txtFieldCmb->let_BackColor(New_BackColor);
    m_DropdownList->let_BackColor(New_BackColor);
    surface().PropertyChanged("BackColor");
}

void Morvex::let_ForeColor(gfx::OLE_COLOR New_ForeColor)
{
    m_txtFieldCmb->let_ForeColor(New_ForeColor);
    m_DropdownList->let_ForeColor(New_ForeColor);
    m_ForeColor = New_ForeColor;
    surface().PropertyChanged("ForeColor");
}

vb::Boolean Morvex::get_FontBold() const
{
    return m_txtFieldCmb->get_FontBold();
}

void Morvex::let_FontBold(vb::Boolean& New_FontBold)
{
    m_txtFieldCmb->let_FontBold(New_FontBold);
    m_DropdownList->get_Font()->let_Bold(New_FontBold);
    surface().PropertyChanged("FontBold");
}

void Morvex::let_ColumnHeads(vb::Boolean& NewColumnHeads)
{
    m_ColumnHeads = NewColumnHeads;
    m_DropdownList->let_ColumnHeaders(m_ColumnHeads);
    surface().PropertyChanged("ColumnHeads");
}

void Morvex::Clear()
{
    // 1. An open list closes.
    vb::Integer close = 0;
    ShowDropDown(close);
    // 2. The field is emptied.
    m_txtFieldCmb->let_Text("");
}

vb::Boolean Morvex::get_Enabled() const
{
    return surface().get_Enabled();
}

void Morvex::let_Enabled(vb::Boolean New_Enabled)
{
    // 1.-3. The surface, the field and the button.
    surface().let_Enabled(New_Enabled);
    m_txtFieldCmb->let_Enabled(New_Enabled);
    m_DropdownButton->let_Enabled(New_Enabled);
    // 4. Through the grid's extender, which refuses a grid whose window is
    // gone.
    m_DropdownList->extender().let_Enabled(New_Enabled);
    // 5. An open list closes.
    vb::Integer close = 0;
    ShowDropDown(close);
    // 6. The children are laid out again.
    UserControl_Resize();
    // 7. The host is told.
    surface().PropertyChanged("Enabled");
}

mtbAppearance Morvex::get_Appearance() const
{
    return static_cast<mtbAppearance>(m_txtFieldCmb->get_Appearance());
}

// The button keeps its look until the properties are next read.
void Morvex::let_Appearance(mtbAppearance New_Appearance)
{
    m_txtFieldCmb->let_Appearance(vb::narrow(New_Appearance));
    surface().PropertyChanged("Appearance");
}

const host::StdFontRef& Morvex::get_Font() const
{
    return m_txtFieldCmb->get_Font();
}

void Morvex::set_Font(host::StdFontRef New_Font)
{
    m_txtFieldCmb->set_Font(std::move(New_Font));
    surface().PropertyChanged("Font");
}

vb::Boolean Morvex::get_FontItalic() const
{
    return m_txtFieldCmb->get_FontItalic();
}

void Morvex::let_FontItalic(vb::Boolean New_FontItalic)
{
    m_txtFieldCmb->let_FontItalic(New_FontItalic);
    surface().PropertyChanged("FontItalic");
}

vb::Single Morvex::get_FontSize() const
{
    return m_txtFieldCmb->get_FontSize();
}

void Morvex::let_FontSize(vb::Single New_FontSize)
{
    m_txtFieldCmb->let_FontSize(New_FontSize);
    surface().PropertyChanged("FontSize");
}

vb::Boolean Morvex::get_FontUnderline() const
{
    return m_txtFieldCmb->get_FontUnderline();
}

void Morvex::let_FontUnderline(vb::Boolean New_FontUnderline)
{
    m_txtFieldCmb->let_FontUnderline(New_FontUnderline);
    surface().PropertyChanged("FontUnderline");
}

vb::Long Morvex::get_hwnd() const
{
    return static_cast<vb::Long>(surface().get_hWnd());
}

// The text field counts in 32 bits; a value beyond 32767 is an overflow,
// not clipped.
vb::Integer Morvex::get_SelLength() const
{
    return vb::narrow(m_txtFieldCmb->get_SelLength());
}

void Morvex::let_SelLength(vb::Integer New_SelLength)
{
    m_txtFieldCmb->let_SelLength(New_SelLength);
}

vb::Integer Morvex::get_SelStart() const
{
    return vb::narrow(m_txtFieldCmb->get_SelStart());
}

void Morvex::let_SelStart(vb::Integer New_SelStart)
{
    m_txtFieldCmb->let_SelStart(New_SelStart);
}

std::string Morvex::get_SelText() const
{
    return m_txtFieldCmb->get_SelText();
}

void Morvex::let_SelText(std::string_view New_SelText)
{
    m_txtFieldCmb->let_SelText(New_SelText);
}

void Morvex::PopupMenu(const vb::Variant& Menu, const vb::Variant& Flags, const vb::Variant& X,
    const vb::Variant& Y, const vb::Variant& DefaultMenu)
{
    surface().PopupMenu(Menu, Flags, X, Y, DefaultMenu);
}

void Morvex::Refresh()
{
    m_txtFieldCmb->Refresh();
    surface().Refresh();
}

const std::string& Morvex::get_Text() const
{
    return m_txtFieldCmb->get_Text();
}

void Morvex::let_Text(std::string_view New_Text)
{
    m_txtFieldCmb->let_Text(New_Text);
}

vb::Boolean Morvex::get_CausesValidation() const
{
    return m_txtFieldCmb->get_CausesValidation();
}

void Morvex::let_CausesValidation(vb::Boolean New_CausesValidation)
{
    m_txtFieldCmb->let_CausesValidation(New_CausesValidation);
    surface().PropertyChanged("CausesValidation");
}

} // namespace pendrel
