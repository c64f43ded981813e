// The text box driven by injected keys and mouse input: notification order,
// what a key-press handler can do, editing by keys, read-only, the mouse.

#include <gtest/gtest.h>

#include "platform/controls/KeyCodes.h"
#include "platform/controls/TextBox.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using pendrel::test::VK_PACKET;
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

    TextBox* box = nullptr;
};

// Change sees the new text and caret.
TEST_F(TextBoxInput, TypingNotifiesKeyDownKeyPressChangeKeyUp)
{
    box->on_change = [this] {
        log.record("txt.Change " + box->get_Text() + "|" + std::to_string(box->get_SelStart()));
    };
    ui.type("Zü");
    EXPECT_EQ(log.take(),
        (Events{"txt.KeyDown 90 0", "txt.KeyPress 90", "txt.Change Z|1", "txt.KeyUp 90 0",
            "txt.KeyDown 231 0", "txt.KeyPress 252", "txt.Change Zü|2", "txt.KeyUp 231 0"}));
    ui.type("😀"); // beyond the basic plane: one character, typed whole
    EXPECT_EQ(box->get_Text(), "Zü😀");
    EXPECT_EQ(box->get_SelStart(), 3);
}

TEST_F(TextBoxInput, KeyPressHandlerSuppressesOrReplacesTheCharacter)
{
    box->on_key_press = [this](vb::Integer& KeyAscii) {
        log.record("txt.KeyPress " + std::to_string(KeyAscii));
        if (KeyAscii == 'x' || KeyAscii == vbKeyBack) {
            KeyAscii = 0;
        } else if (KeyAscii == 252) {
            KeyAscii = 220; // ü -> Ü
        } else if (KeyAscii >= 'a' && KeyAscii <= 'z') {
            KeyAscii = static_cast<vb::Integer>(KeyAscii - 32);
        }
    };
    ui.type("axbü");
    EXPECT_EQ(box->get_Text(), "ABÜ");
    const Events events = log.take();
    EXPECT_EQ(std::count(events.begin(), events.end(), "txt.Change"), 3);
    EXPECT_EQ(Events(events.begin() + 4, events.begin() + 7),
        (Events{"txt.KeyDown 88 0", "txt.KeyPress 120", "txt.KeyUp 88 0"}));
    ui.press(win::VK_BACK); // suppressed too: erases nothing
    EXPECT_EQ(box->get_Text(), "ABÜ");
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

TEST_F(TextBoxInput, KeyCodeZeroInKeyDownStopsTheKey)
{
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

TEST_F(TextBoxInput, ShiftIsReportedAndSelects)
{
    box->let_Text("Zür");
    ui.press(win::VK_END);
    log.clear();
    ui.press_shifted(win::VK_LEFT);
    EXPECT_EQ(log.take(),
        (Events{"txt.KeyDown 16 1", "txt.KeyDown 37 1", "txt.KeyUp 37 1", "txt.KeyUp 16 0"}));
    ui.press_shifted(win::VK_LEFT);
    EXPECT_EQ(box->get_SelStart(), 1);
    EXPECT_EQ(box->get_SelLength(), 2);
    EXPECT_EQ(box->get_SelText(), "ür");
    ui.type("a");
    EXPECT_EQ(box->get_Text(), "Za");
}

TEST_F(TextBoxInput, EndAndArrowsMoveByCharacters)
{
    box->let_Text("日本語");
    ui.press(win::VK_END);
    EXPECT_EQ(box->get_SelStart(), 3);
    ui.press(win::VK_LEFT);
    ui.press(win::VK_UP); // a single line: Up steps left
    EXPECT_EQ(box->get_SelStart(), 1);
    ui.press(win::VK_DOWN);
    EXPECT_EQ(box->get_SelStart(), 2);
}

TEST_F(TextBoxInput, ReadOnlyRaisesKeysButEditsNothing)
{
    TextBox& locked = text_box(10, 40, 200, 24, win::WS_VISIBLE | win::ES_READONLY);
    log.watch(locked, "ro");
    locked.let_Text("Zürich");
    EXPECT_EQ(log.take(), (Events{"ro.Change"})); // the program still may
    locked.SetFocus();
    log.clear();
    ui.type("a");
    ui.press(win::VK_DELETE);
    ui.press(win::VK_BACK);
    EXPECT_EQ(locked.get_Text(), "Zürich");
    for (const std::string& e : log.take()) {
        EXPECT_EQ(e.find("Change"), std::string::npos) << e;
    }
    ui.press_shifted(win::VK_END);
    EXPECT_EQ(locked.get_SelLength(), 6);
    locked.let_Locked(false);
    ui.type("x");
    EXPECT_EQ(locked.get_Text(), "x");
}

TEST_F(TextBoxInput, PressPlacesTheCaretAndShiftPressExtends)
{
    box->let_Text("abcdef");
    box->let_SelStart(3);
    const int x3 = box->caret_x();
    box->let_SelStart(1);
    const int x1 = box->caret_x();
    box->let_SelStart(5);
    ui.click(box->get_hWnd(), {x1, 10});
    EXPECT_EQ(box->get_SelStart(), 1);
    EXPECT_EQ(box->get_SelLength(), 0);
    ui.key_down(win::VK_SHIFT);
    ui.click(box->get_hWnd(), {x3, 10});
    ui.key_up(win::VK_SHIFT);
    EXPECT_EQ(box->get_SelText(), "bc");
}

TEST_F(TextBoxInput, DragSelectsWithTheCaptureHeld)
{
    box->let_Text("Zürich");
    box->let_SelStart(1);
    const int from = box->caret_x();
    box->let_SelStart(4);
    const int to = box->caret_x();
    const win::HWND hwnd = box->get_hWnd();
    ui.button_down(hwnd, {from, 10});
    EXPECT_EQ(win::GetCapture(), hwnd);
    ui.move_to(hwnd, {to, 10});
    EXPECT_EQ(box->get_SelText(), "üri");
    ui.button_up(hwnd, {to, 10});
    EXPECT_EQ(win::GetCapture(), 0U);
    EXPECT_EQ(box->get_SelStart(), 1);
    EXPECT_EQ(box->get_SelLength(), 3);
    ui.move_to(hwnd, {from, 10}); // no longer dragging
    EXPECT_EQ(box->get_SelLength(), 3);
    // The list posts a release to the text field after every release over it.
    win::PostMessageA(hwnd, win::WM_LBUTTONUP, win::MK_LBUTTON, win::MAKELPARAM(900, 900));
    win::PumpMessages();
    EXPECT_EQ(box->get_SelLength(), 3);
    ui.drag(hwnd, {to, 10}, {-50, 10}); // backwards, past the left edge
    EXPECT_EQ(box->get_SelStart(), 0);
    EXPECT_EQ(box->get_SelText(), "Züri");
}

TEST_F(TextBoxInput, CaptureTakenAwayEndsTheDrag)
{
    box->let_Text("abcdef");
    const win::HWND hwnd = box->get_hWnd();
    ui.button_down(hwnd, {3, 10});
    win::SetCapture(form);
    ui.move_to(hwnd, {150, 10});
    EXPECT_EQ(box->get_SelLength(), 0);
    ui.button_up(hwnd, {150, 10});
    EXPECT_EQ(win::GetCapture(), form);
}

TEST_F(TextBoxInput, DisabledBoxGetsNoInput)
{
    TextBox& other = text_box(10, 40, 200, 24);
    other.let_Enabled(false);
    EXPECT_THROW(other.SetFocus(), vb::Error);
    ui.click(other.get_hWnd());
    EXPECT_EQ(win::GetFocus(), box->get_hWnd());
    ui.type("a");
    EXPECT_EQ(other.get_Text(), "");
    EXPECT_EQ(box->get_Text(), "a");
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
