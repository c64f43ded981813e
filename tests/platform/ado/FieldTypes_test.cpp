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

TEST_P(DeclaredTypes, MapToTheirCodeAndSize)
{
    EXPECT_EQ(ado::type_of_declaration(GetParam().declared), GetParam().expected)
        << GetParam().declared;
}

constexpr vb::Long k_long = ado::k_long_defined_size;

INSTANTIATE_TEST_SUITE_P(Table, DeclaredTypes,
    ::testing::Values(TypeRow{"Integer", "INTEGER", FieldType{DataType::adInteger, 4}},
        TypeRow{"Int", "int", FieldType{DataType::adInteger, 4}},
        TypeRow{"SmallInt", "SMALLINT", FieldType{DataType::adSmallInt, 2}},
        TypeRow{"TinyInt", "TINYINT", FieldType{DataType::adUnsignedTinyInt, 1}},
        TypeRow{"BigInt", "BIGINT", FieldType{DataType::adBigInt, 8}},
        TypeRow{"Real", "REAL", FieldType{DataType::adSingle, 4}},
        TypeRow{"Float4", "float4", FieldType{DataType::adSingle, 4}},
        TypeRow{"Double", "DOUBLE", FieldType{DataType::adDouble, 8}},
        TypeRow{"DoublePrecision", "double   precision", FieldType{DataType::adDouble, 8}},
        TypeRow{"Float", "FLOAT", FieldType{DataType::adDouble, 8}},
        TypeRow{"Numeric", "NUMERIC(10,2)", FieldType{DataType::adNumeric, 19}},
        TypeRow{"Boolean", "BOOLEAN", FieldType{DataType::adBoolean, 2}},
        TypeRow{"Char", "CHAR(10)", FieldType{DataType::adChar, 10}},
        TypeRow{"CharWithoutLength", "CHAR", FieldType{DataType::adChar, 1}},
        TypeRow{"NChar", "NCHAR(3)", FieldType{DataType::adChar, 3}},
        TypeRow{"Bpchar", "bpchar(6)", FieldType{DataType::adChar, 6}},
        TypeRow{"Varchar", "VARCHAR(40)", FieldType{DataType::adVarWChar, 40}},
        TypeRow{"CharacterVarying", "character varying(9)", FieldType{DataType::adVarWChar, 9}},
        TypeRow{"VarcharWithoutLength", "VARCHAR", FieldType{DataType::adLongVarWChar, k_long}},
        TypeRow{"VarcharAbsurdLength", "VARCHAR(99999999999)",
            FieldType{DataType::adLongVarWChar, k_long}},
        TypeRow{"Text", "TEXT", FieldType{DataType::adLongVarWChar, k_long}},
        TypeRow{"Date", "DATE", FieldType{DataType::adDate, 8}},
        TypeRow{"Timestamp", "TIMESTAMP", FieldType{DataType::adDate, 8}},
        TypeRow{"TimestampWithZone", "timestamp(3) with time zone", FieldType{DataType::adDate, 8}},
        TypeRow{"Blob", "BLOB", FieldType{DataType::adLongVarBinary, k_long}},
        TypeRow{"Bytea", "bytea", FieldType{DataType::adLongVarBinary, k_long}},
        TypeRow{"AffinityInt", "UNSIGNED MEDIUM INTEGER", FieldType{DataType::adInteger, 4}},
        TypeRow{"AffinityText", "VARYING TEXTISH(20)", FieldType{DataType::adVarWChar, 20}},
        TypeRow{"AffinityReal", "FLOATING", FieldType{DataType::adDouble, 8}},
        TypeRow{"NoType", "", std::nullopt}, TypeRow{"UnknownName", "JSON", std::nullopt}),
    pendrel::test::RowName{});

TEST(FieldTypes, ValuesDecideWithoutADeclaration)
{
    EXPECT_EQ(
        ado::type_from_values(ado::Storage::Integer, true), (FieldType{DataType::adInteger, 4}));
    EXPECT_EQ(
        ado::type_from_values(ado::Storage::Integer, false), (FieldType{DataType::adBigInt, 8}));
    EXPECT_EQ(ado::type_from_values(ado::Storage::Real, true), (FieldType{DataType::adDouble, 8}));
    EXPECT_EQ(ado::type_from_values(ado::Storage::Empty, true),
        (FieldType{DataType::adLongVarWChar, k_long}));
    EXPECT_EQ(ado::type_from_values(ado::Storage::Blob, true),
        (FieldType{DataType::adLongVarBinary, k_long}));
}

} // namespace
