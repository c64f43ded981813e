#include "platform/ado/Fields.h"

#include <cmath>

#include "platform/ado/CellValue.h"
#include "platform/ado/Recordset.h"
#include "platform/vb/Error.h"

namespace ado {

Field::Field(std::weak_ptr<vb::Object> recordset, std::shared_ptr<const Table> table,
    std::uint64_t generation, std::size_t index)
    : m_recordset(std::move(recordset)),
      m_table(std::move(table)),
      m_generation(generation),
      m_index(index)
{
}

std::string Field::get_Name() const
{
    return m_table->field(m_index).name;
}

vb::Long Field::get_Type() const
{
    return static_cast<vb::Long>(m_table->field(m_index).type.type);
}

vb::Long Field::get_DefinedSize() const
{
    return m_table->field(m_index).type.defined_size;
}

vb::Variant Field::get_Value() const
{
    const auto object = m_recordset.lock();
    const auto* recordset = dynamic_cast<const Recordset*>(object.get());
    if (recordset == nullptr || recordset->generation() != m_generation)
        vb::raise(vb::err::AdoObjectClosed, "ADODB.Field");
    return cell_value(*m_table, m_index, recordset->current_row());
}

Fields::Fields(std::weak_ptr<vb::Object> recordset, std::shared_ptr<const Table> table,
    std::uint64_t generation)
    : m_recordset(std::move(recordset)), m_table(std::move(table)), m_generation(generation)
{
}

vb::Long Fields::get_Count() const
{
    return m_table ? static_cast<vb::Long>(m_table->field_count()) : 0;
}

std::shared_ptr<Field> Fields::get_Item(const vb::Variant& Index) const
{
    std::optional<std::size_t> index;
    if (m_table) {
        std::visit(
            [&](const auto& x) {
                using T = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    index = m_table->field_index(x);
                } else if constexpr (
                    std::is_same_v<T,
                        vb::Integer> || std::is_same_v<T, vb::Long> || std::is_same_v<T, vb::Single> || std::is_same_v<T, vb::Double>) {
                    const auto d = static_cast<double>(x);
                    if (d >= 0 && d == std::floor(d)
                        && d < static_cast<double>(m_table->field_count()))
                        index = static_cast<std::size_t>(d);
                }
            },
            Index.storage());
    }
    if (!index)
        vb::raise(vb::err::AdoItemNotFound, "ADODB.Fields");
    return std::make_shared<Field>(m_recordset, m_table, m_generation, *index);
}

} // namespace ado
