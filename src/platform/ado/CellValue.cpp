#include "platform/ado/CellValue.h"

#include <limits>

#include "platform/ado/SqlDate.h"

namespace ado {

namespace {

vb::Variant integer_value(std::int64_t v, DataType type)
{
    if (type == DataType::adBoolean)
        return vb::Boolean(v != 0);
    const bool small = type == DataType::adSmallInt || type == DataType::adUnsignedTinyInt;
    if (small && v >= std::numeric_limits<vb::Integer>::min()
        && v <= std::numeric_limits<vb::Integer>::max())
        return static_cast<vb::Integer>(v);
    if (v >= std::numeric_limits<vb::Long>::min() && v <= std::numeric_limits<vb::Long>::max())
        return static_cast<vb::Long>(v);
    return static_cast<vb::Double>(v);
}

} // namespace

vb::Variant cell_value(const Table& table, std::size_t column, std::size_t row)
{
    const Column& c = table.column(column);
    if (c.is_null(row))
        return vb::Null;
    const DataType type = table.field(column).type.type;
    switch (c.storage()) {
    case Storage::Integer:
        return integer_value(c.integer(row), type);
    case Storage::Real:
        if (type == DataType::adSingle)
            return static_cast<vb::Single>(c.real(row));
        return c.real(row);
    case Storage::Date:
        return vb::Date{serial_of_instant(c.real(row))};
    case Storage::Text:
    case Storage::Blob:
        return std::string(c.text(row));
    case Storage::Empty:
        break;
    }
    return vb::Null;
}

} // namespace ado
