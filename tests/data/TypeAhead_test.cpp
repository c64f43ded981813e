// The criterion type-ahead searches with, by field type.

#include "data/TypeAhead.h"

#include <gtest/gtest.h>

#include "support/RowName.h"

namespace pendrel {
namespace {

struct Row {
    const char* name;
    vb::Long type;
    const char* typed;
    std::optional<std::string> criterion;
};

class TypeAheadCriterion : public testing::TestWithParam<Row> {};

TEST_P(TypeAheadCriterion, ByFieldType)
{
    const Row& row = GetParam();
    EXPECT_EQ(type_ahead_criterion(row.type, "City Name", row.typed), row.criterion);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypeAheadCriterion,
    testing::Values(Row{"VarChar", 200, "Am", "[City Name] LIKE 'Am*'"},
        Row{"LongVarChar", 201, "Am", "[City Name] LIKE 'Am*'"},
        Row{"VarWCharQuoteDoubled", 202, "O'Br", "[City Name] LIKE 'O''Br*'"},
        Row{"LongVarWCharBackslashDoubled", 203, "a\\b", "[City Name] LIKE 'a\\\\b*'"},
        Row{"NonAsciiAsTyped", 202, "Łó", "[City Name] LIKE 'Łó*'"},
        Row{"SmallInt", 2, "12", "[City Name]=12"}, Row{"Integer", 3, "12ab", "[City Name]=12"},
        Row{"Single", 4, "ab", "[City Name]=0"}, Row{"Double", 5, " -3.5x", "[City Name]=-3.5"},
        Row{"UnsignedTinyInt", 17, "7", "[City Name]=7"},
        Row{"Numeric", 131, "1e20", "[City Name]=1E+20"},
        Row{"DateAsItsSerial", 7, "46361", "[City Name]=46361"},
        Row{"FixedChar", 129, "Am", std::nullopt}, Row{"FixedWChar", 130, "Am", std::nullopt},
        Row{"Currency", 6, "12", std::nullopt}, Row{"BigInt", 20, "12", std::nullopt},
        Row{"Boolean", 11, "1", std::nullopt}, Row{"Decimal", 14, "12", std::nullopt},
        Row{"Empty", 0, "12", std::nullopt}),
    test::RowName{});

} // namespace
} // namespace pendrel
