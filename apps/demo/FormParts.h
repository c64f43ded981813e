#pragma once
// The plain parts of the demo's form that are not controls: a label (its
// window text, one line per line break) and the event pane, which lists
// lines as they come, the newest at the bottom, the oldest scrolling away.

#include <deque>
#include <string>
#include <string_view>

#include "platform/win/Types.h"

namespace demo {

// A label window at a rectangle of the parent's client area (pixels).
win::HWND make_label(win::HWND parent, const win::RECT& rect, std::string_view text);

class EventPane {
public:
    EventPane(win::HWND parent, const win::RECT& rect);
    EventPane(const EventPane&) = delete;
    EventPane& operator=(const EventPane&) = delete;
    ~EventPane();

    void add(std::string line);
    [[nodiscard]] const std::deque<std::string>& lines() const { return m_lines; }
    [[nodiscard]] win::HWND hwnd() const { return m_hwnd; }

private:
    static win::LRESULT proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
    void paint(win::WPARAM canvas) const;
    [[nodiscard]] std::size_t visible_lines() const;

    win::HWND m_hwnd = 0;
    std::deque<std::string> m_lines;
};

} // namespace demo
