#pragma once
// PostgreSQL result columns: their declared type from the type's number and
// modifier, and their values (sent as text) appended to a column.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ado/Column.h"

namespace ado {

// The declaration of a result column as the type table reads it, such as
// "VARCHAR(40)" or "INT4"; "TEXT" for types without a better reading (their
// values arrive as text).
[[nodiscard]] std::string pg_declaration(std::uint32_t type_oid, int type_modifier);

// How the text of a value becomes a column value.
enum class PgValueKind {
    Integer,
    Real,
    Boolean,
    Bytes, // bytea in hex output
    Text, // text, and dates, which the column reads itself
};

[[nodiscard]] PgValueKind pg_value_kind(std::uint32_t type_oid);

void append_pg_value(Column& column, PgValueKind kind, std::string_view text);

} // namespace ado
