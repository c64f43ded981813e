// The text box driven by injected keys and mouse input: notification order,
// what a key-press handler can do, editing by keys, read-only, the mouse.

#include <gtest/gtest.h>

#include "platform/controls/KeyCodes.h"
#include "platform/controls/TextBox.h"
#include "platform/win/User32.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;

class TextBoxInput : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        box = &text_box(10, 10, 200, 24);
        log.watch(*box, "txt");
        box->SetFocus();
        log.clear();
    }

    // The pixel column of a character boundary.
    int x_of(vb::Long position)
    {
        box->let_SelStart(position);
        return box->caret_x();
    }

    TextBox* box = nullptr;
};

// Change sees the new text and caret; a character beyond the basic plane
// is typed whole.
TEST_F(TextBoxInput, TypingNotifiesKeyDownKeyPressChangeKeyUp)
{
    box->on_change = [this] {
        log.record("txt.Change " + box->get_Text() + "|" + std::to_string(box->get_SelStart()));
    };
    ui.type("Zü");
    EXPECT_EQ(log.take(),
        (Events{"txt.KeyDown 90 0", "txt.KeyPress 90", "txt.Change Z|1", "txt.KeyUp 90 0",
            "txt.KeyDown 231 0", "txt.KeyPress 252", "txt.Change Zü|2", "txt.KeyUp 231 0"}));
    ui.type("語\U0010FFFF");
    EXPECT_EQ(box->get_Text(), "Zü語\xF4\x8F\xBF\xBF");
    EXPECT_EQ(box->get_SelStart(), 4);
}

TEST_F(TextBoxInput, KeyPressSuppressesOrReplacesTheCharacterAndKeyCodeZeroStopsTheKey)
{
    box->on_key_press = [this](vb::Integer& KeyAscii) {
        log.record("txt.KeyPress " + std::to_string(KeyAscii));
        KeyAscii = KeyAscii == 'x' ? 0 : static_cast<vb::Integer>(KeyAscii - 32);
    };
    ui.type("axb");
    EXPECT_EQ(box->get_Text(), "AB");
    const Events events = log.take();
    ASSERT_EQ(events.size(), 11U);
    EXPECT_EQ(Events(events.begin() + 4, events.begin() + 7),
        (Events{"txt.KeyDown 88 0", "txt.KeyPress 120", "txt.KeyUp 88 0"}));
    box->let_Text("Zürich");
    box->on_key_down = [](vb::Integer& KeyCode, vb::Integer&) {
        if (KeyCode == vbKeyDelete || KeyCode == vbKeyEnd) {
            KeyCode = 0;
        }
    };
    ui.press(win::VK_DELETE);
    ui.press(win::VK_END);
    EXPECT_EQ(box->get_Text(), "Zürich");
    EXPECT_EQ(box->get_SelStart(), 0);
}

// Enter types nothing; Backspace edits through its character, Delete at key down.
TEST_F(TextBoxInput, EnterBackspaceAndDeleteNotifyInOrder)
{
    ui.type("Łóż");
    log.clear();
    ui.press(win::VK_RETURN);
    EXPECT_EQ(log.take(), (Events{"txt.KeyDown 13 0", "txt.KeyPress 13", "txt.KeyUp 13 0"}));
    EXPECT_EQ(box->get_Text(), "Łóż");
    ui.press(win::VK_BACK);
    EXPECT_EQ(
        log.take(), (Events{"txt.KeyDown 8 0", "txt.KeyPress 8", "txt.Change", "txt.KeyUp 8 0"}));
    EXPECT_EQ(box->get_Text(), "Łó");
    ui.press(win::VK_HOME);
    log.clear();
    ui.press(win::VK_DELETE);
    EXPECT_EQ(log.take(), (Events{"txt.KeyDown 46 0", "txt.Change", "txt.KeyUp 46 0"}));
    EXPECT_EQ(box->get_Text(), "ó");
}

// A single line: Up and Down step as Left and Right, from the caret.
TEST_F(TextBoxInput, ArrowsMoveByCharactersAndShiftSelects)
{
    box->let_Text("日本語");
    ui.press(win::VK_END);
    log.clear();
    ui.press_shifted(win::VK_LEFT);
    EXPECT_EQ(log.take(),
        (Events{"txt.KeyDown 16 1", "txt.KeyDown 37 1", "txt.KeyUp 37 1", "txt.KeyUp 16 0"}));
    ui.press_shifted(win::VK_LEFT);
    EXPECT_EQ(box->get_SelText(), "本語");
    ui.press(win::VK_UP);
    EXPECT_EQ(box->get_SelStart(), 0);
    EXPECT_EQ(box->get_SelLength(), 0);
    ui.press(win::VK_DOWN);
    EXPECT_EQ(box->get_SelStart(), 1);
}

TEST_F(TextBoxInput, LockedRaisesKeysButEditsNothing)
{
    box->let_Locked(true);
    box->let_Text("Zürich");
    EXPECT_EQ(log.take(), (Events{"txt.Change"})); // the program still may
    ui.type("a");
    ui.press(win::VK_DELETE);
    ui.press(win::VK_BACK);
    EXPECT_EQ(box->get_Text(), "Zürich");
    EXPECT_EQ(log.take(),
        (Events{"txt.KeyDown 65 0", "txt.KeyPress 97", "txt.KeyUp 65 0", "txt.KeyDown 46 0",
            "txt.KeyUp 46 0", "txt.KeyDown 8 0", "txt.KeyPress 8", "txt.KeyUp 8 0"}));
    ui.press_shifted(win::VK_END);
    EXPECT_EQ(box->get_SelLength(), 6);
    box->let_Locked(false);
    ui.type("x");
    EXPECT_EQ(box->get_Text(), "x");
}

// Shift-press extends. The list posts a release to the text field after
// every release over it: without a drag it does nothing.
TEST_F(TextBoxInput, PressPlacesTheCaretShiftExtendsAndDragSelectsWithTheCaptureHeld)
{
    box->let_Text("Zürich");
    const int from = x_of(1);
    const int third = x_of(3);
    const int to = x_of(4);
    const win::HWND hwnd = box->get_hWnd();
    ui.click(hwnd, {from, 10});
    EXPECT_EQ(box->get_SelStart(), 1);
    EXPECT_EQ(box->get_SelLength(), 0);
    ui.key_down(win::VK_SHIFT);
    ui.click(hwnd, {third, 10});
    ui.key_up(win::VK_SHIFT);
    EXPECT_EQ(box->get_SelText(), "ür");
    ui.button_down(hwnd, {from, 10});
    EXPECT_EQ(win::GetCapture(), hwnd);
    ui.move_to(hwnd, {to, 10});
    EXPECT_EQ(box->get_SelText(), "üri");
    ui.button_up(hwnd, {to, 10});
    EXPECT_EQ(win::GetCapture(), 0U);
    ui.move_to(hwnd, {from, 10}); // no longer dragging
    win::PostMessageA(hwnd, win::WM_LBUTTONUP, win::MK_LBUTTON, win::MAKELPARAM(900, 900));
    win::PumpMessages();
    EXPECT_EQ(box->get_SelStart(), 1);
    EXPECT_EQ(box->get_SelLength(), 3);
    ui.drag(hwnd, {to, 10}, {-50, 10}); // backwards, past the left edge
    EXPECT_EQ(box->get_SelText(), "Züri");
    box->let_Text("abcdef");
    ui.button_down(hwnd, {3, 10});
    win::SetCapture(form);
    win::ReleaseCapture();
    ui.move_to(hwnd, {150, 10}); // over the box, still pressed
    EXPECT_EQ(box->get_SelLength(), 0);
}

// The sanitizer build checks nothing touches a box freed by its own handler.
TEST_F(TextBoxInput, HandlersMayDestroyTheBox)
{
    TextBox& other = text_box(10, 40, 200, 24);
    box->on_key_press = [this](vb::Integer&) { destroy(*box); };
    other.on_change = [this, &other] { destroy(other); };
    const win::HWND hwnd = box->get_hWnd();
    const win::HWND other_hwnd = other.get_hWnd();
    ui.type("ab");
    EXPECT_EQ(win::IsWindow(hwnd), 0);
    other.SetFocus();
    ui.type("a");
    EXPECT_EQ(win::IsWindow(other_hwnd), 0);
}

} // namespace
} // namespace controls
