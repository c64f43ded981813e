#include "platform/ado/PgValues.h"

#include <charconv>
#include <cstdlib>

#include "platform/vb/Ascii.h"

namespace ado {

namespace {

// Type numbers of the server's built-in types (pg_type.oid).
enum : std::uint32_t {
    k_bool = 16,
    k_bytea = 17,
    k_char = 18,
    k_name = 19,
    k_int8 = 20,
    k_int2 = 21,
    k_int4 = 23,
    k_text = 25,
    k_oid = 26,
    k_float4 = 700,
    k_float8 = 701,
    k_bpchar = 1042,
    k_varchar = 1043,
    k_date = 1082,
    k_time = 1083,
    k_timestamp = 1114,
    k_timestamptz = 1184,
    k_timetz = 1266,
    k_numeric = 1700,
};

} // namespace

std::string pg_declaration(std::uint32_t oid, int typmod)
{
    // Character types carry their length plus 4 in the modifier.
    const int length = typmod >= 5 ? typmod - 4 : 0;
    switch (oid) {
    case k_bool:
        return "BOOL";
    case k_bytea:
        return "BYTEA";
    case k_char:
        return "CHAR(1)";
    case k_name:
        return "VARCHAR(63)";
    case k_int8:
    case k_oid:
        return "INT8";
    case k_int2:
        return "INT2";
    case k_int4:
        return "INT4";
    case k_float4:
        return "FLOAT4";
    case k_float8:
        return "FLOAT8";
    case k_numeric:
        return "NUMERIC";
    case k_bpchar:
        return length > 0 ? "BPCHAR(" + std::to_string(length) + ")" : "TEXT";
    case k_varchar:
        return length > 0 ? "VARCHAR(" + std::to_string(length) + ")" : "VARCHAR";
    case k_date:
        return "DATE";
    case k_time:
        return "TIME";
    case k_timetz:
        return "TIMETZ";
    case k_timestamp:
        return "TIMESTAMP";
    case k_timestamptz:
        return "TIMESTAMPTZ";
    default:
        return "TEXT";
    }
}

PgValueKind pg_value_kind(std::uint32_t oid)
{
    switch (oid) {
    case k_int2:
    case k_int4:
    case k_int8:
    case k_oid:
        return PgValueKind::Integer;
    case k_float4:
    case k_float8:
    case k_numeric:
        return PgValueKind::Real;
    case k_bool:
        return PgValueKind::Boolean;
    case k_bytea:
        return PgValueKind::Bytes;
    default:
        return PgValueKind::Text;
    }
}

void append_pg_value(Column& column, PgValueKind kind, std::string_view text)
{
    switch (kind) {
    case PgValueKind::Integer: {
        std::int64_t v = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec == std::errc() && end == text.data() + text.size())
            return column.append_integer(v);
        break; // oid values above 2^63 cannot occur; keep the text if they did
    }
    case PgValueKind::Real: {
        // strtod reads NaN and Infinity as the server writes them.
        const std::string copy(text);
        char* end = nullptr;
        const double v = std::strtod(copy.c_str(), &end);
        if (end == copy.c_str() + copy.size() && !copy.empty())
            return column.append_real(v);
        break;
    }
    case PgValueKind::Boolean:
        if (text == "t" || text == "f")
            return column.append_integer(text == "t" ? 1 : 0);
        break;
    case PgValueKind::Bytes:
        if (text.size() % 2 == 0 && text.starts_with("\\x")) {
            std::string bytes;
            bytes.reserve(text.size() / 2 - 1);
            bool ok = true;
            for (std::size_t i = 2; i < text.size() && ok; i += 2) {
                const int hi = vb::hex_digit(text[i]);
                const int lo = vb::hex_digit(text[i + 1]);
                ok = hi >= 0 && lo >= 0;
                bytes += static_cast<char>(hi * 16 + lo);
            }
            if (ok)
                return column.append_blob(bytes);
        }
        break;
    case PgValueKind::Text:
        break;
    }
    column.append_text(text);
}

} // namespace ado
