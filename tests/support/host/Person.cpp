#include "support/host/Person.h"

#include <gtest/gtest.h>

#include "platform/host/MessageBoxDialog.h"
#include "platform/host/ModalLoop.h"
#include "platform/win/User32.h"
#include "platform/win/WindowManager.h"

namespace pendrel::test {

Person::Person(std::vector<Step> steps) : m_steps(std::move(steps))
{
    host::set_input_wait([this] {
        if (m_next >= m_steps.size())
            return false;
        m_steps[m_next++]();
        win::PumpMessages();
        return true;
    });
}

Person::~Person()
{
    host::set_input_wait({});
}

void Person::click(vb::Integer answer)
{
    const auto button = host::message_box_button(answer);
    ASSERT_TRUE(button.has_value()) << "no open box has the button " << answer;
    const win::POINT p{(button->left + button->right) / 2, (button->top + button->bottom) / 2};
    auto& wm = win::WindowManager::the();
    wm.inject_mouse_move(p);
    wm.inject_button_down(p);
    wm.inject_button_up(p);
}

void Person::press(int vk)
{
    auto& wm = win::WindowManager::the();
    wm.inject_key_down(vk);
    wm.inject_key_up(vk);
}

} // namespace pendrel::test
