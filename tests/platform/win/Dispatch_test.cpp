#include "platform/vb/Error.h"
#include "platform/win/User32.h"
#include "support/VbError.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;
using pendrel::test::posted;
using pendrel::test::sent;

namespace {

class Dispatch : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        a = top("a", 0, 0, 100, 100);
        b = top("b", 200, 0, 100, 100);
    }
    HWND a = 0;
    HWND b = 0;
};

TEST_F(Dispatch, SendNestedInSendRunsEachTargetBeforeItReturns)
{
    on(a, WM_USER, [this](HWND, WPARAM, LPARAM) { return SendMessageA(b, WM_USER + 1, 0, 0) + 1; });
    on(b, WM_USER + 1,
        [this](HWND, WPARAM, LPARAM) { return SendMessageA(a, WM_USER + 2, 7, 0) * 10; });
    on(a, WM_USER + 2, [](HWND, WPARAM w, LPARAM) { return static_cast<LRESULT>(w); });

    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 71);

    EXPECT_TRUE(recorder.matches({sent(a, WM_USER).at_depth(1), sent(b, WM_USER + 1).at_depth(2),
        sent(a, WM_USER + 2).at_depth(3).with_wparam(7)}));
    EXPECT_EQ(wm().delivery_depth(), 0);
}

// The window disappears from every lookup at once; its record lives until
// its procedures (the handler and the recorder around it) have returned.
TEST_F(Dispatch, HandlerThatDestroysItsOwnWindow)
{
    int mine = 42;
    SetWindowData(b, &mine);
    bool gone_inside = false;
    on(a, WM_USER, [&](HWND self, WPARAM, LPARAM) {
        EXPECT_TRUE(DestroyWindow(self));
        gone_inside = IsWindow(self) == 0 && GetWindowData(self) == nullptr;
        // Still usable afterwards, as a dead handle.
        EXPECT_EQ(DefWindowProcA(self, WM_GETTEXTLENGTH, 0, 0), 0);
        EXPECT_EQ(SetCapture(self), 0U);
        return 5;
    });

    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 5);

    EXPECT_TRUE(gone_inside);
    EXPECT_TRUE(recorder.matches({sent(a, WM_USER).at_depth(1), sent(a, WM_SHOWWINDOW).at_depth(2),
        sent(a, WM_WINDOWPOSCHANGED).at_depth(2), sent(a, WM_DESTROY).at_depth(2),
        sent(a, WM_NCDESTROY).at_depth(2)}));
    EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 0) << "a destroyed window gets nothing";
    EXPECT_EQ(GetWindowData(b), &mine);
}

// A child's handler destroys its parent (and so itself) while an outer
// handler of the child is still on the stack.
TEST_F(Dispatch, HandlerThatDestroysTheTreeItLivesIn)
{
    const HWND inner = child("inner", a, 10, 10, 20, 20);
    on(inner, WM_USER,
        [](HWND self, WPARAM, LPARAM) { return SendMessageA(self, WM_USER + 1, 0, 0); });
    on(inner, WM_USER + 1, [this](HWND self, WPARAM, LPARAM) {
        DestroyWindow(a);
        return static_cast<LRESULT>(IsWindow(self)) + IsWindow(a);
    });

    EXPECT_EQ(SendMessageA(inner, WM_USER, 0, 0), 0);

    EXPECT_TRUE(
        recorder.matches({sent(inner, WM_USER).at_depth(1), sent(inner, WM_USER + 1).at_depth(2),
            sent(a, WM_SHOWWINDOW).at_depth(3), sent(a, WM_WINDOWPOSCHANGED).at_depth(3),
            sent(a, WM_DESTROY).at_depth(3), sent(inner, WM_DESTROY).at_depth(3),
            sent(inner, WM_NCDESTROY).at_depth(3), sent(a, WM_NCDESTROY).at_depth(3)}));
}

TEST_F(Dispatch, RunawayNestingRaisesOutOfStackSpaceAndResetWaitsForTheProcedures)
{
    on(b, WM_USER, [](HWND, WPARAM, LPARAM) {
        EXPECT_VB_ERROR(WindowManager::reset(), vb::err::InvalidProcedureCall);
        return 0;
    });
    SendMessageA(b, WM_USER, 0, 0);
    EXPECT_TRUE(IsWindow(b)) << "reset refused while a procedure runs";
    on(a, WM_USER, [](HWND self, WPARAM, LPARAM) { return SendMessageA(self, WM_USER, 0, 0); });
    recorder.ignore({WM_USER});

    EXPECT_VB_ERROR(SendMessageA(a, WM_USER, 0, 0), vb::err::OutOfStackSpace);
    EXPECT_EQ(wm().delivery_depth(), 0) << "every level unwound";
    EXPECT_TRUE(DestroyWindow(a)) << "and the window is free again";
}

class Queue : public Dispatch {
protected:
    void SetUp() override
    {
        Dispatch::SetUp();
        recorder.ignore({WM_NCHITTEST});
    }
};

// Posted messages wait for the pump and keep their order; input waits for
// every posted message, also those posted while handling the input before it.
TEST_F(Queue, PostedMessagesKeepTheirOrderAndComeBeforeTheNextInput)
{
    on(a, WM_LBUTTONDOWN, [](HWND self, WPARAM, LPARAM) {
        return LRESULT{PostMessageA(self, WM_USER + 1, 0, 0) * 0};
    });
    wm().inject_button_down({50, 50});
    wm().inject_button_up({50, 50});
    EXPECT_TRUE(PostMessageA(a, WM_USER, 1, 0));
    EXPECT_TRUE(PostMessageA(b, WM_USER, 2, 0));
    EXPECT_TRUE(recorder.messages().empty());

    EXPECT_EQ(PumpMessages(), 5);

    EXPECT_TRUE(recorder.matches({posted(a, WM_USER).at_depth(1).with_wparam(1),
        posted(b, WM_USER).at_depth(1).with_wparam(2), input(a, WM_LBUTTONDOWN),
        posted(a, WM_USER + 1), input(a, WM_LBUTTONUP)}));
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(Queue, MessagesForMissingWindowsAreRefusedOrDropped)
{
    EXPECT_FALSE(PostMessageA(0, WM_USER, 0, 0)) << "no thread messages";
    EXPECT_FALSE(PostMessageA(0x7FFFFFF0, WM_USER, 0, 0));
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_USER, 0, 0);
    DestroyWindow(a);
    recorder.clear();

    EXPECT_EQ(PumpMessages(), 1);

    EXPECT_TRUE(recorder.matches({posted(b, WM_USER)}));
}

TEST_F(Queue, APumpInsideAHandlerTakesEachMessageOnce)
{
    on(a, WM_USER, [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(PumpMessages()); });
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_USER + 1, 0, 0);
    PostMessageA(b, WM_USER + 2, 0, 0);

    EXPECT_EQ(PumpMessages(), 1) << "the inner pump delivered the other two";

    EXPECT_TRUE(recorder.matches({posted(a, WM_USER).at_depth(1),
        posted(b, WM_USER + 1).at_depth(2), posted(b, WM_USER + 2).at_depth(2)}));
}

class WindowText : public pendrel::test::DesktopTest {};

// The text goes through the window's procedure; copies never cut a
// character; broken text is refused and the window is not asked.
TEST_F(WindowText, IsUtf8ThroughTheProcedureAndCopiesNeverCutACharacter)
{
    using namespace std::string_view_literals;
    const HWND w = top("w", 0, 0, 10, 10);
    EXPECT_TRUE(SetWindowTextA(w, "Zürich"));
    EXPECT_EQ(GetWindowText(w), "Zürich");
    EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), 7) << "bytes";
    EXPECT_TRUE(SendMessageA(w, WM_SETTEXT, 0, 0)) << "no text is the empty text";
    EXPECT_EQ(GetWindowText(w), "");
    SetWindowTextA(w, "aü€");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(GetWindowTextA(w, buffer, 3), 1) << "ü needs two bytes, only two fit with the NUL";
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(GetWindowTextA(w, buffer, 4), 3);
    EXPECT_STREQ(buffer, "aü");
    EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
    EXPECT_EQ(GetWindowTextA(0x7FFFFFF0, buffer, 8), 0);
    EXPECT_STREQ(buffer, "");
    // A lone continuation byte, a cut sequence, an overlong slash, a
    // surrogate, beyond Unicode, an embedded NUL.
    for (std::string_view broken :
        {"a\x80"sv, "\xC3"sv, "\xC0\xAF"sv, "\xED\xA0\x80"sv, "\xF4\x90\x80\x80"sv, "a\0b"sv}) {
        EXPECT_FALSE(SetWindowTextA(w, broken)) << broken.size();
        EXPECT_EQ(GetWindowText(w), "aü€");
    }
    EXPECT_EQ(recorder.only(WM_SETTEXT).size(), 3U) << "one for each text taken";
}

} // namespace
