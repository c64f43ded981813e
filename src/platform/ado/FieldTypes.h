#pragma once
// Field type codes and declared sizes, taken from a column's declared type.
//
//   declared type                                   code  DefinedSize
//   TINYINT                                          17   1
//   SMALLINT, INT2                                    2   2
//   INTEGER, INT, INT4, MEDIUMINT                     3   4
//   BIGINT, INT8, UNSIGNED BIG INT                   20   8
//   REAL, FLOAT4                                      4   4
//   DOUBLE, DOUBLE PRECISION, FLOAT, FLOAT8           5   8
//   NUMERIC, DECIMAL                                131   19
//   BOOLEAN, BOOL                                    11   2
//   CHAR(n), CHARACTER(n), NCHAR(n), BPCHAR(n)      129   n (1 without a length)
//   VARCHAR(n), NVARCHAR(n), CHARACTER VARYING(n)   202   n
//   VARCHAR, TEXT, CLOB, NTEXT (no length)          203   1073741823
//   DATE, DATETIME, TIMESTAMP[TZ], TIME[TZ]           7   8
//   BLOB, BYTEA                                     205   1073741823
//
// Other names follow the embedded database's affinity rules: a name
// containing INT is 3, one containing CHAR, CLOB or TEXT is text (202 with a
// length, else 203), BLOB is 205, REAL, FLOA or DOUB is 5. A column without a
// declared type (an expression), or with a name none of this recognises,
// takes its type from its values (see type_from_values).

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ado/AdoConstants.h"

namespace ado {

struct FieldType {
    DataType type = DataType::adLongVarWChar;
    vb::Long defined_size = 0;
    friend bool operator==(const FieldType&, const FieldType&) = default;
};

inline constexpr vb::Long k_long_defined_size = 1073741823;

// The type of a declared column type, or nothing when the values decide.
[[nodiscard]] std::optional<FieldType> type_of_declaration(std::string_view declared);

// How values of a type are held in a column.
enum class Storage : std::uint8_t {
    Empty, // nothing but Nulls so far; the first value decides
    Integer,
    Real,
    Date,
    Text,
    Blob,
};

[[nodiscard]] Storage storage_of(DataType type);

// The type of a column that had no declared type, from how its values ended
// up being held; `fits_long` says every integer fits in 32 bits.
[[nodiscard]] FieldType type_from_values(Storage storage, bool fits_long);

} // namespace ado
