#include "diag/Trap.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/host/Clock.h"
#include "platform/host/MessageBox.h"
#include "platform/vb/DateTime.h"
#include "support/TempDir.h"

namespace {

using diag::Trap;

class TrapTest : public testing::Test {
protected:
    void SetUp() override { host::clear_message_boxes(); }

    [[nodiscard]] std::string log_text() const
    {
        std::ifstream in(m_log);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    pendrel::test::TempDir m_dir;
    std::string m_log = (m_dir / "Logging.txt").string();
    host::FixedClock m_clock{vb::make_date({2026, 12, 5, 9, 8, 7})};
};

[[noreturn]] void fail(vb::Long number, const char* text = "boom", const char* source = "src")
{
    throw vb::Error(number, text, source);
}

TEST_F(TrapTest, LogWritesOneLinePerFailingStepAndGoesOn)
{
    Trap trap("Let Value", m_log);
    int ran = 0;
    trap.step([] { fail(13, "Type mismatch"); });
    trap.step([] { fail(3021, "No\r\ncurrent\trow"); });
    trap.step([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(trap.left());
    EXPECT_EQ(log_text(),
        "2026-12-05 09:08:07:13 (Type mismatch) in Let Value\r\n"
        "2026-12-05 09:08:07:3021 (No  current row) in Let Value\r\n");
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(TrapTest, FailingConditionContinuesInsideTheBody)
{
    Trap trap("ResizeGrid", m_log);
    bool body = false;
    if (trap.condition([]() -> bool { fail(6); }))
        body = true;
    EXPECT_TRUE(body);
    EXPECT_NE(log_text().find(":6 (boom) in ResizeGrid\r\n"), std::string::npos);
}

TEST_F(TrapTest, LogPathIsReadAtEachReport)
{
    std::string path = m_log;
    Trap trap("DropDown", path);
    trap.step([] { fail(5); });
    path = (m_dir / "other.txt").string();
    trap.step([] { fail(6); });
    EXPECT_NE(log_text().find(":5 ("), std::string::npos);
    EXPECT_EQ(log_text().find(":6 ("), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(m_dir / "other.txt"));
}

TEST_F(TrapTest, UnwritableLogIsHarmless)
{
    const std::string bad = (m_dir / "missing-folder" / "Logging.txt").string();
    Trap trap("ResizeColumns", bad);
    int ran = 0;
    EXPECT_NO_THROW(trap.step([] { fail(6); }));
    trap.step([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    const std::string empty;
    Trap no_path("ResizeColumns", empty);
    EXPECT_NO_THROW(no_path.step([] { fail(6); }));
}

TEST_F(TrapTest, ShortMessageShowsDescriptionAndLeaves)
{
    Trap trap("HideDropDown", m_log);
    int ran = 0;
    trap.step([] { fail(9, "Subscript out of range"); });
    trap.step([&] { ++ran; });
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(trap.left());
    ASSERT_EQ(host::message_boxes().size(), 1U);
    EXPECT_EQ(host::message_boxes()[0],
        (host::MessageBoxRecord{"Subscript out of range", 16, "HideDropDown"}));
    EXPECT_FALSE(std::filesystem::exists(m_log));
}

TEST_F(TrapTest, DetailedMessageChoosesItsFirstLineByNumber)
{
    {
        Trap trap("Class_GetDataMember", m_log);
        trap.step([] { fail(-2147217904, "no such column: x", "Provider"); });
    }
    {
        Trap trap("Class_GetDataMember", m_log);
        trap.step([] { fail(-2147467259, "cannot open", "Connection"); });
    }
    ASSERT_EQ(host::message_boxes().size(), 2U);
    EXPECT_EQ(host::message_boxes()[0],
        (host::MessageBoxRecord{
            "Error in RowSource\r\nError: no such column: x\r\nNumber: -2147217904", 0,
            "Provider"}));
    EXPECT_EQ(host::message_boxes()[1].prompt,
        "Error in Class_GetDataMember\r\nError: cannot open\r\nNumber: -2147467259");
    EXPECT_FALSE(std::filesystem::exists(m_log));
}

TEST_F(TrapTest, SpecialNumberOverridesTheKind)
{
    Trap trap("AutoComplete", m_log);
    trap.step([] { fail(6); });
    EXPECT_FALSE(trap.left());
    trap.step([] { fail(3265, "Item cannot be found", "ADODB.Fields"); });
    EXPECT_TRUE(trap.left());
    ASSERT_EQ(host::message_boxes().size(), 1U);
    EXPECT_EQ(host::message_boxes()[0].prompt,
        "Error in AutoComplete\r\nError: Item cannot be found\r\nNumber: 3265\r\n"
        "No data in dropdownbox, check connectionstring and/or rowsource!!");
    EXPECT_NE(log_text().find(":6 (boom) in AutoComplete"), std::string::npos);
}

TEST_F(TrapTest, CustomNumbersAreLeftToTheProcedure)
{
    Trap trap("AfterUpdateOrNotInList", m_log);
    trap.step([] { fail(6160); });
    EXPECT_TRUE(trap.left());
    EXPECT_EQ(trap.failed_number(), 6160);
    EXPECT_FALSE(std::filesystem::exists(m_log));
    EXPECT_TRUE(host::message_boxes().empty());
}

TEST_F(TrapTest, PassOnRaisesWithTheProcedureAsSource)
{
    Trap trap("RemDGBookMark", m_log);
    try {
        trap.step([] { fail(9, "Subscript out of range", "DataGrid"); });
        FAIL() << "the error was not passed on";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 9);
        EXPECT_EQ(e.description(), "Subscript out of range");
        EXPECT_EQ(e.source(), "RemDGBookMark");
    }
}

TEST_F(TrapTest, IgnoreReportsNothing)
{
    Trap trap("IsBlank");
    EXPECT_EQ(trap.value([]() -> int { fail(13); }, 7), 7);
    EXPECT_TRUE(host::message_boxes().empty());
}

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
