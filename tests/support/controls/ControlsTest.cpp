#include "support/controls/ControlsTest.h"

#include <algorithm>

namespace pendrel::test {

void ControlsTest::SetUp()
{
    DesktopTest::SetUp();
    form = top("form", 100, 100, 400, 300);
}

void ControlsTest::TearDown()
{
    m_controls.clear();
    DesktopTest::TearDown();
}

controls::TextBox& ControlsTest::text_box(
    int x, int y, int width, int height, win::DWORD style, win::HWND parent)
{
    auto box = std::make_unique<controls::TextBox>(
        parent != 0 ? parent : form, win::RECT{x, y, x + width, y + height}, style);
    auto& result = *box;
    m_controls.push_back(std::move(box));
    return result;
}

controls::CommandButton& ControlsTest::button(int x, int y, int width, int height, win::HWND parent)
{
    auto button = std::make_unique<controls::CommandButton>(
        parent != 0 ? parent : form, win::RECT{x, y, x + width, y + height});
    auto& result = *button;
    m_controls.push_back(std::move(button));
    return result;
}

controls::ScrollBar& ControlsTest::scroll_bar(
    int x, int y, int width, int height, bool vertical, win::HWND parent)
{
    auto bar = std::make_unique<controls::ScrollBar>(
        parent != 0 ? parent : form, win::RECT{x, y, x + width, y + height}, vertical);
    auto& result = *bar;
    m_controls.push_back(std::move(bar));
    return result;
}

void ControlsTest::destroy(const controls::ControlWindow& control)
{
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
        [&control](const auto& owned) { return owned.get() == &control; });
    ASSERT_NE(it, m_controls.end()) << "not a control of this test";
    auto doomed = std::move(*it); // out of the list first: its destruction may call back
    m_controls.erase(it);
    doomed.reset();
}

} // namespace pendrel::test
