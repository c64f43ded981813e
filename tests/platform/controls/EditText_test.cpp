#include "platform/controls/EditText.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

#include <functional>

namespace controls {
namespace {

using Move = EditText::Move;

// One editing step on a text with the anchor and the caret at the given
// characters, and what must come of it.
struct EditCase {
    const char* name;
    const char* text;
    int anchor, caret;
    std::function<bool(EditText&)> step; // returns "changed"
    const char* expected_text;
    int expected_start, expected_length;
    bool changed;
};

class EditSteps : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditSteps, GiveTextSelectionAndChange)
{
    const EditCase& c = GetParam();
    EditText e;
    e.set_text(c.text);
    e.set_caret(c.anchor, false);
    e.set_caret(c.caret, true);
    EXPECT_EQ(c.step(e), c.changed);
    EXPECT_EQ(e.text(), c.expected_text);
    EXPECT_EQ(e.sel_start(), c.expected_start);
    EXPECT_EQ(e.sel_length(), c.expected_length);
}

auto type(const char* s)
{
    return [s](EditText& e) { return e.replace_selection(s); };
}
auto move(Move m, bool extend)
{
    return [m, extend](EditText& e) {
        e.move(m, extend);
        return false;
    };
}
const auto backspace = [](EditText& e) { return e.erase_backward(); };
const auto del = [](EditText& e) { return e.erase_forward(); };

INSTANTIATE_TEST_SUITE_P(Cases, EditSteps,
    ::testing::Values(
        EditCase{"TypeReplacesSelection", "Zürich", 1, 2, type("u"), "Zurich", 2, 0, true},
        EditCase{"TypeOverSameTextChangesNothing", "abc", 1, 2, type("b"), "abc", 2, 0, false},
        EditCase{"BackspaceAtStartDoesNothing", "abc", 0, 0, backspace, "abc", 0, 0, false},
        EditCase{"BackspaceTakesBackwardSelection", "Łódź", 3, 1, backspace, "Łź", 1, 0, true},
        EditCase{"BackspaceTakesWholeEmoji", "a😀b", 2, 2, backspace, "ab", 1, 0, true},
        EditCase{"DeleteAtEndDoesNothing", "日本語", 3, 3, del, "日本語", 3, 0, false},
        EditCase{"LeftStepsFromCaretAndDropsSelection", "abcd", 1, 3, move(Move::Left, false),
            "abcd", 2, 0, false},
        EditCase{"LeftAtStartStays", "abcd", 0, 0, move(Move::Left, false), "abcd", 0, 0, false},
        EditCase{"ShiftRightShrinksBackwardSelection", "Zürich", 4, 1, move(Move::Right, true),
            "Zürich", 2, 2, false},
        EditCase{"ShiftHomeSelectsToStart", "Zürich", 4, 4, move(Move::Home, true), "Zürich", 0, 4,
            false},
        EditCase{
            "EndDropsSelection", "Zürich", 0, 3, move(Move::End, false), "Zürich", 6, 0, false}),
    pendrel::test::RowName{});

TEST(EditText, SelectClampsToTheTextAndPutsTheCaretAtTheEnd)
{
    EditText e;
    e.set_text("Zür");
    e.select(10, 5);
    EXPECT_EQ(e.sel_start(), 3);
    EXPECT_EQ(e.sel_length(), 0);
    e.select(1, 99);
    EXPECT_EQ(e.selected_text(), "ür");
    EXPECT_EQ(e.caret(), 3);
}

} // namespace
} // namespace controls
