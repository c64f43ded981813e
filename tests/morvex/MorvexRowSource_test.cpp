// The row source of a Morvex binding the list, the text field's own binding,
// and how the row source reports failures of its own steps.

#include "diag/Steps.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/Connection.h"
#include "support/ado/AdoFixture.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using test::error_of;
using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;
using Boxes = std::vector<host::MessageBoxRecord>;

const std::string k_rows = "SELECT id, name FROM cities";
const vb::Error k_closed(3704, "Operation is not allowed when the object is closed.", "ADODB");
const vb::Error k_overflow(6, "Overflow", "Morvex");

class MorvexRowSource : public test::MorvexTest {
protected:
    [[nodiscard]] vb::Variant grid_source() const { return ctl->DropdownList().get_DataSource(); }
    [[nodiscard]] vb::Long state() const { return ctl->get_Recordset()->get_State(); }
};

TEST_F(MorvexRowSource, EachNewRowSourceBindsTheListToANewDataSource)
{
    // Before any row source: a new closed recordset that stays.
    const auto none = ctl->get_Recordset();
    ASSERT_EQ(ctl->get_Recordset(), none);
    bind(*ctl, "SELECT id, name, code FROM cities ORDER BY name");
    const auto rs = ctl->get_Recordset();
    EXPECT_EQ(std::pair(ctl->get_ColumnCount(), rs->get_RecordCount()),
        std::pair(vb::Long{3}, vb::Long{test::k_city_rows}));
    // The grid and every reader share one recordset.
    EXPECT_EQ(ctl->DropdownList().recordset(), rs);
    {
        const auto source = std::dynamic_pointer_cast<clsDataSource>(grid_source().as_object());
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->get_ConnectionString(), cnstr);
    }
    EXPECT_EQ(take_changes(), (Names{"CnStr", "RowSource"}));
    // The old object goes with its last reference, and its rows close.
    ctl->let_RowSource("SELECT id, name, code, population FROM cities WHERE id < 4");
    EXPECT_EQ(rs->get_State(), ado::adStateClosed);
    EXPECT_EQ(std::pair(ctl->get_ColumnCount(), ctl->get_Recordset()->get_RecordCount()),
        std::pair(vb::Long{4}, vb::Long{3}));
    EXPECT_TRUE(host::message_boxes().empty());
}

// The wildcard pattern *text* with the field's text becomes a LIKE pattern;
// a text that rewrites to the stored one changes nothing, whatever CnStr did
// meanwhile.
TEST_F(MorvexRowSource, PatternWithTheFieldTextBecomesALikePatternOnce)
{
    ctl->let_Text("'s-H");
    bind(*ctl, "SELECT name FROM cities WHERE name LIKE '*'s-H*'");
    const std::string stored = "SELECT name FROM cities WHERE name LIKE '%''s-H%'";
    EXPECT_EQ(ctl->get_RowSource(), stored);
    const auto rs = ctl->get_Recordset();
    EXPECT_EQ(rs->get_RecordCount(), 1);
    const vb::Variant source = grid_source();
    ctl->let_CnStr("Provider=SQLite;Data Source=elsewhere.db");
    (void)take_changes();
    ctl->let_RowSource("SELECT name FROM cities WHERE name LIKE '*'s-H*'");
    ctl->let_RowSource(stored);
    EXPECT_EQ(take_changes(), Names{});
    EXPECT_EQ(std::pair(ctl->get_Recordset(), grid_source()), std::pair(rs, source));
}

TEST_F(MorvexRowSource, BlankTextUnbindsTheListAndKeepsAnOpenRecordset)
{
    // No connection string: nothing to open. CnStr alone opens nothing
    // either; it takes effect at the next changed row source.
    ctl->let_RowSource(k_rows);
    ctl->let_CnStr(cnstr);
    ctl->let_RowSource(k_rows);
    EXPECT_EQ(
        std::pair(ctl->get_ColumnCount(), state()), std::pair(vb::Long{0}, ado::adStateClosed));
    ctl->let_RowSource(k_rows + " ORDER BY id");
    const auto rs = ctl->get_Recordset();
    EXPECT_EQ(std::pair(ctl->get_ColumnCount(), state()), std::pair(vb::Long{2}, ado::adStateOpen));
    (void)take_changes();
    ctl->let_RowSource("");
    ctl->let_RowSource("");
    EXPECT_EQ(take_changes(), Names{"RowSource"});
    EXPECT_EQ(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(ctl->get_Recordset(), rs);
    EXPECT_EQ(rs->get_State(), ado::adStateOpen);
}

// The callback shows one box for each, and the list is sized without rows.
TEST_F(MorvexRowSource, RowsThatCannotBeOpenedGiveOneBoxEachAndAnEmptyList)
{
    const std::string broken = "Provider=SQLite;Data Source";
    const std::string sql = "SELECT id, nickname FROM cities";
    const vb::Error connection = error_of([&] { ado::Connection().Open(broken, "", "", -1); });
    const vb::Error column = error_of([&] { (void)test::open_recordset(cnstr, sql); });
    ctl->let_CnStr(broken);
    ctl->let_RowSource(k_rows);
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    bind(*ctl, sql);
    // Bound to an object that gave no rows.
    EXPECT_NE(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    const auto box = [](const std::string& first, const vb::Error& e) {
        return host::MessageBoxRecord{
            first + "\r\nError: " + e.description() + "\r\nNumber: " + std::to_string(e.number()),
            host::vbOKOnly, e.source()};
    };
    EXPECT_EQ(host::message_boxes(),
        (Boxes{
            box("Error in Class_GetDataMember", connection), box("Error in RowSource", column)}));
    const Lines once = closed_list_lines();
    Lines twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(fixed_log_lines(), twice);
    // The control keeps working.
    bind(*ctl, "SELECT id FROM cities");
    EXPECT_EQ(ctl->get_ColumnCount(), 1);
    EXPECT_EQ(host::message_boxes().size(), 2u);
}

// A row source that runs too long or returns too much is stopped by the
// connection string's limits and shown in the same box.
TEST_F(MorvexRowSource, RowsPastTheLimitsGiveOneBoxEach)
{
    ctl->let_CnStr(cnstr + ";Command Timeout=1;Max Recordset MB=1");
    ctl->let_RowSource("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
                       "SELECT count(*) FROM n");
    ctl->let_RowSource("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                       "WHERE x < 100000) SELECT x, 'a text of some forty letters, or so' FROM n");
    const auto& boxes = host::message_boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& [box, key] :
        {std::pair(boxes[0], "1 seconds (Command Timeout in the connection string)"),
            std::pair(boxes[1], "(1 MB after")}) {
        EXPECT_TRUE(box.prompt.starts_with("Error in Class_GetDataMember\r\nError: "))
            << box.prompt;
        EXPECT_NE(box.prompt.find(key), std::string::npos) << box.prompt;
    }
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
}

TEST_F(MorvexRowSource, DataFieldAndDataSourceBindTheTextField)
{
    ctl->let_DataField("name");
    EXPECT_EQ(ctl->txtFieldCmb().get_DataField(), "name");
    const auto host_source = clsDataSource::create();
    ctl->set_dataSource(vb::Variant(host_source));
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), host_source);
    // The list is not touched.
    EXPECT_EQ(grid_source(), vb::Variant(vb::ObjectRef{}));
    EXPECT_VB_ERROR(ctl->set_dataSource(vb::Variant("cities")), vb::err::ObjectRequired);
    EXPECT_VB_ERROR(ctl->set_dataSource(vb::Variant(ctl->get_Recordset())), vb::err::TypeMismatch);
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), host_source);
    ctl->set_dataSource(vb::Variant(vb::ObjectRef{}));
    EXPECT_EQ(ctl->txtFieldCmb().get_DataSource(), nullptr);
    EXPECT_EQ(take_changes(), (Names{"DataField", "dataSource", "dataSource"}));
}

// -- Failing steps of Let RowSource: logged, and the next step runs --

// Each failing step gives one line, in order, and the next step runs: the
// row source is stored but not signalled, the grid is never bound, and the
// list is sized without rows.
TEST_F(MorvexRowSource, FailingStepsLogOneLineEachAndTheNextStepRuns)
{
    diag::InjectedFault notify("Let RowSource", "3.2", k_overflow);
    diag::InjectedFault cursor("Let RowSource", "5.5.1", k_closed);
    diag::InjectedFault binding("Let RowSource", "5.6", k_closed);
    bind(*ctl, k_rows);
    Lines expected{expected_line(6, "Overflow", ") in Let RowSource"),
        expected_line(3704, k_closed.description(), ") in Let RowSource"),
        "2026-12-05 09:06:07:3704 (Operation is not allowed when the object is closed.) in "
        "Let RowSource"};
    for (const std::string& line : closed_list_lines())
        expected.push_back(line);
    EXPECT_EQ(fixed_log_lines(), expected);
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(take_changes(), Names{"CnStr"});
    EXPECT_EQ(
        std::pair(ctl->get_ColumnCount(), state()), std::pair(vb::Long{0}, ado::adStateClosed));
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(MorvexRowSource, FailingConditionGoesOnInsideItsBody)
{
    // The blank test fails: its body unbinds the list and leaves, although
    // neither text is blank.
    {
        diag::InjectedFault fault("Let RowSource", "4", k_overflow);
        bind(*ctl, k_rows);
    }
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(
        std::pair(ctl->get_ColumnCount(), state()), std::pair(vb::Long{0}, ado::adStateClosed));
    // The equality test fails: its body leaves before anything is stored.
    {
        diag::InjectedFault fault("Let RowSource", "2", k_overflow);
        ctl->let_RowSource("SELECT id FROM cities");
    }
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(fixed_log_lines().size(), 2u);
}

TEST_F(MorvexRowSource, LogFollowsFLoggingUntilCnStrSetsTheFixedPathAgain)
{
    diag::InjectedFault fault("Let RowSource", "3.2", k_overflow);
    ctl->let_CnStr(cnstr);
    const auto mine = dir / "mine.txt";
    ctl->let_fLogging(mine.string());
    ctl->let_RowSource("SELECT id FROM cities");
    ctl->let_CnStr(cnstr);
    ctl->let_RowSource("SELECT name FROM cities");
    const Lines one{expected_line(6, "Overflow", ") in Let RowSource")};
    EXPECT_EQ(test::lines_of(mine), one);
    EXPECT_EQ(fixed_log_lines(), one);
}

TEST_F(MorvexRowSource, IgnoredBlankTestFailureTakesTheRowSourceAsNotBlank)
{
    // With the blank test failing, an empty row source goes on to a new
    // data-source object whose empty SQL the callback refuses with a box.
    bind(*ctl, k_rows);
    diag::InjectedFault fault("IsBlank", "1", k_overflow);
    ctl->let_RowSource("");
    ASSERT_EQ(host::message_boxes().size(), 1u);
    EXPECT_TRUE(host::message_boxes()[0].prompt.starts_with("Error in Class_GetDataMember\r\n"));
    EXPECT_EQ(fixed_log_lines(), closed_list_lines());
}

} // namespace
} // namespace pendrel
