#include "platform/vb/Variant.h"

#include <gtest/gtest.h>

#include "platform/vb/Error.h"
#include "support/RowName.h"
#include "support/vb/ValueObject.h"

using namespace vb;
using pendrel::test::raised_number;
using pendrel::test::ValueObject;

namespace {

auto row_name = pendrel::test::RowName{};

struct KindRow {
    const char* name;
    Variant value;
    VarType type;
    bool numeric;
    const char* type_name;
    const char* text;
    friend void PrintTo(const KindRow& r, std::ostream* os) { *os << r.name; }
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

INSTANTIATE_TEST_SUITE_P(Rows, VariantKinds,
    testing::Values(KindRow{"Empty", Variant{}, VarType::Empty, false, "Empty", ""},
        KindRow{"Null", Null, VarType::Null, false, "Null", "Null"},
        KindRow{"Integer", Integer{-32768}, VarType::Integer, true, "Integer", "-32768"},
        KindRow{"Long", Long{2147483647}, VarType::Long, true, "Long", "2147483647"},
        KindRow{"Single", Single{1.1f}, VarType::Single, true, "Single", "1.1"},
        KindRow{"Double", 0.1 + 0.2, VarType::Double, true, "Double", "0.3"},
        KindRow{"Date", Date{-1.25}, VarType::Date, false, "Date", "1899-12-29 06:00:00"},
        KindRow{"String", "Łódź", VarType::String, false, "String", "Łódź"},
        KindRow{"NumberText", "12", VarType::String, false, "String", "12"},
        KindRow{"True", true, VarType::Boolean, true, "Boolean", "True"},
        KindRow{"Object", Variant(std::make_shared<ValueObject>(Long{1}, "Field")), VarType::Object,
            false, "Field", "Field"},
        KindRow{"Nothing", ObjectRef{}, VarType::Object, false, "Nothing", "Nothing"},
        KindRow{"Missing", Missing, VarType::Error, false, "Error", "Error 448"}),
    row_name);

TEST(VariantAccess, WrongKindRaisesTypeMismatchUnsetObjectRaises91)
{
    EXPECT_EQ(raised_number([] { (void)Variant(Long{1}).as_string(); }), err::TypeMismatch);
    EXPECT_EQ(raised_number([] { (void)Variant().as_string(); }), err::TypeMismatch);
    EXPECT_EQ(raised_number([] { (void)Variant(Long{1}).as_object(); }), err::TypeMismatch);
    EXPECT_EQ(raised_number([] { (void)Variant().as_object(); }), err::ObjectNotSet);
    EXPECT_EQ(raised_number([] { (void)Variant(ObjectRef{}).as_object(); }), err::ObjectNotSet);
}

TEST(VariantAccess, CopyingSharesTheObject)
{
    auto object = std::make_shared<ValueObject>(Long{1});
    const Variant a(object);
    const Variant b = a; // NOLINT(performance-unnecessary-copy-initialization)
    EXPECT_EQ(b.as_object().get(), object.get());
    EXPECT_EQ(object.use_count(), 3);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, Variant(std::make_shared<ValueObject>(Long{1})));
}

TEST(VariantAccess, EqualityKeepsKindsApart)
{
    EXPECT_NE(Variant(Integer{1}), Variant(Long{1}));
    EXPECT_NE(Variant(1.0), Variant("1"));
    EXPECT_NE(Variant(), Variant(Null));
    EXPECT_EQ(Variant(True), Variant(Boolean::from_raw(1))); // any non-zero is True
}

} // namespace
