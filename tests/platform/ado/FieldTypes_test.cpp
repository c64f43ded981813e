#include <gtest/gtest.h>

#include "platform/ado/FieldTypes.h"
#include "support/RowName.h"

namespace {

using ado::DataType;
using ado::FieldType;

struct TypeRow {
    const char* name;
    const char* declared;
    std::optional<FieldType> expected;
};

class DeclaredTypes : public ::testing::TestWithParam<TypeRow> {};

// The names both databases report are also read through the recordset and
// provider tests; these rows hold the spellings, sizes and fallbacks.
TEST_P(DeclaredTypes, MapToTheirCodeAndSize)
{
    EXPECT_EQ(ado::type_of_declaration(GetParam().declared), GetParam().expected)
        << GetParam().declared;
}

constexpr vb::Long k_long = ado::k_long_defined_size;
using T = DataType;

INSTANTIATE_TEST_SUITE_P(Table, DeclaredTypes,
    ::testing::Values(TypeRow{"Int", "int", FieldType{T::adInteger, 4}},
        TypeRow{"Double", "DOUBLE", FieldType{T::adDouble, 8}},
        TypeRow{"Float", "FLOAT", FieldType{T::adDouble, 8}},
        TypeRow{"CharWithoutLength", "CHAR", FieldType{T::adChar, 1}},
        TypeRow{"NChar", "NCHAR(3)", FieldType{T::adChar, 3}},
        TypeRow{"CharacterVarying", "character varying(9)", FieldType{T::adVarWChar, 9}},
        TypeRow{"VarcharWithoutLength", "VARCHAR", FieldType{T::adLongVarWChar, k_long}},
        TypeRow{
            "VarcharAbsurdLength", "VARCHAR(99999999999)", FieldType{T::adLongVarWChar, k_long}},
        TypeRow{"TimestampWithZone", "timestamp(3) with time zone", FieldType{T::adDate, 8}},
        TypeRow{"AffinityInt", "UNSIGNED MEDIUM INTEGER", FieldType{T::adInteger, 4}},
        TypeRow{"AffinityChar", "NATIVE CHARS(20)", FieldType{T::adVarWChar, 20}},
        TypeRow{"AffinityText", "VARYING TEXTISH(20)", FieldType{T::adVarWChar, 20}},
        TypeRow{"AffinityBlob", "LONGBLOB", FieldType{T::adLongVarBinary, k_long}},
        TypeRow{"AffinityReal", "FLOATING", FieldType{T::adDouble, 8}},
        TypeRow{"NoType", "", std::nullopt}, TypeRow{"UnknownName", "JSON", std::nullopt}),
    pendrel::test::RowName{});

} // namespace
