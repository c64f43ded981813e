#include "platform/win/User32.h"
#include "support/win/DesktopTest.h"

using namespace win;
using pendrel::test::input;
using pendrel::test::posted;

namespace {

class Queue : public pendrel::test::DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        a = top("a", 0, 0, 100, 100);
        b = top("b", 200, 0, 100, 100);
        recorder.ignore({WM_NCHITTEST});
    }
    HWND a = 0;
    HWND b = 0;
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

} // namespace
