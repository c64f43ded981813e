// Validation when the focus moves between controls: by a click and by
// SetFocus, with Cancel, with CausesValidation off, and for windows that do
// not take part; and what hiding and disabling do to the focus.

#include "platform/controls/FocusValidation.h"

#include <gtest/gtest.h>

#include "platform/controls/ControlMessages.h"
#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/controls/ControlsTest.h"

namespace controls {
namespace {

using Events = std::vector<std::string>;

class FocusValidation : public pendrel::test::ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        a = &text_box(10, 10, 150, 24);
        b = &text_box(10, 40, 150, 24);
        log.watch(*a, "a");
        log.watch(*b, "b");
        a->SetFocus();
        log.clear();
    }

    void cancel_validation_of(TextBox& box, const std::string& name)
    {
        box.on_validate = [this, name](vb::Boolean& Cancel) {
            log.record(name + ".Validate");
            Cancel = true;
        };
    }

    TextBox* a = nullptr;
    TextBox* b = nullptr;
};

// Only the receiver's CausesValidation counts; the window manager's own
// SetFocus validates nothing.
TEST_F(FocusValidation, ClickValidatesTheControlBeingLeftUnlessTheReceiverSaysNo)
{
    a->let_CausesValidation(false);
    ui.click(b->get_hWnd());
    EXPECT_EQ(log.take(), (Events{"a.Validate", "a.LostFocus", "b.GotFocus"}));
    EXPECT_EQ(win::GetFocus(), b->get_hWnd());
    cancel_validation_of(*b, "b");
    ui.click(a->get_hWnd());
    win::SetFocus(b->get_hWnd());
    EXPECT_EQ(log.take(), (Events{"b.LostFocus", "a.GotFocus", "a.LostFocus", "b.GotFocus"}));
}

TEST_F(FocusValidation, CancelKeepsTheFocusAndIgnoresThePress)
{
    cancel_validation_of(*a, "a");
    b->let_Text("abcdef");
    log.clear();
    ui.click(b->get_hWnd(), {100, 10});
    EXPECT_EQ(log.take(), (Events{"a.Validate"}));
    EXPECT_EQ(win::GetFocus(), a->get_hWnd());
    EXPECT_EQ(b->get_SelStart(), 0);
    EXPECT_EQ(win::GetCapture(), 0U);
    ui.type("x");
    EXPECT_EQ(a->get_Text(), "x");
}

TEST_F(FocusValidation, SetFocusValidatesAndCanBeCancelled)
{
    cancel_validation_of(*a, "a");
    b->SetFocus();
    EXPECT_EQ(win::GetFocus(), a->get_hWnd());
    a->on_validate = nullptr;
    b->SetFocus();
    EXPECT_EQ(win::GetFocus(), b->get_hWnd());
    EXPECT_EQ(log.take(), (Events{"a.Validate", "a.LostFocus", "b.GotFocus"}));
}

// A validate handler that moves the focus itself does not start a second
// validation; the outer move then goes on to its target.
TEST_F(FocusValidation, NoValidationInsideValidation)
{
    TextBox& c = text_box(10, 70, 150, 24);
    log.watch(c, "c");
    a->on_validate = [&](vb::Boolean&) {
        log.record("a.Validate");
        EXPECT_TRUE(validation_running());
        c.SetFocus();
    };
    cancel_validation_of(c, "c");
    ui.click(b->get_hWnd());
    EXPECT_EQ(log.take(),
        (Events{"a.Validate", "a.LostFocus", "c.GotFocus", "c.LostFocus", "b.GotFocus"}));
    EXPECT_FALSE(validation_running());
}

TEST_F(FocusValidation, WindowsThatDoNotAnswerCauseNoValidation)
{
    cancel_validation_of(*a, "a");
    const win::HWND plain = child("plain", form, 200, 10, 50, 50);
    EXPECT_EQ(win::SendMessageA(plain, CM_CAUSESVALIDATION, 0, 0), 0);
    EXPECT_TRUE(move_focus(plain));
    EXPECT_EQ(win::GetFocus(), plain);
    EXPECT_EQ(log.take(), (Events{"a.LostFocus"}));
    EXPECT_FALSE(move_focus(0));
}

// Hiding or disabling the form leaves the focus where it is; hiding the
// focused box passes it to the form.
TEST_F(FocusValidation, HiddenOrDisabledControlsCannotTakeTheFocus)
{
    win::ShowWindow(b->get_hWnd(), win::SW_HIDE);
    EXPECT_FALSE(can_take_focus(b->get_hWnd()));
    EXPECT_VB_ERROR(b->SetFocus(), vb::err::InvalidProcedureCall);
    win::ShowWindow(b->get_hWnd(), win::SW_SHOW);
    EXPECT_TRUE(can_take_focus(b->get_hWnd()));
    win::EnableWindow(form, 0);
    EXPECT_FALSE(can_take_focus(b->get_hWnd()));
    win::ShowWindow(form, win::SW_HIDE);
    EXPECT_EQ(log.take(), (Events{}));
    win::EnableWindow(form, 1);
    win::ShowWindow(a->get_hWnd(), win::SW_HIDE);
    EXPECT_EQ(log.take(), (Events{"a.LostFocus"}));
    EXPECT_EQ(win::GetFocus(), form);
}

TEST_F(FocusValidation, ButtonClickValidatesAndCancelStopsTheClick)
{
    CommandButton& ok = button(200, 10, 60, 24);
    log.watch(ok, "ok");
    cancel_validation_of(*a, "a");
    ui.click(ok.get_hWnd());
    EXPECT_EQ(log.take(), (Events{"a.Validate"}));
    a->on_validate = nullptr;
    ui.click(ok.get_hWnd());
    EXPECT_EQ(log.take(), (Events{"a.LostFocus", "ok.GotFocus", "ok.Click"}));
}

} // namespace
} // namespace controls
