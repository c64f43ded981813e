#pragma once
// Records the messages windows receive, through the path production code
// uses to watch a window: it installs its own procedure with
// SetWindowLongA(GWL_WNDPROC) and passes every message on with
// CallWindowProcA. Each entry says how the message arrived (sent, posted,
// input) and how deeply it was nested.
//
// Expected sequences are data (a vector of Expected); matches() compares and,
// on a mismatch, prints both sequences with message and window names.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/win/WindowManager.h"

namespace pendrel::test {

using How = win::WindowManager::Delivery;

struct Recorded {
    win::HWND hwnd = 0;
    win::UINT msg = 0;
    win::WPARAM wparam = 0;
    win::LPARAM lparam = 0;
    How how = How::sent;
    int depth = 0; // 1: delivered outside any handler
};

// One expected message. Unless set, depth, wParam and lParam match anything
// (and hwnd 0 any window); an optional entry may be missing. Written as
// sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(b).
struct Expected {
    win::HWND hwnd = 0;
    win::UINT msg = 0;
    How how = How::sent;
    std::optional<int> depth;
    std::optional<win::WPARAM> wparam;
    std::optional<win::LPARAM> lparam;
    bool optional = false;

    [[nodiscard]] Expected at_depth(int d) const
    {
        Expected e = *this;
        e.depth = d;
        return e;
    }
    [[nodiscard]] Expected with_wparam(win::WPARAM w) const
    {
        Expected e = *this;
        e.wparam = w;
        return e;
    }
    [[nodiscard]] Expected with_lparam(win::LPARAM l) const
    {
        Expected e = *this;
        e.lparam = l;
        return e;
    }
    [[nodiscard]] Expected maybe() const
    {
        Expected e = *this;
        e.optional = true;
        return e;
    }
};

[[nodiscard]] inline Expected sent(win::HWND hwnd, win::UINT msg)
{
    return Expected{hwnd, msg, How::sent, {}, {}, {}, false};
}
[[nodiscard]] inline Expected posted(win::HWND hwnd, win::UINT msg)
{
    return Expected{hwnd, msg, How::posted, {}, {}, {}, false};
}
[[nodiscard]] inline Expected input(win::HWND hwnd, win::UINT msg)
{
    return Expected{hwnd, msg, How::input, {}, {}, {}, false};
}

class MessageRecorder {
public:
    MessageRecorder() = default;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    ~MessageRecorder(); // stops watching every window it still watches

    // Subclasses the window; name is what printed sequences call it.
    void watch(win::HWND hwnd, std::string name);
    // Puts back the procedure that was there before watch (if the recorder's
    // procedure is still the window's), and records nothing more from it.
    void unwatch(win::HWND hwnd);
    // Messages not to record at all.
    void ignore(std::initializer_list<win::UINT> messages);
    void clear() { m_messages.clear(); }

    [[nodiscard]] const std::vector<Recorded>& messages() const { return m_messages; }
    // The recorded messages of one kind, in order.
    [[nodiscard]] std::vector<Recorded> only(win::UINT msg) const;
    [[nodiscard]] ::testing::AssertionResult matches(const std::vector<Expected>& expected) const;

    [[nodiscard]] std::string name_of(win::HWND hwnd) const;
    [[nodiscard]] std::string describe(const Recorded& r) const;
    [[nodiscard]] std::string describe(const Expected& e) const;

    // The recording procedure (its number is what GWL_WNDPROC reads while a
    // window is watched).
    static win::LRESULT recording_proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);

private:
    void record(const Recorded& r);

    std::vector<Recorded> m_messages;
    std::map<win::HWND, std::string> m_names;
    std::set<win::UINT> m_ignored;
};

} // namespace pendrel::test
