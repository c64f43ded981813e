#include <gtest/gtest.h>

#include <optional>

#include "platform/vb/Convert.h"
#include "platform/vb/Error.h"
#include "support/RowName.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using namespace std::string_view_literals;
using pendrel::test::raised_number;

namespace {

auto row_name = pendrel::test::RowName{};

struct ValRow {
    const char* name;
    std::string_view text;
    double expected;
    friend void PrintTo(const ValRow& r, std::ostream* os) { *os << r.name; }
};

class ValRows : public testing::TestWithParam<ValRow> {};

TEST_P(ValRows, ReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ValRows,
    testing::Values(ValRow{"TrailingLetters", "12ab", 12}, ValRow{"NoNumber", "ab", 0},
        ValRow{"EmptyText", "", 0}, ValRow{"BlanksInside", " 1 2 3", 123},
        ValRow{"TabsAndLineFeeds", "\t\n 4", 4}, ValRow{"BlanksAroundPoint", " 3 . 1 4", 3.14},
        ValRow{"CarriageReturnStops", "\r5", 0}, ValRow{"BlankAfterSign", "- 5", -5},
        ValRow{"TwoSigns", "--5", 0}, ValRow{"PlusSign", "+3", 3},
        ValRow{"LeadingPoint", "-.5", -0.5}, ValRow{"SecondPointStops", "1.2.3", 1.2},
        ValRow{"PointOnly", ".", 0}, ValRow{"CommaStops", "12,5", 12},
        ValRow{"Exponent", "1e3", 1000}, ValRow{"ExponentD", "1D2", 100},
        ValRow{"ExponentSignWithoutDigits", "1e+x", 1}, ValRow{"ExponentThenText", "2e3x", 2000},
        ValRow{"Underflow", "1e-400", 0}, ValRow{"Hex", "&HFF", 255},
        ValRow{"HexLower", "&hff", 255}, ValRow{"HexAllOnes16", "&HFFFF", -1},
        ValRow{"HexMin16", "&H8000", -32768}, ValRow{"HexBeyond16", "&H10000", 65536},
        ValRow{"HexMin32", "&H80000000", -2147483648.0}, ValRow{"HexStopsAtG", "&HFG", 15},
        ValRow{"HexWithoutDigits", "&H", 0}, ValRow{"HexBlanksInside", "&H F F", 255},
        ValRow{"Octal", "&O17", 15}, ValRow{"OctalAllOnes16", "&O177777", -1},
        ValRow{"OctalStopsAt8", "&o8", 0}, ValRow{"AmpersandAlone", "&12", 0},
        ValRow{"CPrefixIsNotHex", "0x1A", 0}, ValRow{"NonAsciiLetters", "Zürich", 0},
        ValRow{"NonAsciiDigits", "\u0661\u0662", 0},
        ValRow{"EmbeddedNul",
            std::string_view("7\0"
                             "8",
                3),
            7}),
    row_name);

TEST(ValErrors, NumbersBeyondTheirRangeRaiseOverflow)
{
    EXPECT_EQ(raised_number([] { (void)Val("1e400"); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)Val("-1e400"); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)Val("&H100000000"); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)Val(std::string(400, '9')); }), err::Overflow);
    EXPECT_EQ(Val("1" + std::string(300, '0')), 1e300);
}

struct ParseRow {
    const char* name;
    std::string_view text;
    std::optional<double> expected;
    friend void PrintTo(const ParseRow& r, std::ostream* os) { *os << r.name; }
};

class ParseNumber : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumber, AcceptsOnlyAWholeNumberText)
{
    EXPECT_EQ(parse_number(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseNumber,
    testing::Values(ParseRow{"Digits", "12", 12.0}, ParseRow{"BlanksAround", " \t12 ", 12.0},
        ParseRow{"TrailingLetters", "12ab", std::nullopt}, ParseRow{"EmptyText", "", std::nullopt},
        ParseRow{"BlankInside", "1 2", std::nullopt}, ParseRow{"LeadingPoint", "-.5", -0.5},
        ParseRow{"TrailingPoint", "1.", 1.0}, ParseRow{"PointOnly", ".", std::nullopt},
        ParseRow{"SignOnly", "+", std::nullopt},
        ParseRow{"ExponentWithoutDigits", "1e", std::nullopt},
        ParseRow{"Exponent", "2.5E+2", 250.0}, ParseRow{"Hex", "&HFFFF", -1.0},
        ParseRow{"HexWithoutDigits", "&H", std::nullopt},
        ParseRow{"SecondPoint", "1.2.3", std::nullopt}),
    row_name);

} // namespace
