// The recordset's navigation, edges, fields, bookmarks, types and Find, run
// against an SQLite file and the PostgreSQL test server alike.
#include <gtest/gtest.h>

#include "platform/ado/AdoConstants.h"
#include "platform/ado/Fields.h"
#include "platform/vb/ErrorNumbers.h"
#include "support/ado/AdoFixture.h"

namespace {

using pendrel::test::error_of;
using vb::Variant;
namespace err = vb::err;

class RecordsetTest : public pendrel::test::DatabaseTest {
protected:
    static constexpr const char* k_people
        = "SELECT id, name, city, code, qty, price, born, active, note "
          "FROM people ORDER BY id";

    static Variant value(ado::Recordset& rs, const Variant& field)
    {
        return rs.get_Fields()->get_Item(field)->get_Value();
    }
    static vb::Long id(ado::Recordset& rs) { return std::get<vb::Long>(value(rs, "id").storage()); }
};

TEST_P(RecordsetTest, OpensOnTheFirstRowWalksToEofAndBackToBof)
{
    auto rs = open(k_people);
    EXPECT_EQ(rs->get_State(), ado::adStateOpen);
    EXPECT_EQ(rs->get_RecordCount(), 12);
    EXPECT_FALSE(rs->get_BOF());
    EXPECT_EQ(rs->get_AbsolutePosition(), 1);
    std::vector<vb::Long> ids;
    for (; !rs->get_EOF(); rs->MoveNext())
        ids.push_back(id(*rs));
    EXPECT_EQ(ids, (std::vector<vb::Long>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(rs->get_AbsolutePosition(), ado::adPosEOF);
    EXPECT_VB_ERROR(rs->MoveNext(), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR((void)value(*rs, "id"), err::AdoNoCurrentRecord);
    EXPECT_EQ((rs->MovePrevious(), id(*rs)), 12);
    rs->MoveFirst();
    EXPECT_TRUE((rs->MovePrevious(), rs->get_BOF()));
    EXPECT_FALSE(rs->get_EOF());
    EXPECT_EQ(rs->get_AbsolutePosition(), ado::adPosBOF);
    EXPECT_VB_ERROR(rs->MovePrevious(), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR((void)value(*rs, 0), err::AdoNoCurrentRecord);
    EXPECT_EQ((rs->MoveNext(), id(*rs)), 1);
    EXPECT_EQ((rs->MoveLast(), id(*rs)), 12);
}

TEST_P(RecordsetTest, MoveIsRelativeAndStopsAtTheEnds)
{
    auto rs = open(k_people);
    EXPECT_EQ((rs->Move(4), id(*rs)), 5);
    EXPECT_EQ((rs->Move(-2), id(*rs)), 3);
    EXPECT_EQ((rs->Move(0), id(*rs)), 3);
    EXPECT_TRUE((rs->Move(100), rs->get_EOF())); // past the last row: EOF, no error
    EXPECT_VB_ERROR(rs->Move(1), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR(rs->Move(0), err::AdoNoCurrentRecord);
    EXPECT_EQ((rs->Move(-1), id(*rs)), 12);
    EXPECT_TRUE((rs->Move(-100), rs->get_BOF()));
    EXPECT_VB_ERROR(rs->Move(-1), err::AdoNoCurrentRecord);
    EXPECT_EQ((rs->Move(2), id(*rs)), 2);
    const Variant sixth = (rs->Move(4), rs->get_Bookmark());
    rs->MoveFirst();
    EXPECT_EQ((rs->Move(2, sixth), id(*rs)), 8);
}

TEST_P(RecordsetTest, EmptyRecordsetIsAtBofAndEof)
{
    auto rs = open("SELECT id, name FROM empty_people");
    EXPECT_TRUE(rs->get_BOF());
    EXPECT_TRUE(rs->get_EOF());
    EXPECT_EQ(rs->get_RecordCount(), 0);
    EXPECT_EQ(rs->get_AbsolutePosition(), ado::adPosUnknown);
    EXPECT_EQ(rs->get_Fields()->get_Count(), 2);
    EXPECT_VB_ERROR(rs->MoveFirst(), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR(rs->MoveLast(), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR(rs->MoveNext(), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR(rs->Move(1), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR(rs->Find("[name] LIKE 'a*'"), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR((void)value(*rs, "name"), err::AdoNoCurrentRecord);
    EXPECT_VB_ERROR((void)rs->get_Bookmark(), err::AdoNoCurrentRecord);
}

TEST_P(RecordsetTest, ClosedRecordsetRefusesEverythingButStateAndFields)
{
    auto rs = open(k_people);
    const auto field = rs->get_Fields()->get_Item(1);
    rs->Close();
    EXPECT_EQ(rs->get_State(), ado::adStateClosed);
    EXPECT_EQ(rs->get_Fields()->get_Count(), 0);
    EXPECT_VB_ERROR((void)rs->get_Fields()->get_Item(0), err::AdoItemNotFound);
    EXPECT_VB_ERROR((void)field->get_Value(), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)rs->get_EOF(), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)rs->get_BOF(), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)rs->get_RecordCount(), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)rs->get_AbsolutePosition(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->let_AbsolutePosition(1), err::AdoObjectClosed);
    EXPECT_VB_ERROR((void)rs->get_Bookmark(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->let_Bookmark(1.0), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->MoveFirst(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->MoveLast(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->MoveNext(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->MovePrevious(), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->Move(1), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->Find("id = 1"), err::AdoObjectClosed);
    EXPECT_VB_ERROR(rs->Close(), err::AdoObjectClosed);
}

TEST_P(RecordsetTest, OpeningAnOpenRecordsetRaises3705AndReopeningAfterCloseWorks)
{
    auto rs = open(k_people);
    const auto connection = rs->get_ActiveConnection();
    const auto name = rs->get_Fields()->get_Item("name");
    EXPECT_VB_ERROR(rs->Open(k_people, connection, 3, 1, -1), err::AdoObjectOpen);
    EXPECT_VB_ERROR(rs->let_CursorLocation(3), err::AdoObjectOpen);
    rs->Close();
    rs->Open("SELECT id FROM people WHERE qty = 12", connection, 3, 1, -1);
    EXPECT_EQ(rs->get_RecordCount(), 3);
    // a field of the earlier opening stays closed
    EXPECT_VB_ERROR((void)name->get_Value(), err::AdoObjectClosed);
}

TEST_P(RecordsetTest, AbsolutePositionAndBookmarksSetTheRowAndRefuseBadValues)
{
    auto rs = open(k_people);
    EXPECT_EQ((rs->let_AbsolutePosition(7), id(*rs)), 7);
    EXPECT_EQ(rs->get_AbsolutePosition(), 7);
    EXPECT_VB_ERROR(rs->let_AbsolutePosition(0), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->let_AbsolutePosition(13), err::AdoBadArguments);
    EXPECT_EQ(id(*rs), 7);
    rs->MoveFirst();
    rs->Move(3);
    const Variant fourth = rs->get_Bookmark();
    rs->MoveNext();
    EXPECT_NE(rs->get_Bookmark(), fourth);
    rs->MoveLast();
    EXPECT_EQ((rs->let_Bookmark(fourth), id(*rs)), 4);
    EXPECT_EQ(rs->get_Bookmark(), fourth);
    for (const Variant& bad :
        {Variant(0.0), Variant(13.0), Variant(1.5), Variant("4"), Variant(vb::Null)})
        EXPECT_VB_ERROR(rs->let_Bookmark(bad), err::AdoBadArguments) << vb::to_text(bad);
    EXPECT_EQ(id(*rs), 4);
}

TEST_P(RecordsetTest, FieldsByIndexAndByNameFollowTheCurrentRow)
{
    auto rs = open(k_people);
    const auto fields = rs->get_Fields();
    ASSERT_EQ(fields->get_Count(), 9);
    EXPECT_EQ(fields->get_Item(vb::Integer(2))->get_Name(), "city");
    EXPECT_EQ(fields->get_Item(vb::Long(2))->get_Name(), "city");
    EXPECT_EQ(fields->get_Item("CITY")->get_Value(), Variant("Amsterdam"));
    for (const Variant& bad : {Variant(vb::Integer(-1)), Variant(vb::Long(9)), Variant("nope"),
             Variant(0.5), Variant(vb::Null)}) {
        const auto e = error_of([&] { (void)fields->get_Item(bad); });
        EXPECT_EQ(e.number(), err::AdoItemNotFound) << vb::to_text(bad);
        EXPECT_EQ(e.description(),
            "Item cannot be found in the collection corresponding to the requested name or "
            "ordinal.");
    }
    const auto name = fields->get_Item("name");
    rs->let_AbsolutePosition(2);
    EXPECT_EQ(name->get_Value(), Variant("O'Brien"));
    rs->let_AbsolutePosition(9);
    EXPECT_TRUE(name->get_Value().is_null());
}

TEST_P(RecordsetTest, FieldTypesSizesAndValuesFollowTheDeclaredTypes)
{
    auto rs = open("SELECT * FROM typed");
    using T = ado::DataType;
    const std::tuple<const char*, T, vb::Long, Variant> expected[] = {
        {"t_smallint", T::adSmallInt, 2, vb::Integer(-7)},
        {"t_integer", T::adInteger, 4, vb::Long(123456)},
        {"t_bigint", T::adBigInt, 8, 9007199254740993.0}, // no 64-bit integer: nearest Double
        {"t_real", T::adSingle, 4, vb::Single(1.5F)}, {"t_double", T::adDouble, 8, 2.25},
        {"t_numeric", T::adNumeric, 19, 12.5}, {"t_boolean", T::adBoolean, 2, vb::True},
        {"t_char", T::adChar, 10, Variant()}, // checked below: the server pads to 10
        {"t_varchar", T::adVarWChar, 25, "Zürich"},
        {"t_text", T::adLongVarWChar, 1073741823, "long text"},
        {"t_date", T::adDate, 8, vb::Date{45356.0}}, // 2024-03-05
        {"t_timestamp", T::adDate, 8, Variant()}, // checked below
    };
    const auto fields = rs->get_Fields();
    ASSERT_EQ(fields->get_Count(), 12);
    for (vb::Long i = 0; i < 12; ++i) {
        const auto& [name, type, size, v] = expected[i];
        const auto f = fields->get_Item(i);
        EXPECT_EQ(f->get_Name(), name);
        EXPECT_EQ(f->get_Type(), static_cast<vb::Long>(type)) << name;
        EXPECT_EQ(f->get_DefinedSize(), size) << name;
        if (!v.is_empty()) {
            EXPECT_EQ(f->get_Value(), v) << name;
        }
    }
    EXPECT_EQ(vb::to_text(value(*rs, "t_char")).substr(0, 3), "abc");
    const auto stamp = std::get<vb::Date>(value(*rs, "t_timestamp").storage());
    EXPECT_NEAR(stamp.serial, 45356.0 + (10 * 3600 + 20 * 60 + 30) / 86400.0, 1e-9);
    rs->MoveNext();
    for (vb::Long i = 0; i < 12; ++i)
        EXPECT_TRUE(value(*rs, i).is_null()) << i;
}

TEST_P(RecordsetTest, SqlErrorsRaiseOneLineDescriptions)
{
    const struct {
        const char* sql;
        vb::Long number;
        const char* says;
    } rows[] = {
        {"SELECT nosuchcolumn FROM people", err::AdoMissingParameter, "nosuchcolumn"},
        {"SELECT * FROM nosuchtable", err::AdoCommandError, "nosuchtable"},
        {"SELECT id FROM people WHERE", err::AdoCommandError, ""},
    };
    for (const auto& row : rows) {
        const auto e = error_of([&] { (void)open(row.sql); });
        EXPECT_EQ(e.number(), row.number) << row.sql;
        EXPECT_EQ(e.description().find('\n'), std::string::npos) << e.description();
        EXPECT_NE(e.description().find(row.says), std::string::npos) << e.description();
    }
}

TEST_P(RecordsetTest, OpenWithAConnectionStringMakesItsOwnConnection)
{
    auto rs = std::make_shared<ado::Recordset>();
    rs->Open(k_people, cnstr(), 3, 1, -1);
    EXPECT_EQ(rs->get_RecordCount(), 12);
    EXPECT_EQ(rs->get_ActiveConnection()->get_State(), ado::adStateOpen);
    rs->get_ActiveConnection()->Close(); // the rows stay readable
    EXPECT_EQ((rs->MoveLast(), id(*rs)), 12);
}

TEST_P(RecordsetTest, OpenRejectsBadArgumentsAndAFailedOpenLeavesItUsable)
{
    auto rs = std::make_shared<ado::Recordset>();
    auto connection = std::make_shared<ado::Connection>();
    EXPECT_VB_ERROR(rs->Open(k_people, connection, 3, 1, -1), err::AdoObjectClosed);
    connection->Open(cnstr(), "", "", -1);
    EXPECT_VB_ERROR(rs->Open(vb::Long(1), connection, 3, 1, -1), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->Open(k_people, vb::Missing, 3, 1, -1), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->Open(k_people, connection, 9, 1, -1), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->Open(k_people, connection, 3, 1, 2), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->Open(k_people, connection, 3, 0, -1), err::AdoBadArguments);
    EXPECT_VB_ERROR(rs->let_CursorLocation(1), err::AdoBadArguments);
    EXPECT_VB_ERROR(
        rs->Open("SELECT * FROM nosuchtable", connection, 3, 1, -1), err::AdoCommandError);
    EXPECT_EQ(rs->get_State(), ado::adStateClosed);
    rs->Open(k_people, connection, 3, 1, -1); // a failed open leaves it usable
    EXPECT_EQ(rs->get_RecordCount(), 12);
}

// Find: the criteria the control builds, Unicode case-insensitivity,
// direction, skip and start, and the criterion's errors.
class RecordsetFindTest : public RecordsetTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            m_rs = open(k_people);
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
    vb::Long current_id() { return id(*m_rs); }

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

PENDREL_BOTH_BACKENDS(RecordsetTest);
PENDREL_BOTH_BACKENDS(RecordsetFindTest);

} // namespace
