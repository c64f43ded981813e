// The rules every object's dispatch entry shares, on a small object with one
// member of each shape. The objects themselves test only their own members.
#include "platform/vb/Dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/vb/Convert.h"
#include "support/RowName.h"
#include "support/VbError.h"

namespace {

using namespace vb::dispatch;
using vb::InvokeKind;
using vb::Variant;

class Sample : public vb::Object {
public:
    [[nodiscard]] std::string_view type_name() const override { return "Sample"; }
    [[nodiscard]] std::optional<vb::DispId> id_of_name(std::string_view name) const override;
    Variant invoke(vb::DispId id, InvokeKind kind, Args args) override;

    Variant stored;
};

// clang-format off
const auto k_members = std::to_array<Member<Sample>>({
    {"ReadOnly", 1, Get, [](Sample& s, Args) { return s.stored; }},
    {"WriteOnly", 2, Let, nullptr, [](Sample& s, Args a) { s.stored = a.back(); }},
    {"Both", 3, Get | Let, [](Sample& s, Args) { return s.stored; }, [](Sample& s, Args a) { s.stored = a.back(); }},
    {"Reference", 4, Get | Set, [](Sample& s, Args) { return s.stored; }, [](Sample& s, Args a) { s.stored = a.back(); }},
    // Doubles its argument in place, as a parameter taken by reference.
    {"Twice", 5, Call, [](Sample&, Args a) { a[0] = vb::CLng(a[0]) * 2; return Variant(); }, nullptr, exactly(1)},
    {"Sum", 6, Call, [](Sample&, Args a) -> Variant { return vb::CLng(a[0]) + (a.size() > 1 ? vb::CLng(a[1]) : 0); }, nullptr, {1, 2}},
    {"Later", 7, Get | Let, nullptr, nullptr, exactly(1)},
});
// clang-format on

std::optional<vb::DispId> Sample::id_of_name(std::string_view name) const
{
    return vb::dispatch::id_of_name(k_members, name);
}

Variant Sample::invoke(vb::DispId id, InvokeKind kind, Args args)
{
    return vb::dispatch::invoke(k_members, *this, id, kind, args);
}

TEST(Dispatch, CallsReachTheirMembers)
{
    Sample s;
    EXPECT_EQ(s.id_of_name("bOTH"), 3);
    EXPECT_EQ(s.id_of_name("Both "), std::nullopt);
    std::vector<Variant> args{Variant(21)};
    s.invoke(3, InvokeKind::PropertyLet, args);
    EXPECT_EQ(s.invoke(3, InvokeKind::Method, {}), Variant(21)) << "a Get is a method call";
    s.invoke(5, InvokeKind::Method, args);
    EXPECT_EQ(args[0], Variant(vb::Long{42})) << "written back";
    args = {Variant(1), Variant(2)};
    EXPECT_EQ(s.invoke(6, InvokeKind::PropertyGet, args), Variant(vb::Long{3}));
    EXPECT_EQ(s.invoke(6, InvokeKind::Method, std::span(args).first(1)), Variant(vb::Long{1}));
}

struct WrongCall {
    const char* name;
    vb::DispId id;
    InvokeKind kind;
    std::size_t args;
    vb::Long error;
    const char* source;
};

class DispatchRule : public testing::TestWithParam<WrongCall> {};

TEST_P(DispatchRule, RaisesItsNumberFromItsMember)
{
    const WrongCall& row = GetParam();
    Sample s;
    std::vector<Variant> args(row.args, Variant(1));
    const vb::Error e = pendrel::test::error_of([&] { s.invoke(row.id, row.kind, args); });
    EXPECT_EQ(e.number(), row.error);
    EXPECT_EQ(e.source(), row.source);
    if (row.error == vb::err::NotSupported && row.id == 7)
        EXPECT_EQ(e.description(), "Sample.Later is not implemented yet");
    else
        EXPECT_EQ(e.description(), vb::standard_text(row.error));
}

constexpr auto k_get = InvokeKind::PropertyGet;
constexpr auto k_let = InvokeKind::PropertyLet;
constexpr auto k_set = InvokeKind::PropertySet;
constexpr auto k_call = InvokeKind::Method;
constexpr vb::Long k_438 = vb::err::NotSupported;
constexpr vb::Long k_450 = vb::err::WrongArgumentCount;

// clang-format off
const WrongCall k_wrong_calls[] = {
    {"UnknownIdentifier", 99, k_get, 0, k_438, "Sample"},
    {"PutOfUnknownIdentifier", 99, k_let, 1, k_438, "Sample"},
    {"GetOfWriteOnly", 2, k_get, 0, vb::err::WriteOnlyProperty, "Sample.WriteOnly"},
    {"CallOfWriteOnly", 2, k_call, 0, vb::err::WriteOnlyProperty, "Sample.WriteOnly"},
    {"LetOfReadOnly", 1, k_let, 1, vb::err::ReadOnlyProperty, "Sample.ReadOnly"},
    {"SetOfReadOnly", 1, k_set, 1, vb::err::ReadOnlyProperty, "Sample.ReadOnly"},
    {"LetOfMethod", 5, k_let, 1, k_450, "Sample.Twice"},
    {"LetOfSetOnly", 4, k_let, 1, k_450, "Sample.Reference"},
    {"SetOfLetOnly", 3, k_set, 1, k_450, "Sample.Both"},
    {"GetWithAnArgument", 3, k_get, 1, k_450, "Sample.Both"},
    {"LetWithoutValue", 3, k_let, 0, k_450, "Sample.Both"},
    {"LetWithTwoValues", 3, k_let, 2, k_450, "Sample.Both"},
    {"CallWithTooFew", 6, k_call, 0, k_450, "Sample.Sum"},
    {"CallWithTooMany", 6, k_call, 3, k_450, "Sample.Sum"},
    {"GetNotBuilt", 7, k_get, 1, k_438, "Sample.Later"},
    {"NotBuiltBeforeArgumentsCount", 7, k_call, 0, k_438, "Sample.Later"},
    {"LetNotBuilt", 7, k_let, 2, k_438, "Sample.Later"},
    {"SetOfNotBuiltLetOnly", 7, k_set, 2, k_450, "Sample.Later"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(
    Rows, DispatchRule, testing::ValuesIn(k_wrong_calls), pendrel::test::RowName{});

} // namespace
