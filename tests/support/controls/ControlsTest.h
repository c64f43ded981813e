#pragma once
// A fresh desktop with a form window (a shown top-level window at 100, 100,
// 400 x 300 pixels, watched by the message recorder), the input driver and
// the notification log. Controls made here are children of the form and go
// before the desktop is reset.

#include <memory>
#include <vector>

#include "platform/controls/CommandButton.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/TextBox.h"
#include "support/controls/EventLog.h"
#include "support/controls/Ui.h"
#include "support/win/DesktopTest.h"

namespace pendrel::test {

class ControlsTest : public DesktopTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Controls at rectangles of the client area (x, y, width, height) of
    // `parent`, the test's form window unless given.
    controls::TextBox& text_box(int x, int y, int width, int height,
        win::DWORD style = win::WS_VISIBLE, win::HWND parent = 0);
    controls::CommandButton& button(int x, int y, int width, int height, win::HWND parent = 0);
    controls::ScrollBar& scroll_bar(
        int x, int y, int width, int height, bool vertical = true, win::HWND parent = 0);
    // Destroys a control made here now (its object and its window).
    void destroy(const controls::ControlWindow& control);

    win::HWND form = 0;
    Ui ui;
    EventLog log;

private:
    std::vector<std::unique_ptr<controls::ControlWindow>> m_controls;
};

} // namespace pendrel::test
