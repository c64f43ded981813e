#include <gtest/gtest.h>

#include <optional>

#include "platform/vb/Convert.h"
#include "support/RowName.h"
#include "support/VbError.h"

using namespace vb;
using namespace std::string_view_literals;

namespace {

auto row_name = pendrel::test::RowName{};

struct ValRow {
    const char* name;
    std::string_view text;
    double expected;
};

class ValRows : public testing::TestWithParam<ValRow> {};

TEST_P(ValRows, ReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(GetParam().text), GetParam().expected);
}

const ValRow k_vals[] = {{"TrailingLetters", "12ab", 12}, {"NoNumber", "ab", 0},
    {"BlanksInside", " 1 2 3", 123}, {"TabsAndLineFeeds", "\t\n 4", 4},
    {"CarriageReturnStops", "\r5", 0}, {"TwoSigns", "--5", 0}, {"PlusSign", "+3", 3},
    {"LeadingPoint", "-.5", -0.5}, {"SecondPointStops", "1.2.3", 1.2}, {"PointOnly", ".", 0},
    {"CommaStops", "12,5", 12}, {"Exponent", "1e3", 1000}, {"ExponentD", "1D2", 100},
    {"ExponentSignWithoutDigits", "1e+x", 1}, {"Underflow", "1e-400", 0}, {"Hex", "&HFF", 255},
    {"HexLower", "&hff", 255},
    // Up to 16 bits an Integer, up to 32 a Long.
    {"HexAllOnes16", "&HFFFF", -1}, {"HexBeyond16", "&H10000", 65536},
    {"HexMin32", "&H80000000", -2147483648.0}, {"HexStopsAtG", "&HFG", 15}, {"Octal", "&O17", 15},
    {"OctalStopsAt8", "&o8", 0}, {"AmpersandAlone", "&12", 0},
    {"NonAsciiDigits", "\u0661\u0662", 0}, {"EmbeddedNul", "7\0008"sv, 7}};

INSTANTIATE_TEST_SUITE_P(Rows, ValRows, testing::ValuesIn(k_vals), row_name);

TEST(ValErrors, NumbersBeyondTheirRangeRaiseOverflow)
{
    EXPECT_VB_ERROR((void)Val("1e400"), err::Overflow);
    EXPECT_VB_ERROR((void)Val("&H100000000"), err::Overflow);
    EXPECT_VB_ERROR((void)Val(std::string(400, '9')), err::Overflow);
    EXPECT_EQ(Val("1" + std::string(300, '0')), 1e300);
}

struct ParseRow {
    const char* name;
    std::string_view text;
    std::optional<double> expected;
};

class ParseNumber : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumber, AcceptsOnlyAWholeNumberText)
{
    EXPECT_EQ(parse_number(GetParam().text), GetParam().expected);
}

const ParseRow k_parses[]
    = {{"BlanksAround", " \t12 ", 12.0}, {"TrailingLetters", "12ab", std::nullopt},
        {"EmptyText", "", std::nullopt}, {"BlankInside", "1 2", std::nullopt},
        {"TrailingPoint", "1.", 1.0}, {"PointOnly", ".", std::nullopt},
        {"ExponentWithoutDigits", "1e", std::nullopt}, {"Hex", "&HFFFF", -1.0},
        {"HexWithoutDigits", "&H", std::nullopt}, {"SecondPoint", "1.2.3", std::nullopt}};

INSTANTIATE_TEST_SUITE_P(Rows, ParseNumber, testing::ValuesIn(k_parses), row_name);

} // namespace
