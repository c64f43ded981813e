// The text box's properties and window text: Text, the selection in
// characters, WM_SETTEXT / WM_GETTEXT, when Change is raised, fonts and
// checked values.

#include "platform/controls/TextBox.h"

#include <gtest/gtest.h>

#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;

class TextBoxProperties : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        box = &text_box(10, 10, 200, 24);
        log.watch(*box, "txt");
    }

    win::LRESULT send_text(const char* text)
    {
        return win::SendMessageA(
            box->get_hWnd(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(text));
    }

    TextBox* box = nullptr;
};

long error_number(const std::function<void()>& action)
{
    try {
        action();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

TEST_F(TextBoxProperties, ChangeOnlyWhenTheTextReallyChanges)
{
    box->let_Text("Zürich");
    EXPECT_EQ(log.take(), (Events{"txt.Change"}));
    box->let_Text("Zürich");
    EXPECT_EQ(send_text("Zürich"), 1);
    EXPECT_EQ(win::SetWindowTextA(box->get_hWnd(), "Zürich"), 1);
    box->let_SelStart(1);
    box->let_SelLength(1);
    box->let_SelText("ü");
    EXPECT_EQ(log.take(), Events{});
    EXPECT_EQ(win::SetWindowTextA(box->get_hWnd(), "Zurich"), 1);
    box->let_SelStart(0);
    box->let_SelLength(1);
    box->let_SelText("T");
    box->let_Text("");
    EXPECT_EQ(log.take(), (Events{"txt.Change", "txt.Change", "txt.Change"}));
}

TEST_F(TextBoxProperties, SelectionCountsCharacters)
{
    box->let_Text("Łódź Zürich");
    box->let_SelStart(5);
    box->let_SelLength(6);
    EXPECT_EQ(box->get_SelText(), "Zürich");
    box->let_SelText("Köln");
    EXPECT_EQ(box->get_Text(), "Łódź Köln");
    EXPECT_EQ(box->get_SelStart(), 9);
    EXPECT_EQ(box->get_SelLength(), 0);
    EXPECT_EQ(log.take(), (Events{"txt.Change", "txt.Change"}));
}

TEST_F(TextBoxProperties, SelectionBeyondTheTextIsCut)
{
    box->let_Text("abc");
    box->let_SelStart(70000);
    EXPECT_EQ(box->get_SelStart(), 3);
    EXPECT_EQ(error_number([&] { box->let_SelStart(-1); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_number([&] { box->let_SelLength(-1); }), vb::err::InvalidPropertyValue);
}

TEST_F(TextBoxProperties, WindowTextReadsTheContents)
{
    box->let_Text("Zürich");
    EXPECT_EQ(win::GetWindowText(box->get_hWnd()), "Zürich");
    EXPECT_EQ(win::SendMessageA(box->get_hWnd(), win::WM_GETTEXTLENGTH, 0, 0), 7);
    char small[3] = {'?', '?', '?'};
    // Room for two bytes: "Z" and half of "ü" -- the half is left out.
    EXPECT_EQ(win::GetWindowTextA(box->get_hWnd(), small, 3), 1);
    EXPECT_STREQ(small, "Z");
}

TEST_F(TextBoxProperties, BrokenTextIsRefusedWhole)
{
    box->let_Text("keep");
    log.clear();
    EXPECT_EQ(send_text("Z\xC3("), 0);
    EXPECT_EQ(error_number([&] { box->let_Text(std::string("a\0b", 3)); }),
        vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_number([&] { box->let_SelText("\xE2\x82"); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(box->get_Text(), "keep");
    EXPECT_EQ(log.take(), Events{});
}

TEST_F(TextBoxProperties, OverlongTextIsRefused)
{
    const std::string longest(EditText::k_max_length, 'x');
    box->let_Text(longest);
    EXPECT_EQ(box->get_SelStart(), 0);
    box->let_SelStart(EditText::k_max_length);
    EXPECT_EQ(error_number([&] { box->let_SelText("y"); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(send_text((longest + "y").c_str()), 0);
    EXPECT_EQ(box->get_Text().size(), longest.size());
    box->SetFocus();
    ui.type("z"); // a full box types nothing
    EXPECT_EQ(box->get_Text().size(), longest.size());
}

TEST_F(TextBoxProperties, ControlCharactersSetByTheProgramAreKept)
{
    box->let_Text("a\tb\r\nc \"q\"");
    EXPECT_EQ(box->get_Text(), "a\tb\r\nc \"q\"");
    box->let_SelStart(2);
    box->let_SelLength(3);
    EXPECT_EQ(box->get_SelText(), "b\r\n");
}

TEST_F(TextBoxProperties, FontIsSharedByReference)
{
    TextBox& other = text_box(10, 40, 200, 24);
    other.set_Font(box->get_Font());
    box->let_FontBold(true);
    box->let_FontSize(12.0F);
    EXPECT_TRUE(other.get_FontBold());
    EXPECT_FLOAT_EQ(other.get_FontSize(), 12.0F);
    other.get_Font()->let_Italic(true);
    EXPECT_TRUE(box->get_FontItalic());
    EXPECT_EQ(error_number([&] { box->set_Font(nullptr); }), vb::err::ObjectRequired);
    EXPECT_EQ(error_number([&] { box->let_FontSize(-1.0F); }), vb::err::InvalidPropertyValue);
}

TEST_F(TextBoxProperties, FromHwndFindsOnlyTextBoxes)
{
    EXPECT_EQ(TextBox::from_hwnd(box->get_hWnd()), box);
    EXPECT_EQ(TextBox::from_hwnd(form), nullptr); // a window whose data is something else
    EXPECT_EQ(TextBox::from_hwnd(0xDEAD), nullptr);
}

TEST_F(TextBoxProperties, BadValuesAreRefused)
{
    EXPECT_EQ(error_number([&] { box->let_BackColor(0x12345678); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_number([&] { box->let_ForeColor(0x800000FF); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_number([&] { box->let_Appearance(2); }), vb::err::InvalidPropertyValue);
    EXPECT_EQ(error_number([&] { box->let_BorderStyle(-1); }), vb::err::InvalidPropertyValue);
    box->let_BackColor(0x8000000F); // a system colour is a good value
}

TEST_F(TextBoxProperties, OutlivesItsWindow)
{
    box->let_Text("abc");
    win::DestroyWindow(box->get_hWnd());
    EXPECT_EQ(box->get_hWnd(), 0U);
    box->let_Text("def");
    EXPECT_EQ(box->get_Text(), "def");
    EXPECT_EQ(error_number([&] { box->SetFocus(); }), vb::err::InvalidProcedureCall);
}

} // namespace
} // namespace controls
