#include "platform/ado/FieldTypes.h"

#include <array>
#include <charconv>
#include <string>

#include "platform/vb/Ascii.h"

namespace ado {

namespace {

struct Row {
    std::string_view name;
    DataType type;
    vb::Long size; // 0: the declared length decides (text types)
};

// Exact names, upper case, single blanks. See the header for the table.
constexpr std::array k_types{
    Row{"TINYINT", DataType::adUnsignedTinyInt, 1},
    Row{"SMALLINT", DataType::adSmallInt, 2},
    Row{"INT2", DataType::adSmallInt, 2},
    Row{"INTEGER", DataType::adInteger, 4},
    Row{"INT", DataType::adInteger, 4},
    Row{"INT4", DataType::adInteger, 4},
    Row{"MEDIUMINT", DataType::adInteger, 4},
    Row{"BIGINT", DataType::adBigInt, 8},
    Row{"INT8", DataType::adBigInt, 8},
    Row{"UNSIGNED BIG INT", DataType::adBigInt, 8},
    Row{"REAL", DataType::adSingle, 4},
    Row{"FLOAT4", DataType::adSingle, 4},
    Row{"DOUBLE", DataType::adDouble, 8},
    Row{"DOUBLE PRECISION", DataType::adDouble, 8},
    Row{"FLOAT", DataType::adDouble, 8},
    Row{"FLOAT8", DataType::adDouble, 8},
    Row{"NUMERIC", DataType::adNumeric, 19},
    Row{"DECIMAL", DataType::adNumeric, 19},
    Row{"BOOLEAN", DataType::adBoolean, 2},
    Row{"BOOL", DataType::adBoolean, 2},
    Row{"CHAR", DataType::adChar, 0},
    Row{"CHARACTER", DataType::adChar, 0},
    Row{"NCHAR", DataType::adChar, 0},
    Row{"NATIONAL CHARACTER", DataType::adChar, 0},
    Row{"NATIONAL CHAR", DataType::adChar, 0},
    Row{"BPCHAR", DataType::adChar, 0},
    Row{"VARCHAR", DataType::adVarWChar, 0},
    Row{"NVARCHAR", DataType::adVarWChar, 0},
    Row{"CHARACTER VARYING", DataType::adVarWChar, 0},
    Row{"VARYING CHARACTER", DataType::adVarWChar, 0},
    Row{"NATIONAL CHARACTER VARYING", DataType::adVarWChar, 0},
    Row{"NATIONAL VARYING CHARACTER", DataType::adVarWChar, 0},
    Row{"TEXT", DataType::adLongVarWChar, k_long_defined_size},
    Row{"CLOB", DataType::adLongVarWChar, k_long_defined_size},
    Row{"NTEXT", DataType::adLongVarWChar, k_long_defined_size},
    Row{"DATE", DataType::adDate, 8},
    Row{"DATETIME", DataType::adDate, 8},
    Row{"TIMESTAMP", DataType::adDate, 8},
    Row{"TIMESTAMPTZ", DataType::adDate, 8},
    Row{"TIMESTAMP WITH TIME ZONE", DataType::adDate, 8},
    Row{"TIMESTAMP WITHOUT TIME ZONE", DataType::adDate, 8},
    Row{"TIME", DataType::adDate, 8},
    Row{"TIMETZ", DataType::adDate, 8},
    Row{"TIME WITH TIME ZONE", DataType::adDate, 8},
    Row{"TIME WITHOUT TIME ZONE", DataType::adDate, 8},
    Row{"BLOB", DataType::adLongVarBinary, k_long_defined_size},
    Row{"BYTEA", DataType::adLongVarBinary, k_long_defined_size},
};

struct Declaration {
    std::string name; // upper case, blanks collapsed, arguments removed
    std::optional<vb::Long> length; // the first argument, when it is a usable length
};

std::optional<vb::Long> read_length(std::string_view args)
{
    while (!args.empty() && args.front() == ' ')
        args.remove_prefix(1);
    long long n = 0;
    const auto [end, ec] = std::from_chars(args.data(), args.data() + args.size(), n);
    if (ec != std::errc() || n < 1 || n > k_long_defined_size)
        return std::nullopt;
    (void)end;
    return static_cast<vb::Long>(n);
}

Declaration normalise(std::string_view declared)
{
    Declaration d;
    bool blank = false;
    for (std::size_t i = 0; i < declared.size(); ++i) {
        const char c = declared[i];
        if (c == '(') {
            const std::size_t close = declared.find(')', i);
            if (!d.length)
                d.length = read_length(declared.substr(
                    i + 1, close == std::string_view::npos ? close : close - i - 1));
            if (close == std::string_view::npos)
                break;
            i = close;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = true;
            continue;
        }
        if (blank && !d.name.empty())
            d.name += ' ';
        blank = false;
        d.name += vb::ascii_upper(c);
    }
    return d;
}

FieldType sized(DataType type, vb::Long size, const std::optional<vb::Long>& length)
{
    if (size != 0)
        return {type, size};
    if (type == DataType::adChar)
        return {type, length.value_or(1)};
    if (length)
        return {DataType::adVarWChar, *length};
    return {DataType::adLongVarWChar, k_long_defined_size};
}

bool contains(std::string_view s, std::string_view part)
{
    return s.find(part) != std::string_view::npos;
}

} // namespace

std::optional<FieldType> type_of_declaration(std::string_view declared)
{
    const Declaration d = normalise(declared);
    if (d.name.empty())
        return std::nullopt;
    for (const auto& row : k_types) {
        if (row.name == d.name)
            return sized(row.type, row.size, d.length);
    }
    // The embedded database's affinity rules, in its order.
    if (contains(d.name, "INT"))
        return FieldType{DataType::adInteger, 4};
    if (contains(d.name, "CHAR") || contains(d.name, "CLOB") || contains(d.name, "TEXT"))
        return sized(DataType::adVarWChar, 0, d.length);
    if (contains(d.name, "BLOB"))
        return FieldType{DataType::adLongVarBinary, k_long_defined_size};
    if (contains(d.name, "REAL") || contains(d.name, "FLOA") || contains(d.name, "DOUB"))
        return FieldType{DataType::adDouble, 8};
    return std::nullopt;
}

Storage storage_of(DataType type)
{
    switch (type) {
    case DataType::adSmallInt:
    case DataType::adInteger:
    case DataType::adBoolean:
    case DataType::adUnsignedTinyInt:
    case DataType::adBigInt:
        return Storage::Integer;
    case DataType::adSingle:
    case DataType::adDouble:
    case DataType::adNumeric:
        return Storage::Real;
    case DataType::adDate:
        return Storage::Date;
    case DataType::adChar:
    case DataType::adVarWChar:
    case DataType::adLongVarWChar:
        return Storage::Text;
    case DataType::adLongVarBinary:
        return Storage::Blob;
    }
    return Storage::Text;
}

FieldType type_from_values(Storage storage, bool fits_long)
{
    switch (storage) {
    case Storage::Integer:
        return fits_long ? FieldType{DataType::adInteger, 4} : FieldType{DataType::adBigInt, 8};
    case Storage::Real:
        return {DataType::adDouble, 8};
    case Storage::Date:
        return {DataType::adDate, 8};
    case Storage::Blob:
        return {DataType::adLongVarBinary, k_long_defined_size};
    case Storage::Empty:
    case Storage::Text:
        break;
    }
    return {DataType::adLongVarWChar, k_long_defined_size};
}

} // namespace ado
