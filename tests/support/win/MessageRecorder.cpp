// The recorder's procedure, and comparing and printing sequences.

#include "support/win/MessageRecorder.h"

#include <sstream>
#include <unordered_map>

#include "platform/win/User32.h"
#include "support/win/MessageNames.h"

namespace pendrel::test {

namespace {

struct Watch {
    MessageRecorder* recorder = nullptr; // nullptr: no longer recording
    win::LONG previous = 0;
};

// The watched windows of this thread. A plain procedure has no object, so it
// finds its recorder and the previous procedure here, by handle.
thread_local std::unordered_map<win::HWND, Watch> t_watches;

const char* how_text(How how)
{
    switch (how) {
    case How::sent:
        return "sent  ";
    case How::posted:
        return "posted";
    case How::input:
        return "input ";
    default:
        return "none  ";
    }
}

bool fits(const Recorded& r, const Expected& e)
{
    return (e.hwnd == 0 || e.hwnd == r.hwnd) && e.msg == r.msg && e.how == r.how
        && (!e.depth || *e.depth == r.depth) && (!e.wparam || *e.wparam == r.wparam)
        && (!e.lparam || *e.lparam == r.lparam);
}

} // namespace

win::LRESULT MessageRecorder::recording_proc(
    win::HWND hwnd, win::UINT msg, win::WPARAM wparam, win::LPARAM lparam)
{
    auto it = t_watches.find(hwnd);
    if (it == t_watches.end()) {
        return win::DefWindowProcA(hwnd, msg, wparam, lparam);
    }
    const Watch watch = it->second;
    if (watch.recorder != nullptr) {
        const auto& manager = win::WindowManager::the();
        watch.recorder->record(Recorded{
            hwnd, msg, wparam, lparam, manager.current_delivery(), manager.delivery_depth()});
    }
    const win::LRESULT result = win::CallWindowProcA(watch.previous, hwnd, msg, wparam, lparam);
    if (msg == win::WM_NCDESTROY) {
        t_watches.erase(hwnd);
    }
    return result;
}

MessageRecorder::~MessageRecorder()
{
    for (auto it = t_watches.begin(); it != t_watches.end();) {
        auto& [hwnd, watch] = *it;
        if (watch.recorder == this
            && win::GetWindowLongA(hwnd, win::GWL_WNDPROC) == win::ProcNumber(&recording_proc)) {
            win::SetWindowLongA(hwnd, win::GWL_WNDPROC, watch.previous);
            it = t_watches.erase(it);
            continue;
        }
        if (watch.recorder == this) {
            watch.recorder = nullptr;
        }
        ++it;
    }
}

void MessageRecorder::watch(win::HWND hwnd, std::string name)
{
    m_names[hwnd] = std::move(name);
    auto it = t_watches.find(hwnd);
    if (it != t_watches.end()) {
        it->second.recorder = this; // already chained in: record again
        return;
    }
    const win::LONG previous
        = win::SetWindowLongA(hwnd, win::GWL_WNDPROC, win::ProcNumber(&recording_proc));
    if (previous != 0) {
        t_watches[hwnd] = Watch{this, previous};
    }
}

void MessageRecorder::unwatch(win::HWND hwnd)
{
    auto it = t_watches.find(hwnd);
    if (it == t_watches.end() || it->second.recorder != this) {
        return;
    }
    if (win::GetWindowLongA(hwnd, win::GWL_WNDPROC) == win::ProcNumber(&recording_proc)) {
        win::SetWindowLongA(hwnd, win::GWL_WNDPROC, it->second.previous);
        t_watches.erase(it);
    } else {
        it->second.recorder = nullptr; // someone chained above us: pass through
    }
}

void MessageRecorder::ignore(std::initializer_list<win::UINT> messages)
{
    m_ignored.insert(messages.begin(), messages.end());
}

void MessageRecorder::record(const Recorded& r)
{
    if (m_ignored.count(r.msg) == 0) {
        m_messages.push_back(r);
    }
}

std::vector<Recorded> MessageRecorder::only(win::UINT msg) const
{
    std::vector<Recorded> out;
    for (const Recorded& r : m_messages) {
        if (r.msg == msg) {
            out.push_back(r);
        }
    }
    return out;
}

std::string MessageRecorder::name_of(win::HWND hwnd) const
{
    if (hwnd == 0) {
        return "*";
    }
    auto it = m_names.find(hwnd);
    return it != m_names.end() ? it->second : "#" + std::to_string(hwnd);
}

std::string MessageRecorder::describe(const Recorded& r) const
{
    std::ostringstream out;
    out << how_text(r.how) << " " << name_of(r.hwnd) << " " << message_name(r.msg) << " depth "
        << r.depth << " wParam " << r.wparam << " lParam " << r.lparam;
    return out.str();
}

std::string MessageRecorder::describe(const Expected& e) const
{
    std::ostringstream out;
    out << how_text(e.how) << " " << name_of(e.hwnd) << " " << message_name(e.msg);
    if (e.depth) {
        out << " depth " << *e.depth;
    }
    if (e.wparam) {
        out << " wParam " << *e.wparam;
    }
    if (e.lparam) {
        out << " lParam " << *e.lparam;
    }
    if (e.optional) {
        out << " (optional)";
    }
    return out.str();
}

// Walks both sequences; an optional expected entry that does not fit is
// skipped. Anything left over on either side is a mismatch.
::testing::AssertionResult MessageRecorder::matches(const std::vector<Expected>& expected) const
{
    std::size_t got = 0;
    std::size_t want = 0;
    while (want < expected.size()) {
        if (got < m_messages.size() && fits(m_messages[got], expected[want])) {
            ++got;
            ++want;
        } else if (expected[want].optional) {
            ++want;
        } else {
            break;
        }
    }
    if (want == expected.size() && got == m_messages.size()) {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream out;
    out << "message sequences differ at expected entry " << want << ", received entry " << got
        << "\nexpected:\n";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        out << (i == want ? " > " : "   ") << describe(expected[i]) << "\n";
    }
    out << "received:\n";
    for (std::size_t i = 0; i < m_messages.size(); ++i) {
        out << (i == got ? " > " : "   ") << describe(m_messages[i]) << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

} // namespace pendrel::test
