#pragma once
// The data grid: a window of the class "PendrelDataGrid" that shows the rows
// of a recordset in columns, one column per field, under a header row. It is
// bound by giving DataSource a data-source object (DataSource.h); the grid
// asks that object once for its recordset and from then on shares it: the
// recordset's current row is the grid's current row, whoever moves it.
//
// Units: the members work in twips relative to the grid's client area, as
// the host's controls do; the window in pixels (15 twips each at 96 dpi).
// Geometry: a header band when ColumnHeaders is on, then rows of RowHeight
// from the first displayed row; the visible columns from the first displayed
// column, left to right; scroll bars at the right and bottom edges when
// ScrollBars asks for them. Every query and every paint costs only the
// displayed rows, however many rows the recordset holds.
//
// The window: WM_NCHITTEST answers HTCLIENT inside the client area and
// HTBORDER on the border; WM_MOUSEMOVE raises on_mouse_move; a left press on
// a row makes it the current row; the wheel scrolls three rows a notch; the
// arrow, page, Home and End keys move the current row; WM_VSCROLL and
// WM_HSCROLL from the grid's scroll bars scroll the rows and columns. A
// press on a scroll bar is the bar's own: it takes the capture while it
// tracks; if it took it from the grid, the grid takes it back at
// SB_ENDSCROLL (while the grid is shown and nobody else has taken it).
//
// A grid whose parent is the desktop (a drop-down list) never takes the
// keyboard focus on a press, so the field that opened it keeps it; a grid
// inside a form takes the focus like any control.
//
// The grid is made for picking rows: it never adds, deletes or edits rows,
// and its settings say so (AllowAddNew, AllowDelete, AllowUpdate False).
//
// Create grids with create(): they are shared by reference, as their
// columns and selection refer back to them.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/ControlWindow.h"
#include "platform/gfx/Canvas.h"
#include "platform/grid/Column.h"
#include "platform/grid/DataSource.h"
#include "platform/grid/GridGeometry.h"
#include "platform/host/Extender.h"
#include "platform/host/StdFont.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace ado {
class Recordset;
}
namespace controls {
class ScrollBar;
}

namespace grid {

class Columns;
class SelBookmarks;

// ScrollBars.
inline constexpr vb::Integer dbgNone = 0;
inline constexpr vb::Integer dbgHorizontal = 1;
inline constexpr vb::Integer dbgVertical = 2;
inline constexpr vb::Integer dbgBoth = 3;
inline constexpr vb::Integer dbgAutomatic = 4;

// Appearance, BorderStyle, TabAction.
inline constexpr vb::Integer dbgFlat = 0;
inline constexpr vb::Integer dbg3D = 1;
inline constexpr vb::Integer dbgNoBorder = 0;
inline constexpr vb::Integer dbgFixedSingle = 1;
inline constexpr vb::Integer dbgControlNavigation = 0;

class DataGrid final : public vb::Object, public controls::ControlWindow {
    struct Passkey {};

public:
    static constexpr std::string_view k_class = "PendrelDataGrid";

    // A grid at `rect` (pixels; in the parent's client area, or on the
    // screen when parent is 0), unbound. WS_CHILD is added for a parent.
    [[nodiscard]] static std::shared_ptr<DataGrid> create(
        win::HWND parent, const win::RECT& rect, win::DWORD style = win::WS_VISIBLE);
    explicit DataGrid(Passkey);
    ~DataGrid() override;

    [[nodiscard]] static DataGrid* from_hwnd(win::HWND hwnd);

    [[nodiscard]] std::string_view type_name() const override { return "DataGrid"; }
    // DataGridDispatch.cpp: the members below by name and identifier, and
    // the extender's Left, Top, Width, Height, Visible and Enabled.
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    // Where the host placed the grid, in twips.
    [[nodiscard]] host::Extender extender() const { return host::Extender(get_hWnd()); }

    // -- Binding (DataGridBinding.cpp) --

    // The data-source object, or Nothing.
    [[nodiscard]] vb::Variant get_DataSource() const;
    // An object that implements DataSource: the grid drops its rows, calls
    // Class_GetDataMember(DataMember, Data) once and shows the recordset it
    // receives. Empty, Null or Nothing: the grid drops its rows. Anything
    // else raises 424 (not an object) or 13 (an object that is no data
    // source), leaving the grid as it was.
    void set_DataSource(const vb::Variant& New_DataSource);
    [[nodiscard]] const std::string& get_DataMember() const { return m_data_member; }
    void let_DataMember(std::string_view New_DataMember) { m_data_member = New_DataMember; }
    // Keeps the current column layout (widths, visibility, captions, by
    // field name) for the next binding; changes nothing now.
    void HoldFields();
    // Forgets a held layout: the next binding makes default columns.
    void ClearFields();
    // Builds the columns again from the recordset's fields (keeping a held
    // layout) and shows its rows from the top.
    void ReBind();
    // The shared recordset, or nullptr when unbound.
    [[nodiscard]] const std::shared_ptr<ado::Recordset>& recordset() const { return m_recordset; }

    [[nodiscard]] std::shared_ptr<Columns> get_Columns();
    [[nodiscard]] std::shared_ptr<SelBookmarks> get_SelBookmarks();

    // The current row's bookmark, Null without one. Setting it moves the
    // recordset (raising what the recordset raises for a bookmark that is
    // not one of its own) and scrolls the row into view.
    [[nodiscard]] vb::Variant get_Bookmark();
    void let_Bookmark(const vb::Variant& New_Bookmark);
    // The number of rows.
    [[nodiscard]] vb::Long get_ApproxCount() const;

    // -- Rows and columns on the screen (DataGridRows.cpp) --

    // The displayed row (0-based) under Y twips, -1 over the header, below
    // the last row or outside the rows.
    [[nodiscard]] vb::Integer RowContaining(vb::Single Y);
    // The column under X twips, -1 right of the last column or outside.
    [[nodiscard]] vb::Integer ColContaining(vb::Single X);
    // The bookmark of displayed row RowNum; raises 9 for a row that is not
    // displayed.
    [[nodiscard]] vb::Variant RowBookmark(vb::Integer RowNum);
    // The bookmark of the row `RowNum` rows after the current one (Null
    // when there is none).
    [[nodiscard]] vb::Variant GetBookmark(vb::Long RowNum);
    // Rows shown at least in part.
    [[nodiscard]] vb::Integer get_VisibleRows();
    // The first displayed row's bookmark (Null without rows); setting it
    // scrolls there (as far as the rows allow).
    [[nodiscard]] vb::Variant get_FirstRow();
    void let_FirstRow(const vb::Variant& New_FirstRow);
    // The first displayed column; raises 9 outside the columns.
    [[nodiscard]] vb::Integer get_LeftCol() const { return static_cast<vb::Integer>(m_left_col); }
    void let_LeftCol(vb::Integer New_LeftCol);
    // The current row among the displayed ones, -1 when it is not shown.
    [[nodiscard]] vb::Integer get_Row();
    // Scrolls by visible columns and by rows (negative: back).
    void Scroll(vb::Long ColsToScroll, vb::Long RowsToScroll);

    // -- Appearance (DataGrid.cpp) --

    // 0 none, 1 horizontal, 2 vertical, 3 both, 4 automatic; 380 otherwise.
    [[nodiscard]] vb::Integer get_ScrollBars() const { return m_scroll_bars; }
    void let_ScrollBars(vb::Integer New_ScrollBars);
    // OLE_COLOR; 380 for a value that is not a colour.
    [[nodiscard]] gfx::OLE_COLOR get_BackColor() const { return m_back_color; }
    void let_BackColor(gfx::OLE_COLOR New_BackColor);
    [[nodiscard]] gfx::OLE_COLOR get_ForeColor() const { return m_fore_color; }
    void let_ForeColor(gfx::OLE_COLOR New_ForeColor);
    // The fonts of the rows and of the header, shared by reference: a
    // change of the object (its Bold, say) shows at once. Nothing raises
    // 424.
    [[nodiscard]] const host::StdFontRef& get_Font() const { return m_font; }
    void set_Font(host::StdFontRef New_Font);
    [[nodiscard]] const host::StdFontRef& get_HeadFont() const { return m_head_font; }
    void set_HeadFont(host::StdFontRef New_HeadFont);
    [[nodiscard]] vb::Boolean get_ColumnHeaders() const { return m_column_headers; }
    void let_ColumnHeaders(vb::Boolean New_ColumnHeaders);
    // Twips. 0 sizes rows from the font (reading then gives that height);
    // a negative height, one that is not a number or one above 32767
    // pixels raises 380.
    [[nodiscard]] vb::Single get_RowHeight() const;
    void let_RowHeight(vb::Single New_RowHeight);

    // The header band's height in twips (0 without column headers).
    [[nodiscard]] vb::Single get_HeaderHeight() const;

    // The scroll bars shown now (nullptr for a bar that is not).
    [[nodiscard]] controls::ScrollBar* vertical_bar() const { return m_vbar.get(); }
    [[nodiscard]] controls::ScrollBar* horizontal_bar() const { return m_hbar.get(); }

    // -- Settings of a list rows are picked from (read only) --

    [[nodiscard]] vb::Boolean get_AllowAddNew() const { return false; }
    [[nodiscard]] vb::Boolean get_AllowArrows() const { return true; }
    [[nodiscard]] vb::Boolean get_AllowDelete() const { return false; }
    [[nodiscard]] vb::Boolean get_AllowUpdate() const { return false; }
    [[nodiscard]] vb::Integer get_Appearance() const { return dbgFlat; }
    [[nodiscard]] vb::Integer get_BorderStyle() const;
    // 0: each column's default width comes from the font.
    [[nodiscard]] vb::Single get_DefColWidth() const { return 0; }
    [[nodiscard]] vb::Boolean get_RightToLeft() const { return false; }
    [[nodiscard]] vb::Boolean get_TabAcrossSplits() const { return false; }
    [[nodiscard]] vb::Integer get_TabAction() const { return dbgControlNavigation; }
    [[nodiscard]] vb::Boolean get_WrapCellPointer() const { return false; }

    // -- Events --

    // WM_MOUSEMOVE: Button 1 left, 2 right; Shift 1 Shift, 2 Ctrl, 4 Alt;
    // X and Y in twips relative to the client area (negative or beyond it
    // while the grid holds the capture and the pointer is outside).
    std::function<void(vb::Integer Button, vb::Integer Shift, vb::Single X, vb::Single Y)>
        on_mouse_move;
    // The user made another row current (a press, a key).
    std::function<void()> on_row_col_change;
    // The displayed rows or columns moved.
    std::function<void()> on_scroll;

    // -- For the grid's columns and selection --

    // The columns, one per field in field order (after catching up with a
    // recordset opened again meanwhile).
    [[nodiscard]] const std::vector<std::shared_ptr<Column>>& columns();

    // The cell of field `field` in the current row; raises 6160 without one.
    [[nodiscard]] vb::Variant current_cell(std::size_t field);
    // A column's width or visibility changed.
    void columns_changed();
    // The row (0-based) a bookmark names, or nothing when it names none.
    [[nodiscard]] std::optional<std::int64_t> row_of_bookmark(const vb::Variant& bookmark) const;
    // The selection of a row (0-based) changed: that row repaints.
    void selection_changed(std::int64_t row) const;
    // Only a displayed row's band is repainted; other rows show nothing.
    void invalidate_row(std::int64_t row) const;

private:
    static win::LRESULT proc(win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam);

    // DataGridBinding.cpp.
    void unbind();
    void bind_recordset(std::shared_ptr<ado::Recordset> recordset);
    void build_columns();
    void recordset_reopened();
    void show_from_top();
    [[nodiscard]] bool columns_match_fields() const;
    void sync_with_recordset();
    [[nodiscard]] std::int64_t row_count() const;
    [[nodiscard]] std::int64_t current_row() const;
    void make_current(std::int64_t row);

    // DataGridRows.cpp.
    [[nodiscard]] GridGeometry geometry() const;
    [[nodiscard]] int row_pixels() const;
    [[nodiscard]] int header_pixels() const;
    [[nodiscard]] static double twips_per_pixel();
    void scroll_rows_to(std::int64_t first_row);
    void scroll_columns_to(std::size_t ordinal);
    void ensure_visible(std::int64_t row);

    // DataGridScrollBars.cpp.
    void update_layout();
    void place_bars(const win::RECT& client, BarsShown bars);
    void update_bar_positions();

    // DataGridWindow.cpp.
    [[nodiscard]] win::LRESULT on_nc_hit_test(win::LPARAM lparam) const;
    void on_mouse_move_message(win::WPARAM wparam, win::LPARAM lparam);
    void on_left_press(win::LPARAM lparam);
    void on_wheel(win::WPARAM wparam);
    void on_key_down(win::WPARAM vk);
    void on_scroll_message(bool vertical, win::WPARAM wparam, win::LPARAM lparam);
    void on_capture_changed(win::LPARAM new_holder);
    void take_capture_back(win::HWND from);
    // A row the user chose becomes current (scrolled into view if asked).
    void user_moved_to(std::int64_t row, bool scroll);

    // DataGridPaint.cpp.
    void paint(gfx::Canvas* canvas);
    void paint_header(gfx::Canvas& canvas, const GridGeometry& g,
        const std::vector<ColumnSpan>& spans, win::POINT by) const;
    void paint_row(gfx::Canvas& canvas, const GridGeometry& g, const std::vector<ColumnSpan>& spans,
        int r, win::POINT by) const;

    std::shared_ptr<DataGrid> self();

    // A font's line height in pixels. Rows sized from the font add a pixel
    // above and below; the header band is just one line, which keeps it
    // within the 14 pixels (210 twips) a list sized for one line of the
    // host's default font allows it.
    class FontMetric {
    public:
        [[nodiscard]] int line_height(const gfx::Font& font);

    private:
        gfx::Font m_font;
        int m_dpi = 0;
        std::optional<int> m_pixels;
    };

    vb::ObjectRef m_source_object;
    std::string m_data_member;
    std::shared_ptr<ado::Recordset> m_recordset;
    std::uint64_t m_binding = 0; // counts bindings, to notice one made meanwhile
    std::uint64_t m_generation = 0; // the recordset's, when last looked at
    std::int64_t m_seen_row = -1; // its current row, when last looked at

    std::vector<std::shared_ptr<Column>> m_columns;
    std::vector<std::shared_ptr<Column>> m_held; // a layout kept by HoldFields
    bool m_holding = false;
    std::shared_ptr<Columns> m_columns_object;
    std::shared_ptr<SelBookmarks> m_selection;

    std::int64_t m_first_row = 0;
    std::size_t m_left_col = 0;
    BarsShown m_bars;
    std::unique_ptr<controls::ScrollBar> m_vbar;
    std::unique_ptr<controls::ScrollBar> m_hbar;
    win::HWND m_capture_lent_to = 0;
    int m_wheel_rest = 0;

    vb::Integer m_scroll_bars = dbgAutomatic;
    gfx::OLE_COLOR m_back_color = gfx::vbWindowBackground;
    gfx::OLE_COLOR m_fore_color = gfx::vbWindowText;
    host::StdFontRef m_font;
    host::StdFontRef m_head_font;
    std::shared_ptr<void> m_font_subscription;
    std::shared_ptr<void> m_head_font_subscription;
    bool m_column_headers = true;
    vb::Single m_row_height = 0; // 0: from the font
    mutable FontMetric m_row_metric;
    mutable FontMetric m_head_metric;
};

} // namespace grid
