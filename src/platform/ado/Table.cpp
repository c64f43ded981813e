#include "platform/ado/Table.h"

#include "platform/ado/CaseFold.h"
#include "platform/vb/Error.h"

namespace ado {

Table::Table(std::vector<FieldInfo> fields, std::vector<Column> columns, std::size_t rows)
    : m_fields(std::move(fields)), m_columns(std::move(columns)), m_rows(rows)
{
}

std::optional<std::size_t> Table::field_index(std::string_view name) const
{
    const std::string wanted = case_fold(name);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (case_fold(m_fields[i].name) == wanted)
            return i;
    }
    return std::nullopt;
}

std::size_t Table::bytes() const
{
    std::size_t total = sizeof(Table) + m_fields.capacity() * sizeof(FieldInfo)
        + m_columns.capacity() * sizeof(Column);
    for (const auto& f : m_fields)
        total += f.name.capacity();
    for (const auto& c : m_columns)
        total += c.bytes();
    return total;
}

TableBuilder::TableBuilder(std::vector<Declared> fields, std::size_t byte_budget)
    : m_declared(std::move(fields)), m_budget(byte_budget)
{
    m_columns.reserve(m_declared.size());
    for (const auto& d : m_declared)
        m_columns.emplace_back(d.type ? storage_of(d.type->type) : Storage::Empty);
}

void TableBuilder::end_row()
{
    // Every column's bytes are added up every 64 rows (after each row that
    // would cost more than storing it); in between, the text and binary
    // bytes alone, where one value can be any size.
    const bool all = (++m_rows & 63) == 0;
    std::size_t used = 0;
    for (const auto& c : m_columns)
        used += all ? c.bytes() : c.text_bytes();
    if (used > m_budget)
        vb::raise(vb::err::OutOfMemory,
            "The row source returned more data than a recordset may hold ("
                + std::to_string(m_budget >> 20) + " MB after " + std::to_string(m_rows)
                + " rows; Max Recordset MB in the connection string).",
            "ADODB.Recordset");
}

std::shared_ptr<const Table> TableBuilder::finish()
{
    std::vector<FieldInfo> fields;
    fields.reserve(m_declared.size());
    for (std::size_t i = 0; i < m_declared.size(); ++i) {
        Column& c = m_columns[i];
        c.shrink_to_fit();
        const FieldType type = m_declared[i].type ? *m_declared[i].type
                                                  : type_from_values(c.storage(), c.fits_long());
        fields.push_back({std::move(m_declared[i].name), type});
    }
    return std::make_shared<const Table>(std::move(fields), std::move(m_columns), m_rows);
}

} // namespace ado
