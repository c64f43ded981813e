#include "data/SqlText.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

namespace {

struct JokerCase {
    const char* name;
    const char* sql;
    const char* user;
    const char* expected;
};

class PrepSQLforJokerTable : public testing::TestWithParam<JokerCase> {};

TEST_P(PrepSQLforJokerTable, Rewrites)
{
    const auto& c = GetParam();
    EXPECT_EQ(pendrel::PrepSQLforJoker(c.sql, c.user), c.expected);
}

INSTANTIATE_TEST_SUITE_P(SqlText, PrepSQLforJokerTable,
    testing::Values(JokerCase{"EmptySql", "", "ab", ""},
        JokerCase{"Pattern", "SELECT * FROM T WHERE N LIKE '*ab*'", "ab",
            "SELECT * FROM T WHERE N LIKE '%ab%'"},
        JokerCase{"QuoteDoubledInReplacementOnly", "SELECT * FROM T WHERE N LIKE '*O'B*'", "O'B",
            "SELECT * FROM T WHERE N LIKE '%O''B%'"},
        JokerCase{"CaseDiffers", "SELECT * FROM T WHERE N LIKE '*AB*'", "ab",
            "SELECT * FROM T WHERE N LIKE '*AB*'"},
        JokerCase{"SelectStarWithEmptyUser", "SELECT * FROM T WHERE N LIKE '**'", "",
            "SELECT * FROM T WHERE N LIKE '%%'"},
        JokerCase{"SelectStarUntouched", "SELECT * FROM T", "", "SELECT * FROM T"},
        JokerCase{"ElevenCharsUnchanged", "12345678*x*", "x", "12345678*x*"},
        // An occurrence starting at character 12 is replaced; one starting
        // at 11 straddles the boundary and is kept.
        JokerCase{"StartsAtTwelve", "12345678901*x*", "x", "12345678901%x%"},
        JokerCase{"StartsAtEleven", "1234567890*x*", "x", "1234567890*x*"},
        // Positions count characters: eleven two-byte letters come first.
        JokerCase{"NonAsciiPrefix", "ééééééééééé*ü*", "ü", "ééééééééééé%ü%"},
        JokerCase{"Backslash", "SELECT * FROM T WHERE N LIKE '*a\\b*'", "a\\b",
            "SELECT * FROM T WHERE N LIKE '%a\\\\b%'"},
        JokerCase{"EveryOccurrence", "SELECT a FROM T WHERE x LIKE '*q*' OR y LIKE '*q*'", "q",
            "SELECT a FROM T WHERE x LIKE '%q%' OR y LIKE '%q%'"}),
    pendrel::test::RowName{});

TEST(PrepForSQL, DoublesQuotesThenBackslashes)
{
    EXPECT_EQ(pendrel::PrepForSQL(""), "");
    EXPECT_EQ(pendrel::PrepForSQL("'\\"), "''\\\\");
    EXPECT_EQ(pendrel::PrepForSQL("Łódź"), "Łódź");
}

} // namespace
