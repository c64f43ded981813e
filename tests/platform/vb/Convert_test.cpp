#include "platform/vb/Convert.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "support/RowName.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using pendrel::test::PlainObject;
using pendrel::test::raised_number;
using pendrel::test::ValueObject;

namespace {

Variant object_holding(Variant value)
{
    return std::make_shared<ValueObject>(std::move(value));
}

// ---- round_half_even ------------------------------------------------------

struct RoundRow {
    const char* name;
    double x;
    double expected;
    friend void PrintTo(const RoundRow& r, std::ostream* os) { *os << r.name; }
};

class RoundHalfEven : public testing::TestWithParam<RoundRow> {};

TEST_P(RoundHalfEven, RoundsToNearestHalvesToEven)
{
    EXPECT_EQ(round_half_even(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, RoundHalfEven,
    testing::Values(RoundRow{"Half", 0.5, 0.0}, RoundRow{"OneAndHalf", 1.5, 2.0},
        RoundRow{"TwoAndHalf", 2.5, 2.0}, RoundRow{"MinusTwoAndHalf", -2.5, -2.0},
        RoundRow{"BelowHalf", 2.4999, 2.0}, RoundRow{"AboveHalf", 2.5001, 3.0},
        RoundRow{"MinusAboveHalf", -2.5001, -3.0},
        // The largest double below 0.5: adding 0.5 and flooring would give 1.
        RoundRow{"LargestBelowHalf", 0.49999999999999994, 0.0},
        RoundRow{"IntegralHuge", 4503599627370497.0, 4503599627370497.0}),
    pendrel::test::RowName{});

// ---- CInt / CLng ----------------------------------------------------------

template <class T> struct ConvRow {
    const char* name;
    Variant input;
    T expected; // when error == 0
    Long error;
    friend void PrintTo(const ConvRow& r, std::ostream* os) { *os << r.name; }
};
using IntRow = ConvRow<Long>;
using StrRow = ConvRow<const char*>;

auto row_name = pendrel::test::RowName{};

template <class T, class Convert> void expect_converts(const ConvRow<T>& row, Convert convert)
{
    decltype(convert(row.input)) result{};
    EXPECT_EQ(raised_number([&] { result = convert(row.input); }), row.error);
    if (row.error == 0) {
        EXPECT_EQ(result, row.expected);
    }
}

class CIntRows : public testing::TestWithParam<IntRow> {};

TEST_P(CIntRows, ConvertsOrRaises)
{
    expect_converts(GetParam(), [](const Variant& v) { return CInt(v); });
}

INSTANTIATE_TEST_SUITE_P(Rows, CIntRows,
    testing::Values(IntRow{"Max", 32767.0, 32767, 0}, IntRow{"Min", -32768.0, -32768, 0},
        IntRow{"AboveMax", 32768.0, 0, err::Overflow},
        IntRow{"BelowMin", -32769.0, 0, err::Overflow},
        IntRow{"UpperHalfEdge", 32767.5, 0, err::Overflow},
        IntRow{"JustBelowUpperHalfEdge", 32767.4999, 32767, 0},
        IntRow{"LowerHalfEdge", -32768.5, 0, err::Overflow},
        IntRow{"JustAboveLowerHalfEdge", -32768.4999, -32768, 0}, IntRow{"TwoAndHalf", 2.5, 2, 0},
        IntRow{"LongInRange", Long{-300}, -300, 0},
        IntRow{"LongOutOfRange", Long{32768}, 0, err::Overflow},
        IntRow{"Single", Single{1.5f}, 2, 0}, IntRow{"NumberText", "12", 12, 0},
        IntRow{"HalfText", "2.5", 2, 0}, IntRow{"HexText", "&HFF", 255, 0},
        IntRow{"TextTooLarge", "40000", 0, err::Overflow},
        IntRow{"TextWithLetters", "12ab", 0, err::TypeMismatch},
        IntRow{"EmptyText", "", 0, err::TypeMismatch}, IntRow{"True", True, -1, 0},
        IntRow{"Empty", Variant{}, 0, 0}, IntRow{"Null", Null, 0, err::InvalidUseOfNull},
        IntRow{"Missing", Missing, 0, err::TypeMismatch}, IntRow{"DateSerial", Date{2.75}, 3, 0},
        IntRow{"Nothing", ObjectRef{}, 0, err::ObjectNotSet},
        IntRow{"ObjectDefaultMember", object_holding("7"), 7, 0},
        IntRow{"ObjectWithoutDefault", Variant(std::make_shared<PlainObject>()), 0,
            err::NotSupported}),
    row_name);

class CLngRows : public testing::TestWithParam<IntRow> {};

TEST_P(CLngRows, ConvertsOrRaises)
{
    expect_converts(GetParam(), [](const Variant& v) { return CLng(v); });
}

INSTANTIATE_TEST_SUITE_P(Rows, CLngRows,
    testing::Values(IntRow{"Max", 2147483647.0, 2147483647, 0},
        IntRow{"Min", -2147483648.0, INT32_MIN, 0},
        IntRow{"TwoToThe31", 2147483648.0, 0, err::Overflow},
        IntRow{"BelowMin", -2147483649.0, 0, err::Overflow},
        IntRow{"UpperHalfEdge", 2147483647.5, 0, err::Overflow},
        IntRow{"JustBelowUpperHalfEdge", 2147483647.49, 2147483647, 0},
        IntRow{"LowerHalfEdge", -2147483648.5, 0, err::Overflow},
        IntRow{"JustAboveLowerHalfEdge", -2147483648.49, INT32_MIN, 0},
        IntRow{"Integer32768", 32768.0, 32768, 0}, IntRow{"Text", "-2147483648", INT32_MIN, 0},
        IntRow{"TextTooLarge", "2147483648", 0, err::Overflow},
        IntRow{"HexLongText", "&HFFFFFFFF", -1, 0}, IntRow{"Huge", 1e300, 0, err::Overflow},
        IntRow{"Null", Null, 0, err::InvalidUseOfNull}),
    row_name);

// ---- CSng, CDbl, CBool, CDate ---------------------------------------------

TEST(CSng, RaisesOverflowOnlyBeyondTheSingleRange)
{
    EXPECT_EQ(CSng(1.5), 1.5f);
    EXPECT_EQ(CSng(3.4028234663852886e38), 3.4028234663852886e38f);
    EXPECT_EQ(raised_number([] { (void)CSng(3.5e38); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)CSng(-3.5e38); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)CSng("1e39"); }), err::Overflow);
    EXPECT_EQ(CSng(1e-50), 0.0f); // too small is zero, not an error
    EXPECT_EQ(raised_number([] { (void)CSng("x"); }), err::TypeMismatch);
}

TEST(CDbl, ReadsEveryNumericKind)
{
    EXPECT_EQ(CDbl(Integer{-7}), -7.0);
    EXPECT_EQ(CDbl(Single{0.5f}), 0.5);
    EXPECT_EQ(CDbl("1D2"), 100.0);
    EXPECT_EQ(CDbl(Date{1.25}), 1.25);
    EXPECT_EQ(raised_number([] { (void)CDbl("1e400"); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)CDbl("1 2"); }), err::TypeMismatch);
}

struct BoolRow {
    const char* name;
    Variant input;
    bool expected;
    Long error;
    friend void PrintTo(const BoolRow& r, std::ostream* os) { *os << r.name; }
};

class CBoolRows : public testing::TestWithParam<BoolRow> {};

TEST_P(CBoolRows, ConvertsOrRaises)
{
    const BoolRow& row = GetParam();
    Boolean result;
    EXPECT_EQ(raised_number([&] { result = CBool(row.input); }), row.error);
    if (row.error == 0) {
        EXPECT_EQ(bool(result), row.expected);
        EXPECT_EQ(result.raw(), row.expected ? -1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CBoolRows,
    testing::Values(BoolRow{"Zero", Long{0}, false, 0}, BoolRow{"MinusOne", Integer{-1}, true, 0},
        BoolRow{"Fraction", 0.1, true, 0}, BoolRow{"TrueText", "True", true, 0},
        BoolRow{"FalseLower", "false", false, 0}, BoolRow{"TrueUpperBlanks", " TRUE ", true, 0},
        BoolRow{"NumberText", "-1", true, 0}, BoolRow{"Yes", "yes", false, err::TypeMismatch},
        BoolRow{"EmptyText", "", false, err::TypeMismatch}, BoolRow{"Empty", Variant{}, false, 0},
        BoolRow{"Null", Null, false, err::InvalidUseOfNull},
        BoolRow{"DayZero", Date{0.0}, false, 0},
        BoolRow{"ObjectDefaultMember", object_holding("True"), true, 0}),
    row_name);

TEST(CDate, TakesDatesSerialsAndDateText)
{
    EXPECT_EQ(CDate(Date{3.5}), Date{3.5});
    EXPECT_EQ(CDate(1.5), Date{1.5});
    EXPECT_EQ(CDate(Variant{}), Date{0.0});
    EXPECT_EQ(CDate("2026-12-05"), Date{46361.0});
    EXPECT_EQ(raised_number([] { (void)CDate(1e10); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)CDate(-657435.0); }), err::Overflow);
    EXPECT_EQ(raised_number([] { (void)CDate("soon"); }), err::TypeMismatch);
    EXPECT_EQ(raised_number([] { (void)CDate(Null); }), err::InvalidUseOfNull);
}

// ---- CStr -----------------------------------------------------------------

class CStrRows : public testing::TestWithParam<StrRow> {};

TEST_P(CStrRows, WritesTheDefaultTextOrRaises)
{
    expect_converts(GetParam(), [](const Variant& v) { return CStr(v); });
}

INSTANTIATE_TEST_SUITE_P(Rows, CStrRows,
    testing::Values(StrRow{"LongMin", Long{INT32_MIN}, "-2147483648", 0},
        StrRow{"DoubleExponent", 1e15, "1E+15", 0},
        StrRow{"DateAndTime", Date{3.34}, "1900-01-02 08:09:36", 0},
        StrRow{"Null", Null, "", err::InvalidUseOfNull},
        StrRow{"ObjectDefaultMember", object_holding(Long{5}), "5", 0},
        StrRow{"Nothing", ObjectRef{}, "", err::ObjectNotSet}),
    row_name);

// ---- checked arithmetic ---------------------------------------------------

struct ArithRow {
    const char* name;
    char op; // '+', '-', '*', 'n' (narrow)
    bool wide; // Long rather than Integer
    std::int64_t a;
    std::int64_t b;
    std::int64_t expected; // when error == 0
    Long error;
    friend void PrintTo(const ArithRow& r, std::ostream* os) { *os << r.name; }
};

std::int64_t apply(const ArithRow& r)
{
    if (r.op == 'n')
        return narrow(static_cast<Long>(r.a));
    if (r.wide) {
        const auto a = static_cast<Long>(r.a);
        const auto b = static_cast<Long>(r.b);
        return r.op == '+' ? checked_add(a, b)
            : r.op == '-'  ? checked_sub(a, b)
                           : checked_mul(a, b);
    }
    const auto a = static_cast<Integer>(r.a);
    const auto b = static_cast<Integer>(r.b);
    return r.op == '+' ? checked_add(a, b) : r.op == '-' ? checked_sub(a, b) : checked_mul(a, b);
}

class CheckedArithmetic : public testing::TestWithParam<ArithRow> {};

TEST_P(CheckedArithmetic, ComputesOrRaisesOverflow)
{
    const ArithRow& row = GetParam();
    std::int64_t result = 0;
    EXPECT_EQ(raised_number([&] { result = apply(row); }), row.error);
    if (row.error == 0) {
        EXPECT_EQ(result, row.expected);
    }
}

constexpr Long k_overflow = err::Overflow;

INSTANTIATE_TEST_SUITE_P(Rows, CheckedArithmetic,
    testing::Values(ArithRow{"IntAddToMax", '+', false, 32766, 1, 32767, 0},
        ArithRow{"IntAddPastMax", '+', false, 32767, 1, 0, k_overflow},
        ArithRow{"IntAddPastMin", '+', false, -32768, -1, 0, k_overflow},
        ArithRow{"IntNegateMin", '-', false, 0, -32768, 0, k_overflow},
        ArithRow{"IntMulFits", '*', false, 181, 181, 32761, 0},
        ArithRow{"IntMulPastMax", '*', false, 182, 182, 0, k_overflow},
        ArithRow{"IntMulToMin", '*', false, -256, 128, -32768, 0},
        ArithRow{"IntMinTimesMinusOne", '*', false, -32768, -1, 0, k_overflow},
        ArithRow{"LongAddPastMax", '+', true, INT32_MAX, 1, 0, k_overflow},
        ArithRow{"LongSubToMin", '-', true, -2147483647, 1, INT32_MIN, 0},
        ArithRow{"LongNegateMin", '-', true, 0, INT32_MIN, 0, k_overflow},
        ArithRow{"LongMulFits", '*', true, 46340, 46340, 2147395600, 0},
        ArithRow{"LongMulPastMax", '*', true, 46341, 46341, 0, k_overflow},
        ArithRow{"LongMulToMin", '*', true, -65536, 32768, INT32_MIN, 0},
        ArithRow{"LongMinTimesMinusOne", '*', true, INT32_MIN, -1, 0, k_overflow},
        ArithRow{"NarrowMax", 'n', false, 32767, 0, 32767, 0},
        ArithRow{"NarrowPastMax", 'n', false, 32768, 0, 0, k_overflow},
        ArithRow{"NarrowMin", 'n', false, -32768, 0, -32768, 0},
        ArithRow{"NarrowPastMin", 'n', false, -32769, 0, 0, k_overflow}),
    row_name);

} // namespace
