// Find on a recordset, against an SQLite file and the PostgreSQL test
// server: the criteria the control builds, Unicode case-insensitivity,
// direction, skip and start, and the criterion's errors.
#include <gtest/gtest.h>

#include "platform/ado/Fields.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
using vb::Variant;
namespace err = vb::err;

class RecordsetFindTest : public pendrel::test::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            m_rs = open(
                "SELECT id, name, city, code, qty, price, born, active FROM people ORDER BY id");
    }

    // The ids of the rows a forward Find visits, each search starting after
    // the previous match, as a caller walking all matches does.
    std::vector<vb::Long> all_matches(const std::string& criteria)
    {
        std::vector<vb::Long> ids;
        m_rs->MoveFirst();
        m_rs->Find(criteria, 0, 1);
        while (!m_rs->get_EOF()) {
            ids.push_back(current_id());
            m_rs->Find(criteria, 1, 1);
        }
        return ids;
    }
    vb::Long current_id()
    {
        return std::get<vb::Long>(m_rs->get_Fields()->get_Item("id")->get_Value().storage());
    }

    std::shared_ptr<ado::Recordset> m_rs;
};

struct FindRow {
    const char* name;
    const char* criteria;
    std::vector<vb::Long> ids;
};

const FindRow k_rows[] = {
    {"PrefixAsTheControlBuildsIt", "[name] LIKE 'ann*'", {1, 11}},
    {"DoubledQuoteAndUpperColumnName", "[NAME] LIKE 'O''Br*'", {2}},
    {"UmlautFoldsItsCase", "[city] LIKE 'zü*'", {3}},
    {"BothEndsFindsInside", "[name] LIKE '*SMITH*'", {1, 11}},
    {"StarInsideIsPlain", "[name] LIKE 'a*b'", {7}},
    {"UnderscoreIsPlain", "[name] LIKE 'x_y'", {8}},
    {"LikeWithoutWildcardIsEquality", "[name] LIKE 'müller'", {5}},
    {"TextEqualityIgnoresCase", "[name] = 'ANN SMITH'", {1, 11}},
    {"NumberEqualityNeverMatchesLonger", "[qty]=12", {1, 5, 12}},
    {"NumberNotEqualSkipsNull", "[qty] <> 12", {2, 3, 4, 6, 7, 8, 10, 11}},
    {"FractionNeverEqualsAnInteger", "[qty] = 12.5", {}},
    {"RealColumnWithDecimal", "[price] >= 10.25", {2, 3}},
    {"QuotedNumberOnNumberColumn", "[qty] = '33'", {8}},
    {"DateLiteral", "[born] = #1980-01-15#", {1, 11}},
    {"DateAsSerialNumber", "[born] = 29235", {1, 11}},
    {"BooleanTrue", "[active] = True", {1, 3, 4, 6, 8, 10, 12}},
    {"BooleanFalse", "[active] = false", {2, 5, 7, 11}},
    {"NoBlanksAroundLike", "[name]LIKE'x*'", {8}},
};

TEST_P(RecordsetFindTest, FindsExactlyTheMatchingRowsInOrder)
{
    for (const auto& row : k_rows)
        EXPECT_EQ(all_matches(row.criteria), row.ids) << row.name << ": " << row.criteria;
}

TEST_P(RecordsetFindTest, StartsAtTheCurrentRowAndSearchesForwardOnly)
{
    m_rs->let_AbsolutePosition(5);
    EXPECT_EQ((m_rs->Find("[qty] = 12"), current_id()), 5);
    EXPECT_EQ((m_rs->Find("[qty] = 12", 1), current_id()), 12);
    m_rs->let_AbsolutePosition(6);
    EXPECT_EQ((m_rs->Find("[name] LIKE 'ann*'"), current_id()), 11);
    m_rs->let_AbsolutePosition(12);
    EXPECT_TRUE((m_rs->Find("[name] LIKE 'ann*'"), m_rs->get_EOF()));
    EXPECT_FALSE(m_rs->get_BOF());
}

TEST_P(RecordsetFindTest, SearchesBackwardAndSkipsPastTheEnds)
{
    m_rs->MoveLast();
    EXPECT_EQ((m_rs->Find("[qty] = 12", 0, -1), current_id()), 12);
    EXPECT_EQ((m_rs->Find("[qty] = 12", 1, -1), current_id()), 5);
    EXPECT_EQ((m_rs->Find("[qty] = 12", 1, -1), current_id()), 1);
    EXPECT_TRUE((m_rs->Find("[qty] = 12", 1, -1), m_rs->get_BOF()));
    EXPECT_FALSE(m_rs->get_EOF());
    // a skip past either end finds nothing
    m_rs->let_AbsolutePosition(10);
    EXPECT_TRUE((m_rs->Find("[qty] = 12", 5), m_rs->get_EOF()));
    m_rs->let_AbsolutePosition(2);
    EXPECT_TRUE((m_rs->Find("[qty] = 12", 5, -1), m_rs->get_BOF()));
}

TEST_P(RecordsetFindTest, StartsFromABookmarkWhenGiven)
{
    m_rs->let_AbsolutePosition(6);
    const Variant sixth = m_rs->get_Bookmark();
    m_rs->MoveFirst();
    EXPECT_EQ((m_rs->Find("[qty] = 12", 0, 1, sixth), current_id()), 12);
    EXPECT_EQ((m_rs->Find("[qty] = 12", 0, -1, sixth), current_id()), 5);
    EXPECT_VB_ERROR(m_rs->Find("[qty] = 12", 0, 1, 99.0), err::AdoBadArguments);
}

TEST_P(RecordsetFindTest, NeedsACurrentRowWithoutAStart)
{
    m_rs->Find("[qty] = 12345");
    ASSERT_TRUE(m_rs->get_EOF());
    EXPECT_VB_ERROR(m_rs->Find("[qty] = 12"), err::AdoNoCurrentRecord);
    m_rs->MoveFirst();
    m_rs->MovePrevious();
    EXPECT_VB_ERROR(m_rs->Find("[qty] = 12"), err::AdoNoCurrentRecord);
}

TEST_P(RecordsetFindTest, BadArgumentsRaiseAndDoNotMove)
{
    m_rs->let_AbsolutePosition(3);
    // well-formed text whose literal does not fit the column, and one malformed
    for (const char* bad : {"", "[qty] LIKE '1*'", "[name] LIKE 5", "[born] = 'soon'",
             "[name] = #2024-01-01#", "[qty] = #2024-01-01#", "[qty] = 'twelve'"}) {
        const auto e = error_of([&] { m_rs->Find(bad); });
        EXPECT_EQ(e.number(), err::AdoBadArguments) << bad;
        EXPECT_EQ(e.description().find('\n'), std::string::npos);
    }
    EXPECT_VB_ERROR(m_rs->Find("qty = 12", 0, 0), err::AdoBadArguments);
    EXPECT_VB_ERROR(m_rs->Find("qty = 12", -1, 1), err::AdoBadArguments);
    EXPECT_VB_ERROR(m_rs->Find("[nosuch] = 1"), err::AdoItemNotFound);
    EXPECT_VB_ERROR(m_rs->Find("[na me] = 'x'"), err::AdoItemNotFound);
    EXPECT_EQ(current_id(), 3);
}

PENDREL_BOTH_BACKENDS(RecordsetFindTest);

} // namespace
