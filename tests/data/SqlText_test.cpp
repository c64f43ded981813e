// The wildcard pattern of a row source rewritten for LIKE, and user text
// made safe inside an SQL literal.

#include "data/SqlText.h"

#include <gtest/gtest.h>

namespace pendrel {
namespace {

TEST(PrepSQLforJoker, RewritesTheUsersPatternFromCharacterTwelve)
{
    struct Row {
        const char *name, *sql, *user, *expected;
    };
    const Row rows[] = {// Matched with the user's text as it is, replaced with it escaped.
        {"QuoteDoubledInReplacementOnly", "SELECT * FROM T WHERE N LIKE '*O'B*'", "O'B",
            "SELECT * FROM T WHERE N LIKE '%O''B%'"},
        {"CaseDiffers", "SELECT * FROM T WHERE N LIKE '*AB*'", "ab",
            "SELECT * FROM T WHERE N LIKE '*AB*'"},
        {"EmptyUser", "SELECT * FROM T WHERE N LIKE '**'", "", "SELECT * FROM T WHERE N LIKE '%%'"},
        {"EveryOccurrence", "SELECT a FROM T WHERE x LIKE '*q*' OR y LIKE '*q*'", "q",
            "SELECT a FROM T WHERE x LIKE '%q%' OR y LIKE '%q%'"},
        // An occurrence starting at character 12 is replaced; one starting
        // at 11 straddles the boundary and is kept.
        {"StartsAtTwelve", "12345678901*x*", "x", "12345678901%x%"},
        {"StartsAtEleven", "1234567890*x*", "x", "1234567890*x*"},
        // Positions count characters: eleven two-byte letters come first.
        {"NonAsciiPrefix", "ééééééééééé*ü*", "ü", "ééééééééééé%ü%"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PrepSQLforJoker(row.sql, row.user), row.expected);
    }
}

TEST(PrepForSQL, DoublesQuotesAndBackslashes)
{
    EXPECT_EQ(PrepForSQL("O'B\\Łódź"), "O''B\\\\Łódź");
}

} // namespace
} // namespace pendrel
