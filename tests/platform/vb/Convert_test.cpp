#include "platform/vb/Convert.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/vb/DateTime.h"
#include "support/RowName.h"
#include "support/VbError.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using pendrel::test::PlainObject;
using pendrel::test::ValueObject;

namespace {

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

INSTANTIATE_TEST_SUITE_P(Rows, Conversions, testing::ValuesIn(k_rows), pendrel::test::RowName{});

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

} // namespace
