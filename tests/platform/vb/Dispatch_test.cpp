// The rules every object's dispatch entry shares, on a small object with one
// member of each shape; each object's own tests cover only its members.
#include "platform/vb/Dispatch.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/vb/Convert.h"
#include "support/RowName.h"
#include "support/VbError.h"

namespace {

using namespace vb::dispatch;
using namespace vb::err;
using enum vb::InvokeKind;
using vb::InvokeKind;
using vb::Variant;

struct Sample {
    [[nodiscard]] static std::string_view type_name() { return "Sample"; }
    static Variant read(Sample& s, Args) { return s.stored; }
    static void store(Sample& s, Args a) { s.stored = a.back(); }
    Variant stored;
};

// clang-format off
const auto k_members = std::to_array<Member<Sample>>({
    {"ReadOnly", 1, Get, &Sample::read},
    {"WriteOnly", 2, Let, nullptr, &Sample::store},
    {"Both", 3, Get | Let, &Sample::read, &Sample::store},
    {"Reference", 4, Get | Set, &Sample::read, &Sample::store},
    // Doubles its argument in place, as a parameter taken by reference.
    {"Twice", 5, Call, [](Sample&, Args a) { a[0] = vb::CLng(a[0]) * 2; return Variant(); }, nullptr, exactly(1)},
    {"Count", 6, Call, [](Sample&, Args a) -> Variant { return vb::Long(a.size()); }, nullptr, {1, 2}},
    {"Later", 7, Get | Let, nullptr, nullptr, exactly(1)},
});
// clang-format on

Variant call(Sample& s, vb::DispId id, InvokeKind kind, std::span<Variant> args)
{
    return invoke(k_members, s, id, kind, args);
}

TEST(Dispatch, CallsReachTheirMembers)
{
    Sample s;
    EXPECT_EQ(id_of_name(k_members, "bOTH"), 3);
    EXPECT_EQ(id_of_name(k_members, "Both "), std::nullopt);
    std::vector<Variant> args{Variant(21), Variant(0)};
    call(s, 3, PropertyLet, std::span(args).first(1));
    EXPECT_EQ(call(s, 3, Method, {}), Variant(21)) << "a Get is a method call";
    call(s, 5, Method, std::span(args).first(1));
    EXPECT_EQ(args[0], Variant(vb::Long{42})) << "written back";
    EXPECT_EQ(call(s, 6, PropertyGet, std::span(args).first(1)), Variant(vb::Long{1}));
    EXPECT_EQ(call(s, 6, Method, args), Variant(vb::Long{2}));
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

TEST_P(DispatchRule, RaisesItsNumberBeforeTheMemberRuns)
{
    const WrongCall& row = GetParam();
    Sample s;
    std::vector<Variant> args(row.args, Variant(1));
    const vb::Error e = pendrel::test::error_of([&] { call(s, row.id, row.kind, args); });
    EXPECT_EQ(e.number(), row.error);
    EXPECT_EQ(e.source(), row.source);
    const bool not_built = row.error == NotSupported && row.id == 7;
    EXPECT_EQ(e.description(),
        not_built ? "Sample.Later is not implemented yet" : vb::standard_text(row.error));
    EXPECT_TRUE(s.stored.is_empty());
}

const WrongCall k_wrong_calls[] = {
    {"UnknownIdentifier", 99, PropertyGet, 0, NotSupported, "Sample"},
    {"GetOfWriteOnly", 2, PropertyGet, 0, WriteOnlyProperty, "Sample.WriteOnly"},
    {"LetOfReadOnly", 1, PropertyLet, 1, ReadOnlyProperty, "Sample.ReadOnly"},
    {"LetOfMethod", 5, PropertyLet, 1, WrongArgumentCount, "Sample.Twice"},
    {"LetOfSetOnly", 4, PropertyLet, 1, WrongArgumentCount, "Sample.Reference"},
    {"SetOfLetOnly", 3, PropertySet, 1, WrongArgumentCount, "Sample.Both"},
    {"GetWithAnArgument", 3, PropertyGet, 1, WrongArgumentCount, "Sample.Both"},
    {"LetWithoutValue", 3, PropertyLet, 0, WrongArgumentCount, "Sample.Both"},
    {"LetWithTwoValues", 3, PropertyLet, 2, WrongArgumentCount, "Sample.Both"},
    {"CallWithTooFew", 6, Method, 0, WrongArgumentCount, "Sample.Count"},
    {"CallWithTooMany", 6, Method, 3, WrongArgumentCount, "Sample.Count"},
    {"NotBuiltBeforeArgumentsCount", 7, Method, 0, NotSupported, "Sample.Later"},
    {"LetNotBuilt", 7, PropertyLet, 2, NotSupported, "Sample.Later"},
    {"SetOfNotBuiltLetOnly", 7, PropertySet, 2, WrongArgumentCount, "Sample.Later"},
};

INSTANTIATE_TEST_SUITE_P(
    Rows, DispatchRule, testing::ValuesIn(k_wrong_calls), pendrel::test::RowName{});

} // namespace
