// The selected rows: bookmarks added, read and removed as the list's
// highlight uses them.

#include <gtest/gtest.h>

#include "platform/grid/SelBookmarks.h"
#include "support/ado/AdoFixture.h"
#include "support/grid/GridTest.h"

namespace {

class SelBookmarksTest : public pendrel::test::GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        bind("SELECT n, label FROM numbers");
        sel = grid->get_SelBookmarks();
    }
    std::shared_ptr<grid::SelBookmarks> sel;
};

// Rows scrolled away stay selected; binding again empties the selection.
TEST_F(SelBookmarksTest, KeepsTheRowsInTheOrderAddedUntilTheNextBinding)
{
    sel->Add(grid->RowBookmark(5));
    sel->Add(grid->RowBookmark(2));
    sel->Add(grid->RowBookmark(5)); // selected already
    ASSERT_EQ(sel->get_Count(), 2);
    EXPECT_EQ(sel->get_Item(0), grid->RowBookmark(5));
    EXPECT_EQ(sel->get_Item(1), grid->RowBookmark(2));
    sel->Remove(0);
    EXPECT_EQ(sel->get_Item(0), grid->RowBookmark(2));
    sel->Remove(0);
    EXPECT_EQ(sel->get_Count(), 0);
    sel->Add(grid->RowBookmark(0));
    grid->Scroll(0, 100);
    EXPECT_EQ(sel->get_Item(0), vb::Variant(1.0));
    grid->Scroll(0, -100);
    EXPECT_EQ(sel->get_Item(0), grid->RowBookmark(0));
    bind("SELECT n FROM numbers");
    EXPECT_EQ(sel->get_Count(), 0);
}

TEST_F(SelBookmarksTest, RefusesWhatIsNoRowOfTheGrid)
{
    EXPECT_VB_ERROR((void)sel->get_Item(0), vb::err::SubscriptOutOfRange);
    sel->Add(grid->RowBookmark(0));
    EXPECT_VB_ERROR(sel->Remove(1), vb::err::SubscriptOutOfRange);
    EXPECT_VB_ERROR(sel->Remove(-1), vb::err::SubscriptOutOfRange);
    for (const vb::Variant& wrong : {vb::Variant(201.0), vb::Variant(0.0), vb::Variant(1.5),
             vb::Variant("row 1"), vb::Variant(vb::Null)}) {
        EXPECT_VB_ERROR(sel->Add(wrong), vb::err::InvalidProcedureCall) << vb::to_text(wrong);
    }
    EXPECT_EQ(sel->get_Count(), 1);
}

} // namespace
