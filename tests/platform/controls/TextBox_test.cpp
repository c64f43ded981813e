// The text box's properties and window text: Text, the selection in
// characters, WM_SETTEXT / WM_GETTEXT, when Change is raised and checked
// values.

#include "platform/controls/TextBox.h"

#include <gtest/gtest.h>

#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;
constexpr vb::Long k_invalid = vb::err::InvalidPropertyValue;

class TextBoxProperties : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        box = &text_box(10, 10, 200, 24);
        log.watch(*box, "txt");
    }

    win::LRESULT send_text(const std::string& text)
    {
        return win::SendMessageA(
            box->get_hWnd(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text.c_str()));
    }
    void select(vb::Long start, vb::Long length)
    {
        box->let_SelStart(start);
        box->let_SelLength(length);
    }

    TextBox* box = nullptr;
};

// Every setting puts the caret at the start; Change follows only a text
// that differs.
TEST_F(TextBoxProperties, ChangeOnlyWhenTheTextReallyChanges)
{
    box->let_Text("Łódź");
    EXPECT_EQ(log.take(), (Events{"txt.Change"}));
    select(1, 2);
    box->let_Text("Łódź");
    EXPECT_EQ(box->get_SelStart(), 0);
    EXPECT_EQ(box->get_SelLength(), 0);
    EXPECT_EQ(send_text("Łódź"), 1);
    select(1, 1);
    box->let_SelText("ó");
    EXPECT_EQ(log.take(), Events{});
    EXPECT_EQ(win::SetWindowTextA(box->get_hWnd(), "Lodz"), 1);
    select(0, 1);
    box->let_SelText("T");
    box->let_Text("");
    EXPECT_EQ(log.take(), (Events{"txt.Change", "txt.Change", "txt.Change"}));
}

// Positions count characters (a line break set by the program is two);
// beyond the text they are cut, negative ones refused. Setting SelStart
// selects nothing.
TEST_F(TextBoxProperties, SelectionCountsCharacters)
{
    box->let_Text("Łódź\r\nZürich");
    select(6, 6);
    EXPECT_EQ(box->get_SelText(), "Zürich");
    box->let_SelText("Köln");
    EXPECT_EQ(box->get_Text(), "Łódź\r\nKöln");
    EXPECT_EQ(box->get_SelStart(), 10);
    EXPECT_EQ(box->get_SelLength(), 0);
    select(3, 99);
    EXPECT_EQ(box->get_SelText(), "ź\r\nKöln");
    box->let_SelStart(2);
    EXPECT_EQ(box->get_SelLength(), 0);
    box->let_SelStart(70000);
    EXPECT_EQ(box->get_SelStart(), 10);
    EXPECT_VB_ERROR(box->let_SelStart(-1), k_invalid);
    EXPECT_VB_ERROR(box->let_SelLength(-1), k_invalid);
    EXPECT_EQ(log.take(), (Events{"txt.Change", "txt.Change"}));
}

TEST_F(TextBoxProperties, WindowTextReadsTheContentsAndTheBoxOutlivesItsWindow)
{
    box->let_Text("Zürich");
    EXPECT_EQ(win::GetWindowText(box->get_hWnd()), "Zürich");
    EXPECT_EQ(win::SendMessageA(box->get_hWnd(), win::WM_GETTEXTLENGTH, 0, 0), 7);
    char small[3] = {'?', '?', '?'};
    // Room for two bytes: "Z" and half of "ü" -- the half is left out.
    EXPECT_EQ(win::GetWindowTextA(box->get_hWnd(), small, 3), 1);
    EXPECT_STREQ(small, "Z");
    EXPECT_EQ(TextBox::from_hwnd(box->get_hWnd()), box);
    EXPECT_EQ(TextBox::from_hwnd(form), nullptr); // a window whose data is something else
    win::DestroyWindow(box->get_hWnd());
    EXPECT_EQ(box->get_hWnd(), 0U);
    box->let_Text("def");
    EXPECT_EQ(box->get_Text(), "def");
    EXPECT_VB_ERROR(box->SetFocus(), vb::err::InvalidProcedureCall);
}

// Broken UTF-8, NUL and more than the most characters a box holds, and
// colours and styles out of range.
TEST_F(TextBoxProperties, BrokenOrOverlongTextAndBadValuesAreRefused)
{
    box->let_Text("keep");
    log.clear();
    EXPECT_EQ(send_text("Z\xC3("), 0);
    EXPECT_VB_ERROR(box->let_Text(std::string("a\0b", 3)), k_invalid);
    EXPECT_VB_ERROR(box->let_SelText("\xE2\x82"), k_invalid);
    EXPECT_EQ(box->get_Text(), "keep");
    EXPECT_EQ(log.take(), Events{});
    box->let_Text(std::string(EditText::k_max_length - 1, 'x'));
    box->let_SelStart(EditText::k_max_length);
    box->let_SelText("ü"); // the last character that fits: two bytes, one character
    EXPECT_VB_ERROR(box->let_SelText("y"), k_invalid);
    EXPECT_EQ(send_text(box->get_Text() + "y"), 0);
    box->SetFocus();
    ui.type("z"); // a full box types nothing
    EXPECT_EQ(box->get_Text().size(), EditText::k_max_length + 1U);
    EXPECT_VB_ERROR(box->let_BackColor(0x12345678), k_invalid);
    EXPECT_VB_ERROR(box->let_ForeColor(0x800000FF), k_invalid);
    EXPECT_VB_ERROR(box->let_Appearance(2), k_invalid);
    EXPECT_VB_ERROR(box->let_BorderStyle(-1), k_invalid);
    EXPECT_VB_ERROR(box->set_Font(nullptr), vb::err::ObjectRequired);
    box->let_BackColor(0x8000000F); // a system colour is a good value
}

} // namespace
} // namespace controls
