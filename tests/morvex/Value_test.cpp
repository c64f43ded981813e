// The bound value: BoundColumn of the current row, which Value reads and
// writes, ValueOfColumn reads any column of, and ItemData moves to.

#include "diag/FaultInjection.h"
#include "dropdown/modGridCombo.h"
#include "platform/vb/Convert.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Lines = std::vector<std::string>;

// id, name, code, population in id order; the name column is the text column.
constexpr auto k_rows = "SELECT id, name, code, population FROM cities ORDER BY id";

class BoundValue : public test::MorvexTest {
protected:
    void SetUp() override
    {
        MorvexTest::SetUp();
        modGridCombo::state() = modGridCombo::GridState{};
        ctl->let_ScreenWidth(19200);
        ctl->let_ColumnWidths("0;25");
        bind(*ctl, k_rows);
        ctl->let_Text("typed");
    }
    [[nodiscard]] std::string value() { return vb::CStr(ctl->get_Value()); }
};

// Writing finds the row by the bound field, the value written into the
// criterion as it is; the field then shows the row's text column.
TEST_F(BoundValue, WritingFindsTheRowAndShowsItsText)
{
    struct Row {
        const char* name;
        vb::Integer bound;
        vb::Variant value;
        vb::Long row;
        std::string text, read;
        Lines log;
    };
    const std::string no_row = "Either BOF or EOF is True, or the current record has been deleted. "
                               "Requested operation requires a current record.";
    const Row rows[] = {
        {"NumberKey", 1, vb::Variant(4), 4, "Łódź", "4", {}},
        {"QuotedTextKey", 2, vb::Variant("'Zürich'"), 8, "Zürich", "Zürich", {}},
        {"NumberOfAnotherColumn", 4, vb::Variant(655468.0), 6, "Rotterdam", "655468", {}},
        // The criterion cannot be read: the first row stays and shows.
        {"UnquotedTextKey", 2, vb::Variant("Zürich"), 1, "Amsterdam", "Amsterdam",
            {expected_line(3001,
                "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
                "with one another. The criterion has a value that is not a quoted text, a number "
                "or a #date#.",
                ") in Let Value")}},
        // Past the last row: the text stays.
        {"NoSuchRow", 1, vb::Variant(99), -3, "typed", "",
            {expected_line(3021, no_row, ") in Let Value")}},
        // The row number; the text stays.
        {"RowNumber", 0, vb::Variant(3), 3, "typed", "3", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::filesystem::remove(fixed_log_file());
        ctl->let_Text("typed");
        ctl->let_BoundColumn(r.bound);
        ctl->let_Value(r.value);
        EXPECT_EQ(row(), r.row);
        EXPECT_EQ(ctl->get_Text(), r.text);
        EXPECT_EQ(fixed_log_lines(), r.log);
        if (r.row > 0) {
            EXPECT_EQ(value(), r.read);
        }
    }
}

// Without a text column of its own the control shows the one the list last
// opened with; with neither, nothing.
TEST_F(BoundValue, TextColumnZeroFallsBackToTheListsCopy)
{
    Morvex& other = add("Morvex2");
    {
        diag::InjectedFault no_widths("ResizeColumns", "1", vb::Error(6, "Overflow"));
        bind(other, k_rows);
    }
    other.let_BoundColumn(1);
    other.let_Value(vb::Variant(2));
    EXPECT_EQ(other.get_Text(), "");
    ASSERT_EQ(fixed_log_lines().size(), 2U); // the step that failed, and the text
    EXPECT_TRUE(fixed_log_lines()[1].ends_with(") in Let Value"));
    modGridCombo::state().TextColumn = 3;
    other.let_Value(vb::Variant(2));
    EXPECT_EQ(other.get_Text(), "ANR");
}

TEST_F(BoundValue, ValueOfColumnIsTheColumnObjectOrEmpty)
{
    const vb::Variant name = ctl->get_ValueOfColumn(2);
    ASSERT_TRUE(name.is_object());
    EXPECT_EQ(vb::CStr(name), "Amsterdam");
    ctl->get_Recordset()->MoveLast();
    EXPECT_EQ(vb::CStr(name), "Zürich") << "the cell of the current row, when it is read";
    for (const vb::Long n : {0L, 5L, -2147483647L - 1})
        EXPECT_EQ(ctl->get_ValueOfColumn(n).as_string(), "") << n;
}

TEST_F(BoundValue, ItemDataMovesTheCursorAndFailuresGoToTheCaller)
{
    ctl->let_BoundColumn(2);
    EXPECT_EQ(vb::CStr(ctl->get_ItemData(3)), "'s-Hertogenbosch");
    EXPECT_EQ(row(), 3);
    EXPECT_VB_ERROR((void)ctl->get_ItemData(-32768), 6);
    ctl->let_BoundColumn(0);
    EXPECT_EQ(vb::CStr(ctl->get_Value()), "1") << "ItemData moved to the first row first";
    // Through the dispatch interface.
    std::vector<vb::Variant> args{vb::Variant(4)};
    ctl->invoke(dispid::Value, vb::InvokeKind::PropertyLet, args);
    EXPECT_EQ(vb::CStr(ctl->invoke(dispid::Value, vb::InvokeKind::PropertyGet, {})), "4");
    ctl->let_RowSource("");
    ctl->let_CnStr("");
    EXPECT_EQ(fixed_log_lines(), Lines{}) << "nothing is logged by ItemData";
}

} // namespace
} // namespace pendrel
