// How a trapped procedure reports a failing step, one row per kind of report
// in the table, and where its log line goes.

#include "diag/Trap.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/host/Clock.h"
#include "platform/host/MessageBox.h"
#include "platform/vb/DateTime.h"
#include "support/RowName.h"
#include "support/TempDir.h"
#include "support/VbError.h"

namespace {

using diag::Trap;
using Boxes = std::vector<host::MessageBoxRecord>;

class TrapTest : public testing::Test {
protected:
    void SetUp() override { host::clear_message_boxes(); }

    [[nodiscard]] static std::string text_of(const std::filesystem::path& file)
    {
        std::ifstream in(file);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    pendrel::test::TempDir m_dir;
    std::string m_log = (m_dir / "Logging.txt").string();
    host::FixedClock m_clock{vb::make_date({2026, 12, 5, 9, 8, 7})};
};

[[noreturn]] void fail(vb::Long number)
{
    throw vb::Error(number, "boom", "src");
}

struct ReportRow {
    std::string name;
    std::string_view procedure;
    vb::Error error;
    std::string log;
    Boxes boxes;
    bool left; // every later step is skipped
};

class TrapReport : public TrapTest, public testing::WithParamInterface<ReportRow> {};

// The failing statement is an If condition: it counts as true unless the
// procedure left.
TEST_P(TrapReport, FailingConditionThenTheNextStep)
{
    const ReportRow& row = GetParam();
    Trap trap(row.procedure, m_log);
    EXPECT_EQ(trap.condition([&]() -> bool { throw row.error; }), !row.left);
    EXPECT_EQ(trap.value([] { return 5; }, 7), row.left ? 7 : 5);
    EXPECT_EQ(
        std::tuple(trap.left(), trap.failed_number()), std::tuple(row.left, row.error.number()));
    EXPECT_EQ(text_of(m_log), row.log);
    EXPECT_EQ(host::message_boxes(), row.boxes);
}

constexpr auto k_no_data = "No data in dropdownbox, check connectionstring and/or rowsource!!";

INSTANTIATE_TEST_SUITE_P(Kinds, TrapReport,
    testing::Values(
        // Control characters become spaces: one failure, one line.
        ReportRow{"LogGoesOn", "Let Value", {3021, "No\r\ncurrent\trow", "src"},
            "2026-12-05 09:08:07:3021 (No  current row) in Let Value\r\n", {}, false},
        ReportRow{"ShortMessageLeaves", "HideDropDown", {9, "Subscript out of range", "src"}, "",
            {{"Subscript out of range", host::vbCritical, "HideDropDown"}}, true},
        // A detailed box is titled with the error's source. Its plain first
        // line and the first line of a special number are checked where
        // Class_GetDataMember fails (clsDataSource_test, MorvexRowSource_test).
        ReportRow{"SpecialOverridesTheKind", "AutoComplete",
            {3265, "Item cannot be found", "ADODB.Fields"}, "",
            {{"Error in AutoComplete\r\nError: Item cannot be found\r\nNumber: 3265\r\n"
                    + std::string(k_no_data),
                host::vbOKOnly, "ADODB.Fields"}},
            true},
        ReportRow{"OtherNumbersKeepTheKind", "AutoComplete", {6, "Overflow", "src"},
            "2026-12-05 09:08:07:6 (Overflow) in AutoComplete\r\n", {}, false},
        // Left to the procedure, which reads failed_number().
        ReportRow{
            "CustomLeavesSilently", "AfterUpdateOrNotInList", {6160, "x", "src"}, "", {}, true},
        ReportRow{"IgnoreGoesOnSilently", "IsBlank", {13, "x", "src"}, "", {}, false}),
    pendrel::test::RowName{});

TEST_F(TrapTest, LogPathIsReadAtEachReportAndAnUnwritableOneIsSkipped)
{
    std::string path = m_log;
    Trap trap("DropDown", path);
    trap.step([] { fail(5); });
    path = (m_dir / "other.txt").string();
    trap.step([] { fail(6); });
    for (const std::string& bad : {(m_dir / "missing" / "x.txt").string(), std::string()}) {
        path = bad;
        EXPECT_NO_THROW(trap.step([] { fail(7); }));
    }
    EXPECT_TRUE(trap.step([] {}));
    EXPECT_EQ(text_of(m_log), "2026-12-05 09:08:07:5 (boom) in DropDown\r\n");
    EXPECT_EQ(text_of(m_dir / "other.txt"), "2026-12-05 09:08:07:6 (boom) in DropDown\r\n");
}

TEST_F(TrapTest, PassOnRaisesAgainWithTheProcedureAsSource)
{
    Trap trap("RemDGBookMark", m_log);
    const vb::Error e = pendrel::test::error_of(
        [&] { trap.step([] { throw vb::Error(9, "Subscript out of range", "DataGrid"); }); });
    EXPECT_EQ(std::tuple(e.number(), e.description(), e.source()),
        std::tuple(9, "Subscript out of range", "RemDGBookMark"));
}

struct LineRow {
    std::string name, description, logged;
};

class OneLine : public testing::TestWithParam<LineRow> {};

// The description as the log line holds it: every line break a reader of
// the file could meet becomes a space, every byte that is not UTF-8 U+FFFD.
TEST_P(OneLine, DescriptionKeepsTheLineWhole)
{
    const host::FixedClock clock{vb::make_date({2026, 12, 5, 9, 8, 7})};
    EXPECT_EQ(diag::log_line(vb::Error(5, GetParam().description, "src"), ") in X"),
        "2026-12-05 09:08:07:5 (" + GetParam().logged + ") in X\r\n");
}

INSTANTIATE_TEST_SUITE_P(Rows, OneLine,
    testing::Values(LineRow{"C0AndDel", "a\r\nb\tc\x7f", "a  b c "},
        LineRow{"NextLine", "a\u0085b", "a b"}, LineRow{"C1Control", "a\u009bb", "a b"},
        LineRow{"LineAndParagraphSeparators", "a\u2028b\u2029c", "a b c"},
        LineRow{"LettersBeyondAsciiStay", "Zürich Łódź €", "Zürich Łódź €"},
        LineRow{"StrayContinuationByte",
            "a\x85"
            "b",
            "a\uFFFDb"},
        LineRow{"CutShortAtTheEnd", "a\xE2\x80", "a\uFFFD\uFFFD"},
        LineRow{"OverlongNewLine",
            "a\xC0\x8A"
            "b",
            "a\uFFFD\uFFFDb"},
        LineRow{"Surrogate", "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
        LineRow{"BeyondUnicode", "\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        LineRow{"LargestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"}),
    pendrel::test::RowName{});

TEST(ReportTable, EveryRowIsComplete)
{
    for (const auto& p : diag::all_policies()) {
        SCOPED_TRACE(std::string(p.procedure));
        if (p.kind == diag::Kind::DetailedMessage) {
            EXPECT_EQ(p.first_line.substr(0, 9), "Error in ");
        }
        EXPECT_EQ(&diag::policy_of(p.procedure), &p);
    }
}

} // namespace
