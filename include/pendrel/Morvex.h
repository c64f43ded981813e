#pragma once
// Morvex: a multi-column combo box. A single-line text field (txtFieldCmb)
// with a drop-down button (DropdownButton) at its right end, and a data
// grid (DropdownList) that lists the rows of an SQL row source in several
// columns. The host places it on a form (factory()), gives it a connection
// string (CnStr) and a row source (RowSource), and receives its events.
//
//   host::Form form("Orders");
//   auto& ctl = pendrel::Morvex::of(
//       form.add_control("cboCity", pendrel::Morvex::factory(), {120, 120, 3015, 375}));
//   ctl.let_CnStr("Provider=SQLite;Data Source=shop.db");
//   ctl.let_RowSource("SELECT id, name FROM cities ORDER BY name");
//   ctl.get_ColumnCount();                   // 2
//   ctl.get_Recordset()->get_RecordCount();  // the rows
//
// Most appearance properties are not kept by the control but forwarded to
// the text field and, for the colours and bold type, to the list grid too.
// Setters of stored or bindable settings end by telling the host the
// property's name (ControlSurface::PropertyChanged). A failing child stops
// a setter at that step: the earlier steps stay done and nothing is
// signalled.
//
// The member functions live in src/morvex/, one file per concern (the
// shell, properties, persistence, dispatch, row source, list size, opening
// and closing).
//
// Everything runs on the thread that created the control. Settings kept per
// thread (BoundColumn among them) are shared by every Morvex of the thread.
//
// Typing: every key released in the text field searches the rows for the
// typed prefix in the text column (type-ahead) and, with AutoExpand,
// completes the text and selects the completed part. Enter, or the focus
// leaving the control, commits an edited text: BeforeUpdate and AfterUpdate
// when the last search found a row, NotInList when it did not.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pendrel/TypeLibrary.h"
#include "platform/gfx/Color.h"
#include "platform/host/StdFont.h"
#include "platform/host/UserControl.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace ado {
class Recordset;
}
namespace controls {
class CommandButton;
class TextBox;
} // namespace controls
namespace grid {
class Column;
class DataGrid;
} // namespace grid
namespace host {
class Site;
}
namespace diag {
class Steps;
}
namespace dropdown {
struct DropRect;
}

namespace pendrel {

class clsDataSource;
namespace test {
class MorvexProbe;
}

class Morvex final : public host::UserControl, public vb::Object {
public:
    static constexpr std::string_view k_class_name = "Pendrel.Morvex";

    // Creates the three children on the surface in their design-time state.
    explicit Morvex(host::ControlSurface& surface);
    ~Morvex() override;

    // What a form needs to place a Morvex.
    [[nodiscard]] static host::ControlFactory factory();
    // The Morvex on a site; raises 13 when the site holds another control.
    [[nodiscard]] static Morvex& of(const host::Site& site);

    // -- Lifecycle (host::UserControl) --

    [[nodiscard]] std::string_view class_name() const override { return k_class_name; }
    [[nodiscard]] std::span<const host::EventInfo> event_table() const override;
    // First-time initialisation: BoundColumn 1 for the thread, ListRows 15.
    void InitProperties() override;
    // Reads the 17 stored keys in order and applies them; a key that fails
    // ends the reading there with its error (the keys before it stay
    // applied). Computes ScreenWidth from the desktop work area.
    void ReadProperties(host::PropertyBag& PropBag) override;
    void WriteProperties(host::PropertyBag& PropBag) override;
    // Raise the events of the same names, nothing else.
    void Show() override;
    void Hide() override;
    void Paint() override;
    // Places the children: the text field fills the control, the button
    // sits over its right end, the closed list waits below the control. An
    // open list closes.
    void Resize() override;
    // The focus coming into the control closes an open list; leaving it
    // commits an edited text and raises ExitFocus.
    void EnterFocus() override;
    void ExitFocus() override;
    void LostFocus() override;
    // Closes an open list, then releases the data-source object (an open
    // recordset closes with it).
    void Terminate() override;

    // -- Dispatch (_Morvex), by identifier and by name --

    [[nodiscard]] std::string_view type_name() const override { return "Morvex"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // -- _Morvex, in type-library order --

    // Public variables: the log file path (set by CnStr) and the desktop
    // work-area width in twips (computed when the properties are read).
    [[nodiscard]] const std::string& get_fLogging() const { return m_fLogging; }
    void let_fLogging(std::string_view New_fLogging) { m_fLogging = New_fLogging; }
    [[nodiscard]] vb::Integer get_ScreenWidth() const { return m_ScreenWidth; }
    void let_ScreenWidth(vb::Integer New_ScreenWidth) { m_ScreenWidth = New_ScreenWidth; }

    // 1 opens the list (not when it is open or the control is disabled),
    // 0 closes it, any other value opens it unconditionally.
    void ShowDropDown(vb::Integer& Show);
    // Opens the list unless the text just failed to match a row (caret at
    // the end, no Backspace or Delete since).
    void DropDown();
    // The bound column of the current row: the list grid's column object
    // itself, whose default value is its cell in the current row; with
    // BoundColumn 0, the current row's number. Writing looks up the first
    // row whose bound field equals the value -- written into the criterion
    // as it is, so a text must come quoted -- makes it current and shows its
    // text; with BoundColumn 0 the row of that number becomes current and the
    // text stays. A failing step is logged and the next one runs.
    [[nodiscard]] vb::Variant get_Value();
    void let_Value(const vb::Variant& newValue);
    // The bound column of row RowIndex (from 1), which becomes the current
    // row of the list and its recordset. Failures go to the caller.
    [[nodiscard]] vb::Variant get_ItemData(vb::Integer RowIndex);
    // 1-based field number of Value, 0 for the row number; shared by every
    // Morvex of the thread.
    [[nodiscard]] vb::Integer get_BoundColumn() const;
    void let_BoundColumn(vb::Integer New_BoundColumn);
    // The list grid's column number ColumnNbr (from 1), as an object whose
    // default value is its cell in the current row; "" when there is none.
    [[nodiscard]] vb::Variant get_ValueOfColumn(vb::Long ColumnNbr) const;
    // The number of the list grid's columns.
    [[nodiscard]] vb::Long get_ColumnCount() const;
    // Binds the text field (not the list) to the host's data.
    void let_DataField(std::string_view New_DataField);
    // An object answering the data-source callback, or Nothing; raises 424
    // for a value that is no object and 13 for an object that is no data
    // source.
    void set_dataSource(const vb::Variant& New_dataSource);
    // The data-source object's recordset; the object is made on first use,
    // so before any row source this is a new, closed recordset.
    [[nodiscard]] std::shared_ptr<ado::Recordset> get_Recordset();
    // Stores the connection string and points fLogging at the fixed log
    // path. Opens nothing: it takes effect at the next changed RowSource.
    void let_CnStr(std::string_view New_CnStr);
    // Twips; raises 6 above 32767.
    [[nodiscard]] vb::Integer get_ListWidth() const;
    // The stored row source is the SQL text after the wildcard rewrite
    // (PrepSQLforJoker with the text field's text). Writing a text that
    // rewrites to the stored one does nothing; otherwise a blank row source
    // or connection string unbinds the list, and anything else builds a new
    // data-source object and binds the list to it. Failing steps are logged
    // and the next step runs.
    [[nodiscard]] const std::string& get_RowSource() const { return m_RowSource; }
    void let_RowSource(std::string_view New_RowSource);
    // Stores at most 25.
    [[nodiscard]] vb::Integer get_ListRows() const;
    void let_ListRows(vb::Integer New_ListRows);
    [[nodiscard]] const std::string& get_ColumnWidths() const { return m_ColumnWidths; }
    void let_ColumnWidths(std::string_view New_ColumnWidths);
    [[nodiscard]] vb::Boolean get_AutoExpand() const { return m_AutoExpand; }
    void let_AutoExpand(vb::Boolean New_AutoExpand);
    // Twips; also handed to the grid.
    [[nodiscard]] vb::Long get_RowHeight() const { return m_RowHeight; }
    void let_RowHeight(vb::Long New_RowHeight);
    // The text field's colour; setting it colours the grid too.
    [[nodiscard]] gfx::OLE_COLOR get_BackColor() const;
    void let_BackColor(gfx::OLE_COLOR New_BackColor);
    // The stored field (0 until set or read), not the text field's colour.
    [[nodiscard]] gfx::OLE_COLOR get_ForeColor() const { return m_ForeColor; }
    void let_ForeColor(gfx::OLE_COLOR New_ForeColor);
    // The text field's bold type; setting it makes the grid's font bold too.
    [[nodiscard]] vb::Boolean get_FontBold() const;
    void let_FontBold(vb::Boolean& New_FontBold);
    [[nodiscard]] vb::Boolean get_ColumnHeads() const { return m_ColumnHeads; }
    void let_ColumnHeads(vb::Boolean& NewColumnHeads);
    // Closes the list and empties the text field.
    void Clear();
    // The control surface's Enabled. Setting it enables or disables the
    // surface, the text field, the button and the grid, in that order.
    [[nodiscard]] vb::Boolean get_Enabled() const;
    void let_Enabled(vb::Boolean New_Enabled);
    // The text field's look; the button follows when the properties are
    // next read.
    [[nodiscard]] mtbAppearance get_Appearance() const;
    void let_Appearance(mtbAppearance New_Appearance);
    // The text field's font object itself (shared: changing it changes the
    // text field). The grid's font is not touched.
    [[nodiscard]] const host::StdFontRef& get_Font() const;
    void set_Font(host::StdFontRef New_Font);
    [[nodiscard]] vb::Boolean get_FontItalic() const;
    void let_FontItalic(vb::Boolean New_FontItalic);
    [[nodiscard]] vb::Single get_FontSize() const;
    void let_FontSize(vb::Single New_FontSize);
    [[nodiscard]] vb::Boolean get_FontUnderline() const;
    void let_FontUnderline(vb::Boolean New_FontUnderline);
    // The control surface's window, not the text field's.
    [[nodiscard]] vb::Long get_hwnd() const;
    // Characters; the reads raise 6 above 32767.
    [[nodiscard]] vb::Integer get_SelLength() const;
    void let_SelLength(vb::Integer New_SelLength);
    [[nodiscard]] vb::Integer get_SelStart() const;
    void let_SelStart(vb::Integer New_SelStart);
    [[nodiscard]] std::string get_SelText() const;
    void let_SelText(std::string_view New_SelText);
    // Handed unchanged to the control surface; left-out arguments go on as
    // Missing.
    void PopupMenu(const vb::Variant& Menu, const vb::Variant& Flags = vb::Missing,
        const vb::Variant& X = vb::Missing, const vb::Variant& Y = vb::Missing,
        const vb::Variant& DefaultMenu = vb::Missing);
    // Repaints the text field, then the control surface.
    void Refresh();
    [[nodiscard]] const std::string& get_Text() const;
    void let_Text(std::string_view New_Text);
    [[nodiscard]] vb::Boolean get_CausesValidation() const;
    void let_CausesValidation(vb::Boolean New_CausesValidation);

    // -- The children, for the library's own code, hosts that look inside
    //    and tests --

    [[nodiscard]] controls::TextBox& txtFieldCmb() const { return *m_txtFieldCmb; }
    [[nodiscard]] controls::CommandButton& DropdownButton() const { return *m_DropdownButton; }
    [[nodiscard]] grid::DataGrid& DropdownList() const { return *m_DropdownList; }

private:
    // Tests look at the internals below through this one class.
    friend class test::MorvexProbe;

    // src/morvex/Morvex.cpp: the children in their design-time state, and
    // every notification of theirs wired to its handler in one place.
    void create_children();
    void wire_children();
    void txtFieldCmb_KeyDown(vb::Integer& KeyCode, vb::Integer& Shift);
    void txtFieldCmb_KeyPress(vb::Integer& KeyAscii);
    void txtFieldCmb_Validate(vb::Boolean& Cancel);
    void DropdownButton_Click();
    void UserControl_Resize();

    // src/morvex/MorvexTyping.cpp: keys, changes and focus, and the commit.
    void txtFieldCmb_KeyUp(vb::Integer& KeyCode, vb::Integer& Shift);
    void txtFieldCmb_Change();
    void txtFieldCmb_GotFocus();
    void UserControl_ExitFocus();
    void RememberEditKey(vb::Integer KeyCode);
    void AfterUpdateOrNotInList();
    // src/morvex/MorvexTypeAhead.cpp: the search for the typed prefix.
    void AutoComplete(controls::TextBox& box);
    void search_prefix(diag::Steps& s, controls::TextBox& box);
    void empty_text(diag::Steps& s, controls::TextBox& box);

    // src/morvex/MorvexDropDown.cpp: opening the list.
    // The number that stands for a procedure, to compare with what
    // GWL_WNDPROC reads, and the one of the list's window procedure.
    vb::Long GetTheAddressOf(vb::Long& number);
    vb::Long list_window_proc_number();
    void InitpData();
    // src/morvex/MorvexHover.cpp: the row under the pointer is the one
    // selected row of the open list.
    void DropdownList_MouseMove(vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y);
    void PrepareDataGrid();
    // src/morvex/MorvexListSize.cpp: the list's size and its columns, and
    // where it opens.
    vb::Integer aantalGesplitsteDelenInString(
        std::vector<std::string>& Parts, std::string_view Text, std::string_view Sep);
    void ResizeGrid();
    void ready_type_ahead();
    void list_width(diag::Steps& s, vb::Long allowance);
    void ResizeColumns();
    void explicit_widths(diag::Steps& s);
    void automatic_widths(diag::Steps& s, vb::Integer char_width);
    [[nodiscard]] dropdown::DropRect GetRECTForGrid();

    // src/morvex/MorvexPersistence.cpp: reading in three groups of keys.
    void read_text_box_keys(host::PropertyBag& PropBag);
    void read_font_keys(host::PropertyBag& PropBag);
    void read_list_keys(host::PropertyBag& PropBag);

    // src/morvex/MorvexRowSource.cpp: the data-source object, made on
    // demand, its recordset, and a column of the list grid (from 0; raises
    // what the grid raises for one it lacks).
    clsDataSource& data_source();
    ado::Recordset& rows();
    [[nodiscard]] std::shared_ptr<grid::Column> list_column(vb::Long index) const;

    std::unique_ptr<controls::TextBox> m_txtFieldCmb;
    std::unique_ptr<controls::CommandButton> m_DropdownButton;
    std::shared_ptr<grid::DataGrid> m_DropdownList;

    // Per-control fields; a new control starts with each zero, empty or
    // False until the host initialises it or reads its properties.
    std::string m_fLogging;
    vb::Integer m_ScreenWidth = 0;
    std::shared_ptr<clsDataSource> m_data_source;
    std::string m_RowSource;
    std::string m_CnStr;
    vb::Boolean m_BackspacePressed = false;
    vb::Boolean m_DeletePressed = false;
    vb::Boolean m_AutoExpand = false;
    vb::Boolean m_ColumnHeads = false;
    std::string m_ColumnWidths;
    std::string m_DataField;
    gfx::OLE_COLOR m_ForeColor = 0;
    vb::Long m_ListRows = 0;
    vb::Long m_ListWidth = 0;
    vb::Boolean m_NoMatch = false;
    vb::Long m_RowHeight = 0;
    // 1-based number of the first column with a positive width: the column
    // the text field shows. 0 until the widths are first applied.
    vb::Integer m_TextColumn = 0;
};

} // namespace pendrel
