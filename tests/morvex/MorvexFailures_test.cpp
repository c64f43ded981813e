// How the row source reports failures injected into its own steps.

#include <gtest/gtest.h>

#include "diag/Steps.h"
#include "pendrel/Morvex.h"
#include "pendrel/clsDataSource.h"
#include "platform/ado/AdoConstants.h"
#include "platform/grid/DataGrid.h"
#include "platform/vb/DateTime.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

constexpr auto k_rows = "SELECT id, name FROM cities";
const vb::Error k_closed(3704, "Operation is not allowed when the object is closed.", "ADODB");
const vb::Error k_overflow(6, "Overflow", "Morvex");

using MorvexFailures = test::MorvexTest;

TEST_F(MorvexFailures, FailingStepLogsOneLineAndTheNextStepRuns)
{
    diag::InjectedFault fault("Let RowSource", "5.6", k_closed);
    bind(*ctl, k_rows);
    Lines expected = closed_list_lines();
    expected.insert(expected.begin(),
        "2026-12-05 09:06:07:3704 (Operation is not allowed when the object is closed.) in "
        "Let RowSource");
    EXPECT_EQ(fixed_log_lines(), expected);
    // The steps before it ran; the grid was never bound.
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(ctl->get_Recordset()->get_State(), ado::adStateClosed);
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(MorvexFailures, TwoFailingStepsGiveTwoLinesInOrder)
{
    diag::InjectedFault notify("Let RowSource", "3.2", k_overflow);
    diag::InjectedFault cursor("Let RowSource", "5.5.1", k_closed);
    bind(*ctl, k_rows);
    EXPECT_EQ(fixed_log_lines(),
        (Lines{expected_line(6, "Overflow", ") in Let RowSource"),
            expected_line(3704, k_closed.description(), ") in Let RowSource")}));
    // The row source was stored but not signalled, and the rows still bound.
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(take_changes(), Names{"CnStr"});
    EXPECT_EQ(ctl->get_ColumnCount(), 2);
}

TEST_F(MorvexFailures, FailingConditionGoesOnInsideItsBody)
{
    // The blank test fails: its body unbinds the list and leaves, although
    // neither text is blank.
    {
        diag::InjectedFault fault("Let RowSource", "4", k_overflow);
        bind(*ctl, k_rows);
    }
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(ctl->get_ColumnCount(), 0);
    EXPECT_EQ(ctl->get_Recordset()->get_State(), ado::adStateClosed);
    // The equality test fails: its body leaves before anything is stored.
    {
        diag::InjectedFault fault("Let RowSource", "2", k_overflow);
        ctl->let_RowSource("SELECT id FROM cities");
    }
    EXPECT_EQ(ctl->get_RowSource(), k_rows);
    EXPECT_EQ(fixed_log_lines().size(), 2u);
}

TEST_F(MorvexFailures, LogFollowsFLoggingUntilCnStrSetsTheFixedPathAgain)
{
    diag::InjectedFault fault("Let RowSource", "3.2", k_overflow);
    ctl->let_CnStr(cnstr);
    const auto mine = dir / "mine.txt";
    ctl->let_fLogging(mine.string());
    ctl->let_RowSource("SELECT id FROM cities");
    ctl->let_CnStr(cnstr);
    ctl->let_RowSource("SELECT name FROM cities");
    EXPECT_EQ(test::lines_of(mine), Lines{expected_line(6, "Overflow", ") in Let RowSource")});
    EXPECT_EQ(fixed_log_lines(), Lines{expected_line(6, "Overflow", ") in Let RowSource")});
}

TEST_F(MorvexFailures, LineThatCannotBeWrittenIsSkippedAndTheProcedureGoesOn)
{
    diag::InjectedFault fault("Let RowSource", "3.2", k_overflow);
    ctl->let_CnStr(cnstr);
    for (const std::string& path : {std::string(), (dir / "missing" / "x.txt").string()}) {
        ctl->let_fLogging(path);
        ctl->let_RowSource(path.empty() ? "SELECT id FROM cities" : k_rows);
        EXPECT_EQ(ctl->get_ColumnCount(), path.empty() ? 1 : 2);
    }
    EXPECT_EQ(fault.hits(), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_FALSE(std::filesystem::exists(fixed_log_file()));
}

TEST_F(MorvexFailures, IgnoredBlankTestFailureTakesTheRowSourceAsNotBlank)
{
    // With the blank test failing, an empty row source goes on to a new
    // data-source object whose empty SQL the callback refuses with a box.
    ctl->let_CnStr(cnstr);
    ctl->let_RowSource(k_rows);
    diag::InjectedFault fault("IsBlank", "1", k_overflow);
    ctl->let_RowSource("");
    EXPECT_GE(fault.hits(), 1);
    ASSERT_EQ(host::message_boxes().size(), 1u);
    EXPECT_TRUE(host::message_boxes()[0].prompt.starts_with("Error in Class_GetDataMember\r\n"));
    EXPECT_EQ(fixed_log_lines(), closed_list_lines());
}

} // namespace
} // namespace pendrel
