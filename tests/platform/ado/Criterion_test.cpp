#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/ado/Criterion.h"
#include "platform/ado/Predicate.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/RowName.h"
#include "support/ado/AdoFixture.h"

namespace {

using ado::CompareOp;
using ado::Literal;
using ado::Number;

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

const ParseRow k_parses[]
    = {{"DoubledQuote", "[Name] LIKE 'O''Br*'", "Name", Op::Like, K::Text, "O'Br*"},
        {"OnlyAQuote", "[n] = ''''", "n", Op::Equal, K::Text, "'"},
        {"EmptyText", "[n] = ''", "n", Op::Equal, K::Text, ""},
        {"BracketsWithBlanks", "[first name] <> 'x'", "first name", Op::NotEqual, K::Text, "x"},
        {"UnicodeBareName", "größe >= 1.5", "größe", Op::GreaterEqual, K::Number, "1.5"},
        {"LessEqual", "a<=-3", "a", Op::LessEqual, K::Number, "-3"},
        {"Less", "a < .5", "a", Op::Less, K::Number, ".5"},
        {"Greater", "a>1E+15", "a", Op::Greater, K::Number, "1E+15"},
        {"LikeLowerCase", "[a] like 'x'", "a", Op::Like, K::Text, "x"},
        {"UsDateWithTime", "d = #3/5/2024 1:30 PM#", "d", Op::Equal, K::Date, "3/5/2024 1:30 PM"},
        {"TextHoldsBrackets", "[n] = '[x] = ''y'''", "n", Op::Equal, K::Text, "[x] = 'y'"},
        {"ControlCharsInText", "[n] = 'a\tb\nc'", "n", Op::Equal, K::Text, "a\tb\nc"}};

INSTANTIATE_TEST_SUITE_P(
    Grammar, CriterionParse, ::testing::ValuesIn(k_parses), pendrel::test::RowName{});

TEST(Criterion, MalformedTextRaises3001)
{
    for (const char* bad : {"", "[a]", "[a] =", "[a] LIKEx 'y'", "[a] = 'x", "[a = 1", "[] = 1",
             "a = 1 2", "a = #2024-02-30#", "a = 1e", "a = 0x10", "a = 'x' AND b = 1", "(a) = 1",
             "a = #3/5/2024 13:00 PM#", "a = 99999999999999999999e999", "a != 1"})
        EXPECT_VB_ERROR((void)ado::parse_criterion(bad), vb::err::AdoBadArguments) << bad;
}

TEST(Criterion, NumbersKeepIntegersExactAndDatesReadInBothForms)
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
    double a = 0; // dates of both forms

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

const LikeRow k_likes[] = {{"TrailingPercent", "abc%", Mode::Prefix, "abc"},
    {"BothEnds", "*abc*", Mode::Contains, "abc"}, {"MixedEnds", "%abc*", Mode::Contains, "abc"},
    {"LeadingOnly", "*abc", Mode::Exact, "*abc"}, {"InsideAndEnd", "a%c%", Mode::Prefix, "a%c"},
    {"StarAlone", "*", Mode::Prefix, ""}, {"TwoStars", "**", Mode::Contains, ""},
    {"Empty", "", Mode::Exact, ""}};

INSTANTIATE_TEST_SUITE_P(
    Wildcards, LikePatterns, ::testing::ValuesIn(k_likes), pendrel::test::RowName{});

// A number cell against a number literal, as a criterion compares them.
struct IntRow {
    const char* name;
    std::int64_t cell;
    Number literal;
    int order;
};

class IntegerAgainstLiteral : public ::testing::TestWithParam<IntRow> {};

TEST_P(IntegerAgainstLiteral, ComparesExactly)
{
    EXPECT_EQ(ado::compare_values(GetParam().cell, GetParam().literal), GetParam().order);
    // The same value held as a real compares the same way where a double holds it.
    if (std::abs(GetParam().cell) < (std::int64_t(1) << 53)) {
        EXPECT_EQ(ado::compare_values(static_cast<double>(GetParam().cell), GetParam().literal),
            GetParam().order);
    }
}

constexpr double k_nan = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t k_big = 9007199254740993; // 2^53 + 1

const IntRow k_ints[] = {{"Equal", 12, {true, 12, 12.0}, 0},
    {"TwelveIsNotOneTwenty", 120, {true, 12, 12.0}, 1}, {"Below", 11, {true, 12, 12.0}, -1},
    {"FractionAbove", 12, {false, 0, 12.5}, -1}, {"NegativeFraction", -3, {false, 0, -2.5}, -1},
    {"WholeReal", 12, {false, 0, 12.0}, 0}, {"HugeReal", 5, {false, 0, 1e300}, -1},
    {"HugeNegativeReal", 5, {false, 0, -1e300}, 1}, {"NaNIsUnordered", 5, {false, 0, k_nan}, 2},
    {"BeyondDoublesExactIntegers", k_big, {true, k_big, double(k_big)}, 0},
    {"NeighbourOfBig", k_big - 1, {true, k_big, double(k_big)}, -1},
    {"BigAgainstItsRoundedReal", k_big, {false, 0, 9007199254740992.0}, 1}};

INSTANTIATE_TEST_SUITE_P(
    Values, IntegerAgainstLiteral, ::testing::ValuesIn(k_ints), pendrel::test::RowName{});

} // namespace
