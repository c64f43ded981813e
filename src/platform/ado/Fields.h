#pragma once
// ADODB.Fields and ADODB.Field: the columns of a recordset as it was opened.
// A Field reads its value from the recordset's current row each time; once
// the recordset has closed or opened again, reading it raises 3704.

#include <memory>
#include <string>

#include "platform/ado/Table.h"
#include "platform/vb/Object.h"
#include "platform/vb/Variant.h"

namespace ado {

class Recordset;

class Field : public vb::Object {
public:
    Field(std::weak_ptr<vb::Object> recordset, std::shared_ptr<const Table> table,
        std::uint64_t generation, std::size_t index);

    [[nodiscard]] std::string_view type_name() const override { return "Field"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    [[nodiscard]] std::string get_Name() const;
    // The current row's value; raises 3021 at BOF or EOF.
    [[nodiscard]] vb::Variant get_Value() const;
    [[nodiscard]] vb::Long get_Type() const;
    [[nodiscard]] vb::Long get_DefinedSize() const;

private:
    std::weak_ptr<vb::Object> m_recordset;
    std::shared_ptr<const Table> m_table;
    std::uint64_t m_generation;
    std::size_t m_index;
};

class Fields : public vb::Object {
public:
    // `table` is null for a closed recordset: the collection is empty.
    Fields(std::weak_ptr<vb::Object> recordset, std::shared_ptr<const Table> table,
        std::uint64_t generation);

    [[nodiscard]] std::string_view type_name() const override { return "Fields"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    vb::Variant invoke(vb::DispId id, vb::InvokeKind kind, std::span<vb::Variant> args) override;

    [[nodiscard]] vb::Long get_Count() const;
    // By 0-based number (Integer, Long, or a whole Single or Double) or by
    // name (case-insensitive). Raises 3265 for any other index.
    [[nodiscard]] std::shared_ptr<Field> get_Item(const vb::Variant& Index) const;

private:
    std::weak_ptr<vb::Object> m_recordset;
    std::shared_ptr<const Table> m_table;
    std::uint64_t m_generation;
};

} // namespace ado
