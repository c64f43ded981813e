#pragma once
// Records the notifications controls give their owner, in order, as short
// texts: "txt.KeyDown 90 0", "txt.KeyPress 122", "txt.Change", "btn.Click".
// Sequences are compared as data; gtest prints both on a mismatch.
//
// watch() sets every callback of the control; a test that wants a handler
// to change an argument sets that callback again afterwards, and calls
// record() itself to keep the log complete.

#include <string>
#include <vector>

#include "platform/controls/CommandButton.h"
#include "platform/controls/TextBox.h"

namespace pendrel::test {

class EventLog {
public:
    void watch(controls::TextBox& box, const std::string& name);
    void watch(controls::CommandButton& button, const std::string& name);

    void record(std::string event) { m_events.push_back(std::move(event)); }
    [[nodiscard]] const std::vector<std::string>& events() const { return m_events; }
    // The events so far, and a fresh start.
    [[nodiscard]] std::vector<std::string> take();
    void clear() { m_events.clear(); }

private:
    std::vector<std::string> m_events;
};

} // namespace pendrel::test
