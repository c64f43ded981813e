#include "support/controls/EventLog.h"

namespace pendrel::test {

namespace {

std::string keys(const std::string& what, vb::Integer code, vb::Integer shift)
{
    return what + " " + std::to_string(code) + " " + std::to_string(shift);
}

} // namespace

void EventLog::watch(controls::TextBox& box, const std::string& name)
{
    box.on_key_down = [this, name](vb::Integer& KeyCode, vb::Integer& Shift) {
        record(keys(name + ".KeyDown", KeyCode, Shift));
    };
    box.on_key_press = [this, name](vb::Integer& KeyAscii) {
        record(name + ".KeyPress " + std::to_string(KeyAscii));
    };
    box.on_key_up = [this, name](vb::Integer& KeyCode, vb::Integer& Shift) {
        record(keys(name + ".KeyUp", KeyCode, Shift));
    };
    box.on_change = [this, name] { record(name + ".Change"); };
    box.on_got_focus = [this, name] { record(name + ".GotFocus"); };
    box.on_lost_focus = [this, name] { record(name + ".LostFocus"); };
    box.on_validate = [this, name](vb::Boolean&) { record(name + ".Validate"); };
}

void EventLog::watch(controls::CommandButton& button, const std::string& name)
{
    button.on_click = [this, name] { record(name + ".Click"); };
    button.on_got_focus = [this, name] { record(name + ".GotFocus"); };
    button.on_lost_focus = [this, name] { record(name + ".LostFocus"); };
    button.on_validate = [this, name](vb::Boolean&) { record(name + ".Validate"); };
}

std::vector<std::string> EventLog::take()
{
    std::vector<std::string> events;
    events.swap(m_events);
    return events;
}

} // namespace pendrel::test
