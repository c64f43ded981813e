#pragma once
// A fetched row set: the fields' names and types and one compact column per
// field. Immutable once built; a recordset and its searches share it.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ado/Column.h"
#include "platform/ado/FieldTypes.h"

namespace ado {

struct FieldInfo {
    std::string name;
    FieldType type;
};

class Table {
public:
    Table(std::vector<FieldInfo> fields, std::vector<Column> columns, std::size_t rows);

    [[nodiscard]] std::size_t row_count() const { return m_rows; }
    [[nodiscard]] std::size_t field_count() const { return m_fields.size(); }
    [[nodiscard]] const FieldInfo& field(std::size_t i) const { return m_fields[i]; }
    [[nodiscard]] const Column& column(std::size_t i) const { return m_columns[i]; }
    // The index of a field by name (compared as the criteria compare text:
    // case-insensitively for every letter), or nothing.
    [[nodiscard]] std::optional<std::size_t> field_index(std::string_view name) const;
    // Bytes held by the table, its columns and names.
    [[nodiscard]] std::size_t bytes() const;

private:
    std::vector<FieldInfo> m_fields;
    std::vector<Column> m_columns;
    std::size_t m_rows;
};

// Builds a table row by row as a provider reads it. Stops with an error
// when the values held pass the byte budget, so a runaway row source cannot
// take all memory.
class TableBuilder {
public:
    struct Declared {
        std::string name;
        std::optional<FieldType> type; // nothing: the values decide
    };

    explicit TableBuilder(std::vector<Declared> fields, std::size_t byte_budget = k_default_budget);

    [[nodiscard]] std::size_t field_count() const { return m_columns.size(); }
    [[nodiscard]] Column& column(std::size_t i) { return m_columns[i]; }
    // Call after each row's values are appended.
    void end_row();
    [[nodiscard]] std::shared_ptr<const Table> finish();

    static constexpr std::size_t k_default_budget = std::size_t(512) << 20;

private:
    std::vector<Declared> m_declared;
    std::vector<Column> m_columns;
    std::size_t m_rows = 0;
    std::size_t m_budget;
};

} // namespace ado
