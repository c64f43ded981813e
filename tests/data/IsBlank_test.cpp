// What counts as blank: Null, Empty and the empty text, nothing else; a
// value whose text cannot be read is not blank.

#include "data/IsBlank.h"

#include <gtest/gtest.h>

#include "pendrel/clsDataSource.h"
#include "platform/host/MessageBox.h"

namespace pendrel {
namespace {

TEST(IsBlank, NullEmptyAndTheEmptyTextOnly)
{
    struct Row {
        const char* name;
        vb::Variant value;
        bool blank;
    };
    const Row rows[] = {{"Null", vb::Null, true}, {"Empty", vb::Variant(), true},
        {"EmptyText", vb::Variant(""), true}, {"Space", vb::Variant(" "), false},
        {"Zero", vb::Variant(vb::Long{0}), false},
        // Reading the text of these fails, which is ignored.
        {"Nothing", vb::Variant(vb::ObjectRef{}), false},
        {"ObjectWithoutAValue", vb::Variant(clsDataSource::create()), false}};
    host::clear_message_boxes();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsBlank(row.value), row.blank);
    }
    EXPECT_TRUE(host::message_boxes().empty());
}

} // namespace
} // namespace pendrel
