#include "platform/vb/Convert.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <memory>
#include <optional>

#include "platform/vb/DateTime.h"
#include "support/RowName.h"
#include "support/VbError.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using namespace std::string_view_literals;
using pendrel::test::PlainObject;
using pendrel::test::ValueObject;

namespace {

auto row_name = pendrel::test::RowName{};

Variant object_holding(Variant value)
{
    return std::make_shared<ValueObject>(std::move(value));
}

using Convert = Variant (*)(const Variant&);
constexpr Convert k_round = [](const Variant& v) { return Variant(round_half_even(CDbl(v))); };
constexpr Convert k_cint = [](const Variant& v) { return Variant(CInt(v)); };
constexpr Convert k_clng = [](const Variant& v) { return Variant(CLng(v)); };
constexpr Convert k_csng = [](const Variant& v) { return Variant(CSng(v)); };
constexpr Convert k_cdbl = [](const Variant& v) { return Variant(CDbl(v)); };
// CBool as its raw value: True is -1.
constexpr Convert k_cbool = [](const Variant& v) { return Variant(CBool(v).raw()); };
constexpr Convert k_cdate = [](const Variant& v) { return Variant(CDate(v)); };
constexpr Convert k_cstr = [](const Variant& v) { return Variant(CStr(v)); };

// One conversion of one value: the value and kind it gives, or the error.
struct ConvRow {
    const char* name;
    Convert convert;
    Variant input;
    Variant expected; // when error == 0
    Long error = 0;
};

class Conversions : public testing::TestWithParam<ConvRow> {};

TEST_P(Conversions, ConvertOrRaise)
{
    const ConvRow& row = GetParam();
    if (row.error != 0) {
        EXPECT_VB_ERROR((void)row.convert(row.input), row.error);
    } else {
        EXPECT_EQ(row.convert(row.input), row.expected);
    }
}

constexpr Long k_overflow = err::Overflow;
constexpr Long k_mismatch = err::TypeMismatch;

const ConvRow k_rows[] = {
    // Halves go to the even neighbour, exactly.
    {"RoundHalf", k_round, 0.5, 0.0}, {"RoundOneAndHalf", k_round, 1.5, 2.0},
    {"RoundMinusTwoHalf", k_round, -2.5, -2.0}, {"RoundMinusAboveHalf", k_round, -2.5001, -3.0},
    // The largest double below 0.5: adding 0.5 and flooring would give 1.
    {"RoundJustBelowHalf", k_round, 0.49999999999999994, 0.0},
    {"RoundHuge", k_round, 4503599627370497.0, 4503599627370497.0},
    // The range ends half a unit past the last whole number.
    {"CIntHalfAboveMax", k_cint, 32767.5, {}, k_overflow},
    {"CIntMax", k_cint, 32767.4999, Integer{32767}},
    {"CIntHalfBelowMin", k_cint, -32768.5, {}, k_overflow},
    {"CIntMin", k_cint, -32768.4999, Integer{-32768}}, {"CIntHalfToEven", k_cint, 2.5, Integer{2}},
    {"CIntLong", k_cint, Long{32768}, {}, k_overflow},
    {"CIntNumberText", k_cint, "12", Integer{12}}, {"CIntLetters", k_cint, "12ab", {}, k_mismatch},
    {"CIntTrue", k_cint, True, Integer{-1}}, {"CIntEmpty", k_cint, Variant{}, Integer{0}},
    {"CIntNull", k_cint, Null, {}, err::InvalidUseOfNull},
    {"CIntMissing", k_cint, Missing, {}, k_mismatch},
    {"CIntNothing", k_cint, ObjectRef{}, {}, err::ObjectNotSet},
    {"CIntObject", k_cint, object_holding("7"), Integer{7}},
    {"CIntObjectWithoutDefault", k_cint, std::make_shared<PlainObject>(), {}, err::NotSupported},
    {"CLngHalfAboveMax", k_clng, 2147483647.5, {}, k_overflow},
    {"CLngMax", k_clng, 2147483647.49, Long{2147483647}},
    {"CLngHalfBelowMin", k_clng, -2147483648.5, {}, k_overflow},
    {"CLngMin", k_clng, -2147483648.49, Long{INT32_MIN}},
    {"CSngMax", k_csng, 3.4028234663852886e38, Single{3.4028234663852886e38f}},
    {"CSngAboveMax", k_csng, 3.5e38, {}, k_overflow},
    {"CSngBelowMin", k_csng, -3.5e38, {}, k_overflow}, {"CSngTiny", k_csng, 1e-50, Single{0.0f}},
    {"CDblInteger", k_cdbl, Integer{-7}, -7.0}, {"CDblSingle", k_cdbl, Single{0.5f}, 0.5},
    {"CDblDate", k_cdbl, Date{1.25}, 1.25}, {"CBoolZero", k_cbool, Long{0}, Integer{0}},
    {"CBoolFraction", k_cbool, 0.1, Integer{-1}},
    {"CBoolTrueBlanks", k_cbool, " TRUE ", Integer{-1}},
    {"CBoolFalseLower", k_cbool, "false", Integer{0}},
    {"CBoolNumberText", k_cbool, "-1", Integer{-1}}, {"CBoolYes", k_cbool, "yes", {}, k_mismatch},
    {"CBoolObject", k_cbool, object_holding("True"), Integer{-1}},
    {"CDateSerial", k_cdate, 1.5, Date{1.5}}, {"CDateText", k_cdate, "2026-12-05", Date{46361.0}},
    {"CDateTooLate", k_cdate, 1e10, {}, k_overflow},
    {"CStrNull", k_cstr, Null, {}, err::InvalidUseOfNull},
    {"CStrObject", k_cstr, object_holding(Long{5}), "5"}};

INSTANTIATE_TEST_SUITE_P(Rows, Conversions, testing::ValuesIn(k_rows), row_name);

TEST(CheckedArithmetic, ResultsBeyondTheirTypeRaiseOverflow)
{
    EXPECT_EQ(narrow(32767), 32767);
    EXPECT_VB_ERROR((void)narrow(32768), k_overflow);
    EXPECT_EQ(narrow(-32768), -32768);
    EXPECT_VB_ERROR((void)narrow(-32769), k_overflow);
    EXPECT_VB_ERROR((void)checked_add(Integer{32767}, Integer{1}), k_overflow);
    EXPECT_VB_ERROR((void)checked_sub(Integer{0}, Integer{-32768}), k_overflow);
    EXPECT_EQ(checked_mul(Integer{-256}, Integer{128}), -32768);
    EXPECT_VB_ERROR((void)checked_mul(Integer{182}, Integer{182}), k_overflow);
    EXPECT_VB_ERROR((void)checked_add(Long{INT32_MAX}, Long{1}), k_overflow);
    EXPECT_EQ(checked_sub(Long{-2147483647}, Long{1}), INT32_MIN);
    EXPECT_VB_ERROR((void)checked_sub(Long{0}, Long{INT32_MIN}), k_overflow);
    EXPECT_EQ(checked_mul(Long{-65536}, Long{32768}), INT32_MIN);
    EXPECT_VB_ERROR((void)checked_mul(Long{46341}, Long{46341}), k_overflow);
}

// A Double has 15 significant digits, a Single 7.
struct TextRow {
    const char* name;
    double value;
    const char* expected;
    bool single = false;
};

class NumberText : public testing::TestWithParam<TextRow> {};

TEST_P(NumberText, RoundsToItsDigitsThenWritesPlainOrExponent)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(row.single ? single_text(static_cast<float>(row.value)) : double_text(row.value),
        row.expected);
}

const TextRow k_texts[] = {{"NegativeZero", -0.0, "0"}, {"NegativeFraction", -1.5, "-1.5"},
    {"SumRoundsToFifteenDigits", 0.1 + 0.2, "0.3"}, {"OneThird", 1.0 / 3, "0.333333333333333"},
    {"FifteenNines", 999999999999999.0, "999999999999999"},
    {"FifteenNinesRoundsUp", 999999999999999.9, "1E+15"},
    {"Eighteen", 123456789012345678.0, "1.23456789012346E+17"},
    {"OneEMinus15", 1e-15, "0.000000000000001"}, {"OneEMinus16", 1e-16, "1E-16"},
    // Plainly written these would need a 16th place after the point.
    {"OneAndHalfEMinus15", 1.5e-15, "1.5E-15"}, {"OneThirtieth", 1.0 / 30, "3.33333333333333E-02"},
    {"Max", DBL_MAX, "1.79769313486232E+308"},
    {"Infinity", std::numeric_limits<double>::infinity(), "1.#INF"},
    {"SingleOnePointOne", 1.1f, "1.1", true}, {"SingleOneThird", 1.0f / 3, "0.3333333", true},
    {"SingleSevenNines", 9999999.0f, "9999999", true}, {"SingleOneE7", 1e7f, "1E+07", true},
    {"SingleOneEMinus7", 1e-7f, "0.0000001", true}, {"SingleOneEMinus8", 1e-8f, "1E-08", true}};

INSTANTIATE_TEST_SUITE_P(Rows, NumberText, testing::ValuesIn(k_texts), row_name);

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
