#pragma once
// Records the messages windows receive, through the path production code
// uses to watch a window: it installs its own procedure with
// SetWindowLongA(GWL_WNDPROC) and passes every message on with
// CallWindowProcA. Each entry says how the message arrived (sent, posted,
// input) and how deeply it was nested.
//
// Expected sequences are data (a Seq); matches() compares and, on a
// mismatch, prints both sequences with message and window names.

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
    win::UINT flags = 0; // WM_WINDOWPOSCHANGED: the WINDOWPOS flags
};

// One expected message. Unless set, depth, wParam and lParam match anything
// (and hwnd 0 any window). Written as
// sent(a, WM_CAPTURECHANGED).at_depth(1).with_lparam(b).
struct Expected {
    win::HWND hwnd = 0;
    win::UINT msg = 0;
    How how = How::sent;
    std::optional<int> depth;
    std::optional<win::WPARAM> wparam;
    std::optional<win::LPARAM> lparam;

    template <class T> [[nodiscard]] Expected with(std::optional<T> Expected::*field, auto v) const
    {
        Expected e = *this;
        e.*field = static_cast<T>(v);
        return e;
    }
    [[nodiscard]] Expected at_depth(int d) const { return with(&Expected::depth, d); }
    [[nodiscard]] Expected with_wparam(auto w) const { return with(&Expected::wparam, w); }
    [[nodiscard]] Expected with_lparam(auto l) const { return with(&Expected::lparam, l); }
};
using Seq = std::vector<Expected>;

// sent(hwnd, msg), posted(hwnd, msg), input(hwnd, msg).
template <How H> struct ExpectedOf {
    Expected operator()(win::HWND h, win::UINT m) const { return {h, m, H, {}, {}, {}}; }
};
inline constexpr ExpectedOf<How::sent> sent;
inline constexpr ExpectedOf<How::posted> posted;
inline constexpr ExpectedOf<How::input> input;

// A sent message in a table row, its windows named by their index in the
// test's list of windows, where index 0 stands for no window (handle 0):
// {inner, WM_KILLFOCUS, a} is sent(w[inner], WM_KILLFOCUS).with_wparam(w[a]).
struct SentTo {
    int to;
    win::UINT msg;
    int wparam = -1; // a window index; -1: any
    int lparam = -1; // a window index; -1: any
    int depth = 0; // 0: any
};
[[nodiscard]] Seq sequence_of(
    const std::vector<SentTo>& rows, const std::vector<win::HWND>& windows);

class MessageRecorder {
public:
    MessageRecorder() = default;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    ~MessageRecorder(); // stops watching every window it still watches

    // Subclasses the window; name is what printed sequences call it.
    void watch(win::HWND hwnd, std::string name);
    // Messages not to record at all.
    void ignore(std::initializer_list<win::UINT> messages);
    void clear() { m_messages.clear(); }

    [[nodiscard]] const std::vector<Recorded>& messages() const { return m_messages; }
    // The recorded messages of one kind, in order.
    [[nodiscard]] std::vector<Recorded> only(win::UINT msg) const;
    [[nodiscard]] ::testing::AssertionResult matches(const Seq& expected) const;

    // The recording procedure (its number is what GWL_WNDPROC reads while a
    // window is watched).
    static win::LRESULT recording_proc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);

private:
    void record(const Recorded& r);
    [[nodiscard]] std::string name_of(win::HWND hwnd) const;
    [[nodiscard]] std::string describe(How how, win::HWND hwnd, win::UINT msg) const;

    std::vector<Recorded> m_messages;
    std::map<win::HWND, std::string> m_names;
    std::set<win::UINT> m_ignored;
};

} // namespace pendrel::test
