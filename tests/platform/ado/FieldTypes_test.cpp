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

const TypeRow k_types[] = {{"Int", "int", FieldType{T::adInteger, 4}},
    {"Double", "DOUBLE", FieldType{T::adDouble, 8}}, {"Float", "FLOAT", FieldType{T::adDouble, 8}},
    {"CharWithoutLength", "CHAR", FieldType{T::adChar, 1}},
    {"NChar", "NCHAR(3)", FieldType{T::adChar, 3}},
    {"CharacterVarying", "character varying(9)", FieldType{T::adVarWChar, 9}},
    {"VarcharWithoutLength", "VARCHAR", FieldType{T::adLongVarWChar, k_long}},
    {"VarcharAbsurdLength", "VARCHAR(99999999999)", FieldType{T::adLongVarWChar, k_long}},
    {"TimestampWithZone", "timestamp(3) with time zone", FieldType{T::adDate, 8}},
    {"AffinityInt", "UNSIGNED MEDIUM INTEGER", FieldType{T::adInteger, 4}},
    {"AffinityChar", "NATIVE CHARS(20)", FieldType{T::adVarWChar, 20}},
    {"AffinityText", "VARYING TEXTISH(20)", FieldType{T::adVarWChar, 20}},
    {"AffinityBlob", "LONGBLOB", FieldType{T::adLongVarBinary, k_long}},
    {"AffinityReal", "FLOATING", FieldType{T::adDouble, 8}}, {"NoType", "", std::nullopt},
    {"UnknownName", "JSON", std::nullopt}};

INSTANTIATE_TEST_SUITE_P(
    Table, DeclaredTypes, ::testing::ValuesIn(k_types), pendrel::test::RowName{});

} // namespace
