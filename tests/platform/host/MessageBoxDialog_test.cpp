// Message boxes on a live desktop: a dialog window that a person answers
// with the mouse or the keyboard, and that leaves the desktop as it found
// it.

#include "platform/host/MessageBoxDialog.h"

#include <gtest/gtest.h>

#include "platform/host/MessageBox.h"
#include "platform/host/MessageBoxLayout.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/RowName.h"
#include "support/host/HostTest.h"
#include "support/host/Person.h"

namespace pendrel::test {
namespace {

using namespace host;

struct AnswerRow {
    const char* name;
    vb::Integer style;
    std::vector<Person::Step> steps;
    vb::Integer answer;
};

class MessageBoxAnswer : public HostTest, public testing::WithParamInterface<AnswerRow> {};

TEST_P(MessageBoxAnswer, IsTheButtonAPersonChose)
{
    Person person(GetParam().steps);
    EXPECT_EQ(MsgBox("Sure?", GetParam().style, "Title"), GetParam().answer);
    EXPECT_EQ(
        message_boxes(), (std::vector<MessageBoxRecord>{{"Sure?", GetParam().style, "Title"}}));
    EXPECT_EQ(open_message_box(), 0u);
}

const auto click = [](vb::Integer a) { return [a] { Person::click(a); }; };
const auto key = [](int vk) { return [vk] { Person::press(vk); }; };

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxAnswer,
    testing::Values(AnswerRow{"ClickCancel", vbOKCancel, {click(vbCancel)}, vbCancel},
        AnswerRow{"ClickIgnore", vbAbortRetryIgnore | vbCritical, {click(vbIgnore)}, vbIgnore},
        AnswerRow{"EnterIsTheFirst", vbYesNo, {key(win::VK_RETURN)}, vbYes},
        AnswerRow{"RightThenEnter", vbYesNoCancel, {key(win::VK_RIGHT), key(win::VK_RETURN)}, vbNo},
        AnswerRow{"TabWrapsAround", vbOKCancel,
            {key(win::VK_TAB), key(win::VK_TAB), key(win::VK_RETURN)}, vbOK},
        AnswerRow{"EscapeIsCancel", vbRetryCancel, {key(win::VK_ESCAPE)}, vbCancel},
        AnswerRow{"EscapeAloneOk", vbOKOnly | vbInformation, {key(win::VK_ESCAPE)}, vbOK},
        // A Yes/No box has no Escape; when the input ends it is No.
        AnswerRow{"EscapeDoesNothingOnYesNo", vbYesNo, {key(win::VK_ESCAPE)}, vbNo},
        AnswerRow{"InputEndsWithCancel", vbYesNoCancel | vbQuestion, {}, vbCancel}),
    RowName{});

class MessageBoxDialog : public HostTest {};

// While the box is up it is the top window, holds the focus and the other
// windows wait; afterwards they are enabled, the focus is back and the box
// is gone. A box raised from inside a box runs its own loop.
TEST_F(MessageBoxDialog, HoldsTheDesktopWhileUpAndGivesItBack)
{
    form->Show();
    const win::HWND other = win::CreateWindowExA(win::WS_EX_TOPMOST, "PendrelForm", "other",
        win::WS_POPUP | win::WS_VISIBLE, 0, 0, 50, 50, 0);
    win::SetFocus(form->hwnd());
    win::HWND outer = 0;
    vb::Integer inner_answer = 0;
    Person person({[&] {
                       outer = open_message_box();
                       const auto tops = win::WindowManager::the().top_level_windows();
                       EXPECT_EQ(tops.back(), outer);
                       EXPECT_EQ(win::GetFocus(), outer);
                       EXPECT_FALSE(win::IsWindowEnabled(form->hwnd()));
                       EXPECT_FALSE(win::IsWindowEnabled(other));
                       inner_answer = MsgBox("Inner", vbYesNo);
                   },
        click(vbNo), key(win::VK_RETURN)});
    EXPECT_EQ(MsgBox("Outer", vbOKCancel), vbOK);
    EXPECT_EQ(inner_answer, vbNo);
    EXPECT_EQ(person.taken(), 3u);
    EXPECT_FALSE(win::IsWindow(outer));
    EXPECT_TRUE(win::IsWindowEnabled(form->hwnd()));
    EXPECT_TRUE(win::IsWindowEnabled(other));
    EXPECT_EQ(win::GetFocus(), form->hwnd());
}

TEST(MessageBoxLayout, PromptLinesIconAndButtonsInPlace)
{
    EXPECT_EQ(prompt_lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    const auto l = layout_message_box({13, 40, {100, 250}, true, 2});
    // 12 margin + 32 icon + 12, text 250 wide, 12 margin: 318.
    EXPECT_EQ(l.box.width(), 318);
    EXPECT_EQ(l.icon, (win::RECT{12, 33, 44, 65}));
    EXPECT_EQ(l.lines[1], (win::RECT{56, 49, 306, 62}));
    EXPECT_EQ(l.buttons[0], (win::RECT{81, 81, 156, 104}));
    EXPECT_EQ(l.buttons[1].left, 162);
    EXPECT_EQ(centred_on({0, 0, 200, 100}, 300, 50), (win::RECT{0, 25, 300, 75}));
}

} // namespace
} // namespace pendrel::test
