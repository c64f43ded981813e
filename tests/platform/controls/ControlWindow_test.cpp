// What every control shares: finding its object from a handle of its own
// thread only, and windows of one thread never meeting another's.

#include "platform/controls/ControlWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/controls/ScrollBar.h"
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

TEST(ControlWindow, ControlsOnTwoThreadsStayApart)
{
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
}

TEST(ControlWindow, AnotherThreadsHandleFindsNothing)
{
    win::WindowManager::reset();
    ScrollBar bar(0, win::RECT{0, 0, 17, 100}, true);
    const win::HWND hwnd = bar.get_hWnd();
    ControlWindow* seen = &bar;
    std::thread other([&] { seen = ControlWindow::from_hwnd(hwnd); });
    other.join();
    EXPECT_EQ(seen, nullptr);
    EXPECT_EQ(ControlWindow::from_hwnd(hwnd), &bar);
    EXPECT_EQ(TextBox::from_hwnd(hwnd), nullptr) << "a scroll bar is no text box";
}

TEST(ControlWindow, ParentFromAnotherThreadIsRefused)
{
    win::WindowManager::reset();
    win::HWND parent = 0;
    std::thread other([&] {
        win::WindowManager::reset();
        TextBox box(0, win::RECT{0, 0, 100, 20});
        parent = box.get_hWnd();
        win::WindowManager::reset();
    });
    other.join();
    EXPECT_VB_ERROR(TextBox(parent, win::RECT{0, 0, 10, 10}), vb::err::InvalidProcedureCall);
}

} // namespace
} // namespace controls
