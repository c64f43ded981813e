#include <gtest/gtest.h>

#include "platform/ado/SqlText.h"
#include "support/RowName.h"

namespace {

TEST(SqlText, FirstKeywordSkipsBlanksCommentsAndParentheses)
{
    EXPECT_EQ(ado::first_keyword("select 1"), "SELECT");
    EXPECT_EQ(
        ado::first_keyword("  -- note\n /* a /* nested */ b */ ((With x AS (SELECT 1) SELECT 1))"),
        "WITH");
    EXPECT_EQ(ado::first_keyword("\tDELETE FROM t"), "DELETE");
    EXPECT_EQ(ado::first_keyword("-- only"), "");
    EXPECT_EQ(ado::first_keyword("/* open"), "");
    EXPECT_EQ(ado::first_keyword("'x'"), "");
}

struct StatementRow {
    const char* name;
    const char* sql;
    bool second;
};

class SecondStatement : public ::testing::TestWithParam<StatementRow> {};

TEST_P(SecondStatement, IsFoundOutsideQuotesAndComments)
{
    EXPECT_EQ(ado::has_second_statement(GetParam().sql), GetParam().second) << GetParam().sql;
}

INSTANTIATE_TEST_SUITE_P(Texts, SecondStatement,
    ::testing::Values(StatementRow{"One", "SELECT 1", false},
        StatementRow{"TrailingSemicolons", "SELECT 1; ; ", false},
        StatementRow{"TrailingComment", "SELECT 1; -- bye", false},
        StatementRow{"Two", "SELECT 1; SELECT 2", true},
        StatementRow{"InText", "SELECT ';DROP'", false},
        StatementRow{"DoubledQuote", "SELECT 'a'';b'", false},
        StatementRow{"EscapedText", "SELECT E'a\\';b'", false},
        StatementRow{"InName", "SELECT 1 AS \";x\"", false},
        StatementRow{"InDollarText", "SELECT $$;x$$", false},
        StatementRow{"TaggedDollar", "SELECT $t$ $$; $t$", false},
        StatementRow{"AfterDollarText", "SELECT $$a$$; SELECT 2", true},
        StatementRow{"InLineComment", "SELECT 1 -- ; DROP\n", false},
        StatementRow{"AfterLineComment", "SELECT 1 -- x\n; DROP TABLE t", true},
        StatementRow{"Parameter", "SELECT $1; DROP", true},
        StatementRow{"QuoteAfterSemicolon", "SELECT 1;'x'", true}),
    pendrel::test::RowName{});

} // namespace
