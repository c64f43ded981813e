// What the host sees while a person types into a Morvex: keys reach it as
// events, every released key searches the rows and completes the text, and
// Enter or leaving the control commits an edited text. Keys arrive through
// the window manager's input injection, as a person's keys do.

#include <functional>

#include "dropdown/modGridCombo.h"
#include "platform/ado/Recordset.h"
#include "platform/win/User32.h"
#include "support/RowName.h"
#include "support/controls/Ui.h"
#include "support/morvex/MorvexProbe.h"
#include "support/morvex/MorvexTest.h"

namespace pendrel {
namespace {

using Events = std::vector<std::string>;
using test::MorvexProbe;

// Rows in name order: 's-Hertogenbosch, Amsterdam, Antwerpen, München,
// Rotterdam, Utrecht, Zürich, Łódź; the name column is the text column.
constexpr auto k_rows = "SELECT id, name, code, population, founded FROM cities ORDER BY name";

class Typing : public test::MorvexTest {
public:
    void SetUp() override
    {
        MorvexTest::SetUp();
        modGridCombo::state() = modGridCombo::GridState{};
        form->Show();
        other = &add("Morvex2");
        ctl->let_ScreenWidth(19200);
        ctl->let_ColumnWidths("0;25;5;5;5");
        ctl->let_AutoExpand(true);
        bind(*ctl, k_rows);
        ctl->txtFieldCmb().SetFocus();
        (void)events.take();
    }

    // The text with its selection: "Amsterdam 2+7".
    [[nodiscard]] std::string field() const
    {
        const auto& box = ctl->txtFieldCmb();
        return box.get_Text() + " " + std::to_string(box.get_SelStart()) + "+"
            + std::to_string(box.get_SelLength());
    }
    void leave() { other->txtFieldCmb().SetFocus(); }

    test::Ui ui;
    Morvex* other = nullptr;
};

// A sequence of input and what it gives: the host's events (after the
// setup has run and its events were dropped), the field, the current row.
struct SequenceRow {
    std::string name;
    std::function<void(Typing&)> setup;
    std::function<void(Typing&)> act;
    Events events;
    std::string field;
    vb::Long row;
};

class TypingSequence : public Typing, public testing::WithParamInterface<SequenceRow> {};

TEST_P(TypingSequence, HostSeesTheseEvents)
{
    const SequenceRow& row = GetParam();
    if (row.setup)
        row.setup(*this);
    (void)events.take();
    row.act(*this);
    EXPECT_EQ(events.take(), row.events);
    EXPECT_EQ(field(), row.field);
    EXPECT_EQ(this->row(), row.row);
}

const auto type = [](const char* text) { return [=](Typing& t) { t.ui.type(text); }; };
const auto press = [](int vk) { return [=](Typing& t) { t.ui.press(vk); }; };
template <class... F> std::function<void(Typing&)> then(F... steps)
{
    return [=](Typing& t) { (steps(t), ...); };
}
const auto enter = press(win::VK_RETURN);
const auto backspace = press(win::VK_BACK);

const Events k_enter_keys{"KeyDown 13 0", "KeyPress 13"};
Events enter_then(Events more)
{
    more.insert(more.begin(), k_enter_keys.begin(), k_enter_keys.end());
    return more;
}

INSTANTIATE_TEST_SUITE_P(Rows, TypingSequence,
    testing::Values(
        // The first key after a commit changes the text, and the completion
        // changes it again, while nothing is being edited yet.
        SequenceRow{"FirstKeyGivesNoChange", {}, type("A"),
            {"KeyDown 65 0", "KeyPress 65", "KeyUp 65 0"}, "Amsterdam 1+8", 2},
        SequenceRow{"FurtherKeyGivesTheTypedAndTheCompletedChange", type("A"), type("n"),
            {"KeyDown 78 0", "KeyPress 110", "Change", "Change", "KeyUp 78 0"}, "Antwerpen 2+7", 3},
        // Backspace removes the selected tail; the completion then selects
        // one more character.
        SequenceRow{"BackspaceCompletesOneCharacterShorter", type("Am"), backspace,
            {"KeyDown 8 0", "KeyPress 8", "Change", "Change", "KeyUp 8 0"}, "Amsterdam 1+8", 2},
        SequenceRow{"NoRowStartsWithTheText", type("Amx"), type("y"),
            {"KeyDown 89 0", "KeyPress 121", "Change", "KeyUp 89 0"}, "Amxy 4+0", -3},
        SequenceRow{"EnterAfterAMatchCommits", type("Am"), enter,
            enter_then({"BeforeUpdate", "AfterUpdate"}), "Amsterdam 0+0", 2},
        SequenceRow{"EnterTwiceCommitsOnce", then(type("Am"), enter), enter, k_enter_keys,
            "Amsterdam 9+0", 2},
        SequenceRow{"EnterWithoutAMatchIsNotInList", type("Q"), enter, enter_then({"NotInList Q"}),
            "Q 1+0", -3},
        // An emptied field goes back to the first row and keeps the last
        // search's verdict.
        SequenceRow{"EnterOnAnEmptiedFieldAfterAMatch", then(type("A"), backspace, backspace),
            enter, enter_then({"BeforeUpdate", "AfterUpdate"}), "'s-Hertogenbosch 0+0", 1},
        SequenceRow{"EnterOnAnEmptiedFieldAfterNoMatch", then(type("Q"), backspace), enter,
            enter_then({"NotInList "}), " 0+0", 1},
        // Any released key but Enter is an edit, even one that changes
        // nothing.
        SequenceRow{"ArrowKeyCountsAsAnEdit", {}, then(press(win::VK_LEFT), enter),
            {"KeyDown 37 0", "KeyUp 37 0", "KeyDown 13 0", "KeyPress 13", "BeforeUpdate",
                "AfterUpdate"},
            "'s-Hertogenbosch 0+0", 1},
        // Delete searches from the first row and moves the current row, but
        // completes nothing.
        SequenceRow{"DeleteMovesTheRowOnly",
            then(type("Ant"), [](Typing& t) { t.ctl->get_Recordset()->MoveFirst(); }),
            press(win::VK_DELETE), {"KeyDown 46 0", "Change", "KeyUp 46 0"}, "Ant 3+0", 3},
        SequenceRow{"LeavingCommitsThenExitFocus", type("Ro"), [](Typing& t) { t.leave(); },
            {"Validate False", "BeforeUpdate", "AfterUpdate", "ExitFocus"}, "Rotterdam 0+0", 5},
        SequenceRow{"LeavingWithAnEmptiedFieldOnlyExits", then(type("R"), backspace, backspace),
            [](Typing& t) { t.leave(); }, {"Validate False", "ExitFocus"}, " 0+0", 1},
        SequenceRow{"HostTextIsAChangeOnlyWhileEditing", {},
            [](Typing& t) {
                t.ctl->let_Text("x");
                t.ui.press(win::VK_LEFT);
                t.ctl->let_Text("y");
            },
            {"KeyDown 37 0", "KeyUp 37 0", "Change"}, "y 0+0", -3}),
    test::RowName{});

// The search starts over at the first row, except when the last search ran
// off the end and no flag says the text changed since: then it starts at
// the end and fails. At BOF nothing is moved, and there is no row to start
// from.
TEST_F(Typing, WhereTheSearchStarts)
{
    ctl->let_BoundColumn(2);
    ctl->let_Value(vb::Variant("'Nowhere'")); // runs off the end, NoMatch untouched
    ASSERT_EQ(row(), -3);
    ASSERT_FALSE(MorvexProbe::no_match(*ctl));
    ui.type("R");
    EXPECT_EQ(field(), "R 1+0");
    EXPECT_TRUE(MorvexProbe::no_match(*ctl));
    ui.type("o"); // now it starts over
    EXPECT_EQ(field(), "Rotterdam 2+7");
    ctl->get_Recordset()->MovePrevious();
    ctl->get_Recordset()->MoveFirst();
    ctl->get_Recordset()->MovePrevious();
    ASSERT_EQ(row(), -2);
    ui.type("t");
    EXPECT_EQ(field(), "Rot 3+0");
    const std::string no_row = "Either BOF or EOF is True, or the current record has been deleted. "
                               "Requested operation requires a current record.";
    EXPECT_EQ(fixed_log_lines(),
        (Events{expected_line(3021, no_row, ") in Let Value"),
            expected_line(3021, no_row, ") in AutoComplete"),
            expected_line(3021, no_row, ") in AutoComplete"),
            expected_line(6160,
                "The grid has no current row: the rows are empty or the position is before the "
                "first or after the last row",
                ") in AutoComplete")}));
}

// Number and date columns match the typed number exactly; a fixed-length
// text column is never searched.
TEST_F(Typing, TextColumnTypeDecidesTheSearch)
{
    ctl->let_ColumnWidths("0;0;0;25");
    ui.type("53050");
    EXPECT_TRUE(MorvexProbe::no_match(*ctl));
    ui.type("4");
    EXPECT_EQ(field(), "530504 6+0");
    EXPECT_EQ(row(), 3);
    ctl->let_ColumnWidths("0;0;25");
    ctl->Clear();
    ctl->get_Recordset()->MoveLast();
    ui.type("ZR");
    EXPECT_EQ(field(), "ZR 2+0");
    EXPECT_EQ(row(), 8);
    EXPECT_FALSE(MorvexProbe::no_match(*ctl));
}

// Binding readies the text column, and no other, for the searches typing
// makes: its folded-prefix keys are made then rather than by the first key.
TEST_F(Typing, BindingReadiesOnlyTheTextColumn)
{
    other->let_ScreenWidth(19200);
    other->let_ColumnWidths("0;0;25");
    bind(*other, k_rows);
    const auto made = [](Morvex& m, int column) {
        const ado::Column& c = m.get_Recordset()->table().column(column);
        const std::size_t before = c.bytes();
        (void)c.prefix_keys();
        return c.bytes() == before;
    };
    EXPECT_TRUE(made(*ctl, 1));
    EXPECT_FALSE(made(*ctl, 2));
    EXPECT_TRUE(made(*other, 2));
    EXPECT_FALSE(made(*other, 1));
}

// A text column the rows do not have: one box, and nothing else happens.
TEST_F(Typing, MissingTextColumnShowsTheNoDataBox)
{
    ctl->let_ColumnWidths("0;0;0;0;0;25");
    host::clear_message_boxes();
    ui.type("A");
    ASSERT_EQ(host::message_boxes().size(), 1U);
    const host::MessageBoxRecord& box = host::message_boxes()[0];
    EXPECT_EQ(box.prompt,
        "Error in AutoComplete\r\nError: Item cannot be found in the collection corresponding "
        "to the requested name or ordinal.\r\nNumber: 3265\r\nNo data in dropdownbox, check "
        "connectionstring and/or rowsource!!");
    EXPECT_EQ(box.style, host::vbOKOnly);
    EXPECT_EQ(field(), "A 1+0");
}

// The flags are the thread's: an edit in one control makes the next text
// change of another a Change; NotInList hands the host a copy.
TEST_F(Typing, ControlsOfAThreadShareTheEditState)
{
    test::HostEvents others;
    others.watch(*form->find("Morvex2"));
    auto rewrite = site->events().on<std::string>(
        event::NotInList, [](std::string& Newdata) { Newdata = "changed"; });
    ui.type("Q");
    other->let_Text("x");
    EXPECT_EQ(others.take(), Events{"Change"});
    ui.press(win::VK_RETURN);
    EXPECT_EQ(events.take(),
        (Events{"KeyDown 81 0", "KeyPress 81", "KeyUp 81 0", "KeyDown 13 0", "KeyPress 13",
            "NotInList Q"}));
    EXPECT_EQ(ctl->get_Text(), "Q");
    other->let_Text("y");
    EXPECT_EQ(others.take(), Events{});
}

// The button matches the text before it opens the list; DropDown does not
// open a list for a text that just failed to match, unless Backspace or
// Delete came since.
TEST_F(Typing, OpeningFollowsTheLastSearch)
{
    ctl->let_AutoExpand(false);
    ctl->let_Text("Ut");
    ui.click(ctl->DropdownButton().get_hWnd());
    EXPECT_TRUE(modGridCombo::state().GridSubclassed);
    EXPECT_EQ(row(), 6);
    EXPECT_EQ(field(), "Ut 2+0"); // the field got the focus back
    vb::Integer close = 0;
    ctl->ShowDropDown(close);
    ui.type("Qx");
    ctl->DropDown();
    EXPECT_FALSE(modGridCombo::state().GridSubclassed);
    ui.press(win::VK_BACK);
    ctl->DropDown();
    EXPECT_TRUE(modGridCombo::state().GridSubclassed);
}

} // namespace
} // namespace pendrel
