// What counts as blank: Null, Empty and the empty text, nothing else; a
// value whose text cannot be read is not blank.

#include "data/IsBlank.h"

#include <gtest/gtest.h>

#include "diag/Steps.h"
#include "pendrel/clsDataSource.h"
#include "platform/host/MessageBox.h"
#include "support/RowName.h"

namespace pendrel {
namespace {

struct BlankRow {
    std::string name;
    vb::Variant value;
    bool blank;
};

class IsBlankValues : public testing::TestWithParam<BlankRow> {};

TEST_P(IsBlankValues, NullEmptyAndTheEmptyTextOnly)
{
    EXPECT_EQ(IsBlank(GetParam().value), GetParam().blank);
}

INSTANTIATE_TEST_SUITE_P(Rows, IsBlankValues,
    testing::Values(BlankRow{"Null", vb::Null, true}, BlankRow{"Empty", vb::Variant(), true},
        BlankRow{"EmptyText", vb::Variant(""), true}, BlankRow{"Blank", vb::Variant(" "), false},
        BlankRow{"Zero", vb::Variant(vb::Long{0}), false},
        BlankRow{"Nothing", vb::Variant(vb::ObjectRef{}), false}),
    test::RowName{});

TEST(IsBlank, ObjectWithoutAValueIsNotBlank)
{
    // Reading its text fails, which is ignored. (Made here: an object in a
    // parameter row would outlive the report table at exit.)
    EXPECT_FALSE(IsBlank(vb::Variant(clsDataSource::create())));
}

TEST(IsBlank, FailureIsIgnoredAndTheResultIsNotBlank)
{
    host::clear_message_boxes();
    diag::InjectedFault fault("IsBlank", "1", vb::Error(7, "Out of memory", "x"));
    EXPECT_FALSE(IsBlank(vb::Variant("")));
    EXPECT_EQ(fault.hits(), 1);
    EXPECT_TRUE(host::message_boxes().empty());
}

} // namespace
} // namespace pendrel
