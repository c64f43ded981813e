// What every control shares, across threads: controls of one thread never
// meet another's, and a parent from another thread is refused.

#include "platform/controls/ControlWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/controls/TextBox.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"
#include "support/VbError.h"
#include "support/controls/Ui.h"

namespace controls {
namespace {

// Each thread has its own desktop: a box made and typed into there, with
// its own focus and capture.
std::string type_on_a_thread_of_its_own(const std::string& text, win::HWND& handle)
{
    win::WindowManager::reset();
    std::string result;
    {
        TextBox box(0, win::RECT{10, 10, 210, 34});
        handle = box.get_hWnd();
        box.SetFocus();
        pendrel::test::Ui ui;
        ui.type(text);
        result = box.get_Text();
    }
    win::WindowManager::reset();
    return result;
}

// A handle of another thread's window is no parent here.
TEST(ControlWindow, ControlsOnTwoThreadsStayApart)
{
    win::WindowManager::reset();
    win::HWND first = 0;
    win::HWND second = 0;
    std::string first_text;
    std::string second_text;
    std::thread a([&] { first_text = type_on_a_thread_of_its_own("Zürich", first); });
    std::thread b([&] { second_text = type_on_a_thread_of_its_own("Łódź", second); });
    a.join();
    b.join();
    EXPECT_EQ(first_text, "Zürich");
    EXPECT_EQ(second_text, "Łódź");
    EXPECT_NE(first, second);
    EXPECT_VB_ERROR(TextBox(first, win::RECT{0, 0, 10, 10}), vb::err::InvalidProcedureCall);
}

} // namespace
} // namespace controls
