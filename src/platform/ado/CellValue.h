#pragma once
// The value of one cell as the runtime sees it, by field type:
//
//   2 SmallInt, 17 TinyInt   Integer (Long, then Double, when it does not fit)
//   3 Integer, 20 BigInt     Long (Double beyond 32 bits: the runtime has no
//                            64-bit integer)
//   11 Boolean               Boolean
//   4 Single                 Single
//   5 Double, 131 Numeric    Double
//   7 Date                   Date
//   text types               String
//   205 binary               String holding the bytes as they are
//
// A column that had to fall back to text storage gives Strings; Null is Null.

#include <cstddef>

#include "platform/ado/Table.h"
#include "platform/vb/Variant.h"

namespace ado {

[[nodiscard]] vb::Variant cell_value(const Table& table, std::size_t column, std::size_t row);

} // namespace ado
