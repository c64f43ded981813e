// The size of a Morvex's list and where it opens. ColumnWidths decides which
// columns show and how wide they are (percentages of the work-area width);
// the list is as wide as its columns, at least as wide as the control and
// at most as wide as the screen, and high enough for ListRows rows (fewer
// when there are fewer). It opens below the control, or above it when the
// work area ends first.
#include "data/IsBlank.h"
#include "diag/Steps.h"
#include "dropdown/ColumnWidths.h"
#include "dropdown/Placement.h"
#include "dropdown/modGridCombo.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/FieldTypes.h"
#include "platform/ado/Fields.h"
#include "platform/ado/Recordset.h"
#include "platform/grid/Columns.h"
#include "platform/grid/DataGrid.h"
#include "platform/host/ControlSurface.h"
#include "platform/host/Screen.h"
#include "platform/vb/Convert.h"
#include "platform/win/User32.h"

namespace pendrel {

namespace {

// Twips: what each row adds to its RowHeight, what a list of few rows adds
// once, and the height of the header row or of the horizontal scroll bar.
constexpr double k_row_gap = 5;
constexpr double k_few_rows_margin = 30;
constexpr vb::Single k_band = 210;

// A fixed-length character field: its column is made wide enough for it.
constexpr vb::Long k_fixed_char_type = 129;

std::shared_ptr<grid::Column> column(grid::DataGrid& g, vb::Long i)
{
    return g.get_Columns()->get_Item(vb::Variant(i));
}

vb::Long to_long(double twips)
{
    return vb::CLng(vb::Variant(twips));
}

} // namespace

vb::Integer Morvex::aantalGesplitsteDelenInString(
    std::vector<std::string>& Parts, std::string_view Text, std::string_view Sep)
{
    return dropdown::aantalGesplitsteDelenInString(Parts, Text, Sep, m_fLogging);
}

void Morvex::ResizeColumns()
{
    diag::Steps s("ResizeColumns", m_fLogging);
    s.step("1", [&] {
        m_ListWidth = 0;
        m_TextColumn = 1;
    });
    // 2. The width of a character, for fixed-length columns.
    vb::Integer char_width = 0;
    s.step("2", [&] { char_width = vb::CInt(vb::Variant(surface().TextWidth("A"))); });
    if (s.condition("3", [&] { return m_RowSource.empty(); }))
        return;
    if (s.condition("4", [&] { return !m_ColumnWidths.empty(); }))
        explicit_widths(s);
    else
        automatic_widths(s, char_width);
}

// 4. Explicit widths: percentages of the work-area width; columns without
// an entry are hidden.
void Morvex::explicit_widths(diag::Steps& s)
{
    grid::DataGrid& g = *m_DropdownList;
    std::vector<std::string> parts;
    vb::Integer n = 0;
    s.step("4.1", [&] { n = aantalGesplitsteDelenInString(parts, m_ColumnWidths, ";"); });
    vb::Long columns = 0;
    s.step("4.2", [&] { columns = g.get_Columns()->get_Count(); });
    for (vb::Long i = 0; i < columns; ++i)
        s.step("4.2.1", [&] { column(g, i)->let_Visible(false); });
    s.step("4.3", [&] { g.let_RowHeight(static_cast<vb::Single>(m_RowHeight)); });
    for (vb::Integer i = 0; i < n; ++i) {
        const double v = vb::Val(parts[static_cast<std::size_t>(i)]);
        // The first positive entry is the text column; while the widths add
        // up to nothing (ScreenWidth 0) each positive entry is.
        if (s.condition("4.4.1", [&] { return dropdown::takes_text_column(v, m_ListWidth); }))
            s.step("4.4.1.1", [&] { m_TextColumn = vb::narrow(vb::Long{i} + 1); });
        s.step("4.4.2", [&] { column(g, i)->let_Visible(true); });
        s.step("4.4.3", [&] { column(g, i)->let_Width(dropdown::column_width(v, m_ScreenWidth)); });
        s.step("4.4.4",
            [&] { m_ListWidth = dropdown::widened_list_width(m_ListWidth, v, m_ScreenWidth); });
    }
}

// 5. Automatic widths: a fixed-length text column is made wide enough for
// its longest text; visibility and the text column stay. The width is
// computed for fixed-length columns only: a long text's length in letters
// leaves the 32-bit range, and a failure for a column that is never widened
// would fill the log with one false line per bind.
void Morvex::automatic_widths(diag::Steps& s, vb::Integer char_width)
{
    grid::DataGrid& g = *m_DropdownList;
    const auto field = [&](vb::Long i) {
        return data_source().get_Recordset()->get_Fields()->get_Item(vb::Variant(i));
    };
    const auto wanted = [&](vb::Long i) {
        return dropdown::fixed_length_width(field(i)->get_DefinedSize(), char_width);
    };
    vb::Long fields = 0;
    s.step("5", [&] { fields = data_source().get_Recordset()->get_Fields()->get_Count(); });
    for (vb::Long i = 0; i < fields; ++i) {
        if (s.condition("5.1", [&] {
                return field(i)->get_Type() == k_fixed_char_type
                    && column(g, i)->get_Width() < static_cast<vb::Single>(wanted(i));
            }))
            s.step("5.1.1", [&] { column(g, i)->let_Width(static_cast<vb::Single>(wanted(i))); });
        s.step("5.2", [&] { m_ListWidth = to_long(column(g, i)->get_Width() + m_ListWidth); });
    }
}

void Morvex::ResizeGrid()
{
    diag::Steps s("ResizeGrid", m_fLogging);
    grid::DataGrid& g = *m_DropdownList;
    host::Extender list = g.extender();
    // 1.-3. A list being sized is closed first; then its columns.
    s.step("1", [] { modGridCombo::HideDropDown(); });
    s.step("2", [&] { ResizeColumns(); });
    vb::Long allowance = 0;
    // 4. How many rows there are to show.
    vb::Long rows = 0;
    s.step("4", [&] { rows = data_source().get_Recordset()->get_RecordCount(); });
    // 5. Up to ListRows rows; more scroll, and the scroll bar needs room.
    if (s.condition("5", [&] { return rows <= m_ListRows; })) {
        s.step("5.1", [&] {
            list.let_Height(static_cast<vb::Single>(
                (g.get_RowHeight() + k_row_gap) * static_cast<double>(rows) + k_few_rows_margin));
        });
    } else {
        s.step("5.2", [&] {
            list.let_Height(static_cast<vb::Single>(
                (g.get_RowHeight() + k_row_gap) * static_cast<double>(m_ListRows)));
        });
        s.step("5.3", [&] {
            allowance = to_long(static_cast<double>(host::Screen::the().get_TwipsPerPixelX())
                * win::GetSystemMetrics(win::SM_CXHTHUMB));
        });
    }
    // 6. The header row.
    s.step("6", [&] { g.let_ColumnHeaders(m_ColumnHeads); });
    if (s.condition("6.1", [&] { return g.get_ColumnHeaders(); }))
        s.step("6.2", [&] { list.let_Height(list.get_Height() + k_band); });
    list_width(s, allowance);
    // 10. The list is closed: this only prepares the window.
    dropdown::DropRect r;
    s.step("10", [&] { r = GetRECTForGrid(); });
    s.step("10.1", [&] { win::MoveWindow(g.get_hWnd(), r.left, r.top, r.width, r.height, 1); });
    ready_type_ahead();
}

// Type-ahead searches the text column by prefix from the first key on: a
// large table gets that search ready now, while the host is binding, rather
// than at the keys.
void Morvex::ready_type_ahead()
{
    if (!m_data_source)
        return;
    const auto& rs = m_data_source->get_Recordset();
    if (rs && rs->get_State() == ado::adStateOpen)
        rs->prepare_prefix_search(vb::Long{m_TextColumn} - 1);
}

// 7.-9. As wide as the columns, at most as wide as the screen, at least as
// wide as the control.
void Morvex::list_width(diag::Steps& s, vb::Long allowance)
{
    grid::DataGrid& g = *m_DropdownList;
    host::Extender list = g.extender();
    s.step("7",
        [&] { list.let_Width(static_cast<vb::Single>(vb::checked_add(m_ListWidth, allowance))); });
    if (s.condition("8", [&] { return list.get_Width() > host::Screen::the().get_Width(); })) {
        s.step("8.1", [&] {
            list.let_Width(host::Screen::the().get_Width() - static_cast<vb::Single>(allowance));
        });
    }
    // 9. At least as wide as the control: the last column takes the rest. A
    // list as wide as the control or wider gets room for its horizontal
    // scroll bar.
    vb::Single control_width = 0;
    if (s.condition("9", [&] {
            control_width = surface().get_ScaleWidth();
            return list.get_Width() < control_width;
        })) {
        s.step("9.1", [&] {
            auto last = column(g, g.get_Columns()->get_Count() - 1);
            last->let_Width(last->get_Width() + (control_width - list.get_Width()));
        });
        s.step("9.2", [&] { list.let_Width(control_width); });
    } else {
        s.step("9.3", [&] { list.let_Height(list.get_Height() + k_band); });
    }
}

dropdown::DropRect Morvex::GetRECTForGrid()
{
    diag::Steps s("GetRECTForGrid", m_fLogging);
    const host::Extender list = m_DropdownList->extender();
    win::RECT control{};
    win::RECT work{};
    dropdown::DropRect r;
    // 1. The control on the screen and the work area, in pixels.
    s.step("1", [&] {
        win::GetWindowRect(surface().get_hWnd(), &control);
        win::SystemParametersInfoA(win::SPI_GETWORKAREA, 0, &work, 0);
    });
    // 2. The list's size, from twips.
    s.step("2", [&] {
        const auto& screen = host::Screen::the();
        r.height = to_long(list.get_Height() / screen.get_TwipsPerPixelY());
        r.width = to_long(list.get_Width() / screen.get_TwipsPerPixelX());
    });
    // 3. Below the control; above it when the work area ends first.
    s.step("3", [&] { r.top = dropdown::top_below(control); });
    if (s.condition("3.1", [&] { return dropdown::runs_past_bottom(r.top, r.height, work); }))
        s.step("3.2", [&] { r.top = dropdown::top_above(control, r.height); });
    // 4. Moved left until it fits the work area's right edge.
    s.step("4", [&] { r.left = dropdown::left_edge(control, r.width, work); });
    return r;
}

} // namespace pendrel
