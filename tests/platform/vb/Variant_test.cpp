#include "platform/vb/Variant.h"

#include <gtest/gtest.h>

#include "support/RowName.h"
#include "support/VbError.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using pendrel::test::ValueObject;

namespace {

struct KindRow {
    const char* name;
    Variant value;
    VarType type;
    bool numeric;
    const char* type_name;
    const char* text;
};

class VariantKinds : public testing::TestWithParam<KindRow> {};

TEST_P(VariantKinds, ReportTypeNumericTypeNameAndText)
{
    const KindRow& row = GetParam();
    EXPECT_EQ(row.value.type(), row.type);
    EXPECT_EQ(row.value.is_numeric(), row.numeric);
    EXPECT_EQ(type_name(row.value), row.type_name);
    EXPECT_EQ(to_text(row.value), row.text);
}

const KindRow k_rows[] = {{"Empty", Variant{}, VarType::Empty, false, "Empty", ""},
    {"Null", Null, VarType::Null, false, "Null", "Null"},
    {"Integer", Integer{-32768}, VarType::Integer, true, "Integer", "-32768"},
    {"Long", Long{2147483647}, VarType::Long, true, "Long", "2147483647"},
    {"Single", Single{1.1f}, VarType::Single, true, "Single", "1.1"},
    {"Double", 0.1 + 0.2, VarType::Double, true, "Double", "0.3"},
    {"Date", Date{-1.25}, VarType::Date, false, "Date", "1899-12-29 06:00:00"},
    {"String", "Łódź", VarType::String, false, "String", "Łódź"},
    {"True", true, VarType::Boolean, true, "Boolean", "True"},
    {"Object", std::make_shared<ValueObject>(Long{1}, "Field"), VarType::Object, false, "Field",
        "Field"},
    {"Nothing", ObjectRef{}, VarType::Object, false, "Nothing", "Nothing"},
    {"Missing", Missing, VarType::Error, false, "Error", "Error 448"}};

INSTANTIATE_TEST_SUITE_P(Rows, VariantKinds, testing::ValuesIn(k_rows), pendrel::test::RowName{});

TEST(VariantAccess, WrongKindRaisesAndEqualityKeepsKindsApart)
{
    EXPECT_VB_ERROR((void)Variant(Long{1}).as_string(), err::TypeMismatch);
    EXPECT_VB_ERROR((void)Variant().as_string(), err::TypeMismatch);
    EXPECT_VB_ERROR((void)Variant(Long{1}).as_object(), err::TypeMismatch);
    EXPECT_VB_ERROR((void)Variant().as_object(), err::ObjectNotSet);
    EXPECT_VB_ERROR((void)Variant(ObjectRef{}).as_object(), err::ObjectNotSet);
    // equality keeps kinds apart and objects by identity
    EXPECT_NE(Variant(Integer{1}), Variant(Long{1}));
    EXPECT_NE(Variant(1.0), Variant("1"));
    EXPECT_NE(Variant(), Variant(Null));
    EXPECT_EQ(Variant(True), Variant(Boolean::from_raw(1))); // any non-zero is True
    const Variant a(std::make_shared<ValueObject>(Long{1}));
    const Variant b = a; // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(a, b);
    EXPECT_NE(a, Variant(std::make_shared<ValueObject>(Long{1})));
}

} // namespace
