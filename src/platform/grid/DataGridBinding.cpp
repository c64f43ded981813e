// Binding: the data-source object, the recordset it hands over, the
// columns made from its fields, and the current row the grid shares with it.

#include <algorithm>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/CellValue.h"
#include "platform/ado/Recordset.h"
#include "platform/gfx/TextMetrics.h"
#include "platform/gfx/Units.h"
#include "platform/grid/Bookmarks.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/SelBookmarks.h"
#include "platform/vb/Dispatch.h"
#include "platform/vb/Error.h"

namespace grid {

namespace {

// At least ten capital letters wide, and wide enough for the caption.
vb::Single default_width(const gfx::Font& font, const std::string& caption)
{
    const int dpi = gfx::display_dpi();
    const int letters = 10 * gfx::measure_text(font, "A", dpi).width;
    const int caption_width = gfx::measure_text(font, caption, dpi).width + 8;
    const int px = std::max(letters, caption_width);
    return static_cast<vb::Single>(gfx::to_twips(gfx::Pixels{px}, dpi).value);
}

bool is_open(const ado::Recordset& rs)
{
    return rs.get_State() == ado::adStateOpen;
}

} // namespace

vb::Variant DataGrid::get_DataSource() const
{
    return m_source_object;
}

void DataGrid::set_DataSource(const vb::Variant& New_DataSource)
{
    // 1. Nothing, or an object that answers the data-source callback.
    const vb::ObjectRef object = vb::dispatch::object_in(New_DataSource);
    std::shared_ptr<DataSource> source;
    if (object) {
        source = std::dynamic_pointer_cast<DataSource>(object);
        if (!source) {
            vb::raise(vb::err::TypeMismatch,
                "A " + std::string(object->type_name()) + " is not a data source",
                "DataGrid.DataSource");
        }
    } else if (!New_DataSource.is_object() && !New_DataSource.is_empty()
        && !New_DataSource.is_null()) {
        vb::raise(vb::err::ObjectRequired, "DataGrid.DataSource");
    }
    // 2. The rows of the old binding go.
    const auto keep = self();
    unbind();
    if (!source) {
        return;
    }
    // 3. The callback, once.
    // NOTE: it runs outside code that may bind this grid again before it
    // returns; then that binding stands and this one is dropped.
    const auto ticket = ++m_binding;
    vb::Variant data;
    source->Class_GetDataMember(m_data_member, data);
    if (ticket != m_binding) {
        return;
    }
    // 4. Whatever recordset it gave.
    m_source_object = object;
    bind_recordset(std::dynamic_pointer_cast<ado::Recordset>(vb::dispatch::object_in(data)));
}

void DataGrid::unbind()
{
    ++m_binding;
    m_source_object.reset();
    m_recordset.reset();
    for (const auto& c : m_columns) {
        c->detach();
    }
    m_columns.clear();
    if (m_selection) {
        m_selection->clear();
    }
    m_first_row = 0;
    m_left_col = 0;
    m_seen_row = -1;
    update_layout();
}

void DataGrid::bind_recordset(std::shared_ptr<ado::Recordset> recordset)
{
    m_recordset = std::move(recordset);
    if (m_recordset) {
        m_generation = m_recordset->generation();
        if (is_open(*m_recordset)) {
            build_columns();
        }
    }
    show_from_top();
}

// One column per field, in field order, with the layout HoldFields kept
// for a field of the same name.
void DataGrid::build_columns()
{
    const ado::Table& table = m_recordset->table();
    std::vector<std::shared_ptr<Column>> columns;
    columns.reserve(table.field_count());
    for (std::size_t i = 0; i < table.field_count(); ++i) {
        const std::string& name = table.field(i).name;
        auto column
            = std::make_shared<Column>(self(), i, name, default_width(m_font->font(), name));
        for (const auto& held : m_held) {
            if (m_holding && held->get_DataField() == name) {
                column->take_layout(*held);
                break;
            }
        }
        columns.push_back(std::move(column));
    }
    for (const auto& c : m_columns) {
        c->detach();
    }
    m_columns = std::move(columns);
    m_left_col = 0;
}

const std::vector<std::shared_ptr<Column>>& DataGrid::columns()
{
    sync_with_recordset();
    return m_columns;
}

void DataGrid::HoldFields()
{
    if (!m_columns.empty()) {
        m_held = m_columns;
    }
    m_holding = true;
}

void DataGrid::ClearFields()
{
    m_held.clear();
    m_holding = false;
}

void DataGrid::ReBind()
{
    if (m_recordset) {
        m_generation = m_recordset->generation();
    }
    for (const auto& c : m_columns) {
        c->detach();
    }
    m_columns.clear();
    if (m_recordset && is_open(*m_recordset)) {
        build_columns();
    }
    show_from_top();
}

// No selection, the first rows shown -- or the current row, when it lies
// further down.
void DataGrid::show_from_top()
{
    if (m_selection) {
        m_selection->clear();
    }
    m_first_row = 0;
    m_seen_row = current_row();
    update_layout();
    if (m_seen_row >= 0) {
        ensure_visible(m_seen_row);
    }
}

// The recordset may have been moved (Find, MoveNext), closed or opened
// again by anyone who shares it: the grid catches up whenever it is asked
// something. A row made current elsewhere is scrolled into view.
void DataGrid::sync_with_recordset()
{
    if (!m_recordset) {
        return;
    }
    if (m_recordset->generation() != m_generation) {
        recordset_reopened();
        return;
    }
    const std::int64_t row = current_row();
    if (row != m_seen_row) {
        m_seen_row = row;
        if (row >= 0) {
            ensure_visible(row);
        }
    }
}

// Other rows: shown from the top, unselected; the columns stay as they are
// when the fields are the same ones.
void DataGrid::recordset_reopened()
{
    if (!columns_match_fields()) {
        ReBind();
        return;
    }
    m_generation = m_recordset->generation();
    show_from_top();
}

// A closed recordset has no fields to compare: its columns stay for when
// it opens again.
bool DataGrid::columns_match_fields() const
{
    if (!is_open(*m_recordset)) {
        return true;
    }
    const ado::Table& table = m_recordset->table();
    if (table.field_count() != m_columns.size()) {
        return false;
    }
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (table.field(i).name != m_columns[i]->get_DataField()) {
            return false;
        }
    }
    return true;
}

std::int64_t DataGrid::row_count() const
{
    if (!m_recordset || !is_open(*m_recordset)) {
        return 0;
    }
    return m_recordset->get_RecordCount();
}

std::int64_t DataGrid::current_row() const
{
    if (!m_recordset || !is_open(*m_recordset)) {
        return -1;
    }
    const vb::Long position = m_recordset->get_AbsolutePosition();
    return position >= 1 ? position - 1 : -1;
}

// The old and the new current row repaint (the frame moves); a scroll
// that follows repaints the rest.
void DataGrid::make_current(std::int64_t row)
{
    const std::int64_t old = current_row();
    m_recordset->let_Bookmark(bookmark_of_row(row));
    m_seen_row = row;
    invalidate_row(old);
    invalidate_row(row);
}

vb::Variant DataGrid::current_cell(std::size_t field)
{
    sync_with_recordset();
    if (!m_recordset || !is_open(*m_recordset)) {
        vb::raise(vb::err::GridNoCurrentRow,
            "The grid has no current row: it is not bound to open rows", "DataGrid");
    }
    const std::int64_t row = current_row();
    if (row < 0) {
        vb::raise(vb::err::GridNoCurrentRow,
            "The grid has no current row: the rows are empty or the position is before the "
            "first or after the last row",
            "DataGrid");
    }
    const ado::Table& table = m_recordset->table();
    if (field >= table.field_count()) {
        vb::raise(vb::err::SubscriptOutOfRange, "The rows have no field " + std::to_string(field),
            "DataGrid");
    }
    return ado::cell_value(table, field, static_cast<std::size_t>(row));
}

vb::Variant DataGrid::get_Bookmark()
{
    sync_with_recordset();
    const std::int64_t row = current_row();
    return row >= 0 ? bookmark_of_row(row) : vb::Variant(vb::Null);
}

void DataGrid::let_Bookmark(const vb::Variant& New_Bookmark)
{
    sync_with_recordset();
    if (!m_recordset || !is_open(*m_recordset)) {
        vb::raise(
            vb::err::InvalidProcedureCall, "The grid has no rows to move to", "DataGrid.Bookmark");
    }
    m_recordset->let_Bookmark(New_Bookmark);
    m_seen_row = current_row();
    if (m_seen_row >= 0) {
        ensure_visible(m_seen_row);
    }
    Refresh();
}

vb::Long DataGrid::get_ApproxCount() const
{
    return static_cast<vb::Long>(row_count());
}

std::optional<std::int64_t> DataGrid::row_of_bookmark(const vb::Variant& bookmark) const
{
    return grid::row_of_bookmark(bookmark, row_count());
}

} // namespace grid
