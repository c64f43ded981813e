// The recorder's procedure, and comparing and printing sequences.

#include "support/win/MessageRecorder.h"

#include <algorithm>
#include <array>
#include <iterator>
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

// In the order of How's values.
constexpr std::array<const char*, 4> k_how_texts{"none  ", "sent  ", "posted", "input "};

bool fits(const Recorded& r, const Expected& e)
{
    return (e.hwnd == 0 || e.hwnd == r.hwnd) && e.msg == r.msg && e.how == r.how
        && (!e.depth || *e.depth == r.depth) && (!e.wparam || *e.wparam == r.wparam)
        && (!e.lparam || *e.lparam == r.lparam);
}

// " depth 2" for a set value, nothing for an unset one.
template <class T> std::string field(const char* label, const std::optional<T>& value)
{
    return value ? label + std::to_string(*value) : std::string();
}

} // namespace

Seq sequence_of(const std::vector<SentTo>& rows, const std::vector<win::HWND>& windows)
{
    Seq out;
    for (const SentTo& r : rows) {
        Expected e = sent(windows.at(r.to), r.msg);
        e.wparam = r.wparam < 0 ? std::nullopt : std::optional(windows.at(r.wparam));
        e.lparam = r.lparam < 0 ? std::nullopt : std::optional(windows.at(r.lparam));
        e.depth = r.depth == 0 ? std::nullopt : std::optional(r.depth);
        out.push_back(e);
    }
    return out;
}

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
        Recorded r{hwnd, msg, wparam, lparam, manager.current_delivery(), manager.delivery_depth()};
        if (msg == win::WM_WINDOWPOSCHANGED && lparam != 0) {
            r.flags = reinterpret_cast<const win::WINDOWPOS*>(lparam)->flags;
        }
        watch.recorder->record(r);
    }
    const win::LRESULT result = win::CallWindowProcA(watch.previous, hwnd, msg, wparam, lparam);
    if (msg == win::WM_NCDESTROY) {
        t_watches.erase(hwnd);
    }
    return result;
}

// The windows it watched keep the recording procedure in their chain; it
// passes every message through from now on.
MessageRecorder::~MessageRecorder()
{
    for (auto& [hwnd, watch] : t_watches) {
        if (watch.recorder == this) {
            watch.recorder = nullptr;
        }
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
    std::copy_if(m_messages.begin(), m_messages.end(), std::back_inserter(out),
        [msg](const Recorded& r) { return r.msg == msg; });
    return out;
}

std::string MessageRecorder::name_of(win::HWND hwnd) const
{
    auto it = m_names.find(hwnd);
    return hwnd == 0 ? "*" : it != m_names.end() ? it->second : "#" + std::to_string(hwnd);
}

std::string MessageRecorder::describe(How how, win::HWND hwnd, win::UINT msg) const
{
    return std::string(k_how_texts.at(static_cast<std::size_t>(how))) + " " + name_of(hwnd) + " "
        + message_name(msg);
}

// Walks both sequences; anything left over on either side is a mismatch.
::testing::AssertionResult MessageRecorder::matches(const Seq& expected) const
{
    std::size_t at = 0;
    while (at < expected.size() && at < m_messages.size() && fits(m_messages[at], expected[at])) {
        ++at;
    }
    if (at == expected.size() && at == m_messages.size()) {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream out;
    out << "message sequences differ at entry " << at << "\nexpected:\n";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        out << (i == at ? " > " : "   ") << describe(e.how, e.hwnd, e.msg)
            << field(" depth ", e.depth) << field(" wParam ", e.wparam)
            << field(" lParam ", e.lparam) << "\n";
    }
    out << "received:\n";
    for (std::size_t i = 0; i < m_messages.size(); ++i) {
        const Recorded& r = m_messages[i];
        out << (i == at ? " > " : "   ") << describe(r.how, r.hwnd, r.msg) << " depth " << r.depth
            << " wParam " << r.wparam << " lParam " << r.lparam << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

} // namespace pendrel::test
