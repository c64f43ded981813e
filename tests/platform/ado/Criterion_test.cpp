#include <gtest/gtest.h>

#include "platform/ado/Criterion.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/RowName.h"
#include "support/ado/AdoFixture.h"

namespace {

using ado::CompareOp;
using ado::Literal;

struct ParseRow {
    const char* name;
    const char* text;
    const char* column;
    CompareOp op;
    Literal::Kind kind;
    std::string literal; // the text of the literal
};

class CriterionParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(CriterionParse, ReadsColumnOperatorAndLiteral)
{
    const auto& row = GetParam();
    const auto c = ado::parse_criterion(row.text);
    EXPECT_EQ(c.column, row.column);
    EXPECT_EQ(c.op, row.op);
    EXPECT_EQ(c.value.kind, row.kind);
    EXPECT_EQ(c.value.text, row.literal);
}

using Op = CompareOp;
using K = Literal::Kind;

INSTANTIATE_TEST_SUITE_P(Grammar, CriterionParse,
    ::testing::Values(
        ParseRow{"DoubledQuote", "[Name] LIKE 'O''Br*'", "Name", Op::Like, K::Text, "O'Br*"},
        ParseRow{"OnlyAQuote", "[n] = ''''", "n", Op::Equal, K::Text, "'"},
        ParseRow{"EmptyText", "[n] = ''", "n", Op::Equal, K::Text, ""},
        ParseRow{
            "BracketsWithBlanks", "[first name] <> 'x'", "first name", Op::NotEqual, K::Text, "x"},
        ParseRow{"UnicodeBareName", "größe >= 1.5", "größe", Op::GreaterEqual, K::Number, "1.5"},
        ParseRow{"LessEqual", "a<=-3", "a", Op::LessEqual, K::Number, "-3"},
        ParseRow{"Less", "a < .5", "a", Op::Less, K::Number, ".5"},
        ParseRow{"Greater", "a>1E+15", "a", Op::Greater, K::Number, "1E+15"},
        ParseRow{"LikeLowerCase", "[a] like 'x'", "a", Op::Like, K::Text, "x"},
        ParseRow{"UsDateWithTime", "d = #3/5/2024 1:30 PM#", "d", Op::Equal, K::Date,
            "3/5/2024 1:30 PM"},
        ParseRow{"TextHoldsBrackets", "[n] = '[x] = ''y'''", "n", Op::Equal, K::Text, "[x] = 'y'"},
        ParseRow{"ControlCharsInText", "[n] = 'a\tb\nc'", "n", Op::Equal, K::Text, "a\tb\nc"}),
    pendrel::test::RowName{});

TEST(Criterion, MalformedTextRaises3001)
{
    for (const char* bad : {"", "[a]", "[a] =", "[a] LIKEx 'y'", "[a] = 'x", "[a = 1", "[] = 1",
             "a = 1 2", "a = #2024-02-30#", "a = 1e", "a = 0x10", "a = 'x' AND b = 1", "(a) = 1",
             "a = #3/5/2024 13:00 PM#", "a = 99999999999999999999e999", "a != 1"})
        EXPECT_VB_ERROR((void)ado::parse_criterion(bad), vb::err::AdoBadArguments) << bad;
}

TEST(Criterion, NumbersKeepIntegersExact)
{
    ado::Number n;
    ASSERT_TRUE(ado::parse_number("9007199254740993", n));
    EXPECT_TRUE(n.is_integer);
    EXPECT_EQ(n.integer, 9007199254740993LL);
    ASSERT_TRUE(ado::parse_number("+12", n));
    EXPECT_EQ(n.integer, 12);
    ASSERT_TRUE(ado::parse_number("1.0", n));
    EXPECT_FALSE(n.is_integer);
    ASSERT_TRUE(ado::parse_number("99999999999999999999", n)); // beyond 64 bits: a real
    EXPECT_FALSE(n.is_integer);
    EXPECT_DOUBLE_EQ(n.real, 1e20);
}

TEST(Criterion, DatesOfBothForms)
{
    double a = 0;
    double b = 0;
    ASSERT_TRUE(ado::parse_date_literal("2024-03-05 13:30", a));
    ASSERT_TRUE(ado::parse_date_literal(" 3/5/2024 1:30 PM ", b));
    EXPECT_DOUBLE_EQ(a, b);
    ASSERT_TRUE(ado::parse_date_literal("12/31/1999 12:00:00 AM", a));
    EXPECT_DOUBLE_EQ(a, 36525.0);
}

struct LikeRow {
    const char* name;
    const char* pattern;
    ado::LikePattern::Mode mode;
    const char* body;
};

class LikePatterns : public ::testing::TestWithParam<LikeRow> {};

TEST_P(LikePatterns, WildcardsOnlyAtTheEnds)
{
    const auto p = ado::parse_like(GetParam().pattern);
    EXPECT_EQ(p.mode, GetParam().mode);
    EXPECT_EQ(p.body, GetParam().body);
}

using Mode = ado::LikePattern::Mode;

INSTANTIATE_TEST_SUITE_P(Wildcards, LikePatterns,
    ::testing::Values(LikeRow{"TrailingPercent", "abc%", Mode::Prefix, "abc"},
        LikeRow{"BothEnds", "*abc*", Mode::Contains, "abc"},
        LikeRow{"MixedEnds", "%abc*", Mode::Contains, "abc"},
        LikeRow{"LeadingOnly", "*abc", Mode::Exact, "*abc"},
        LikeRow{"InsideAndEnd", "a%c%", Mode::Prefix, "a%c"},
        LikeRow{"StarAlone", "*", Mode::Prefix, ""}, LikeRow{"TwoStars", "**", Mode::Contains, ""},
        LikeRow{"Empty", "", Mode::Exact, ""}),
    pendrel::test::RowName{});

} // namespace
