#pragma once
// The error trap of a procedure. The procedure runs its statements as steps
// through one Trap; a step that raises vb::Error is reported the way the
// procedure's row in the report table says (Policies.h):
//
//   Log / Ignore   the step is abandoned and the next step runs;
//   a message      the box is shown and the procedure leaves: every later
//                  step is skipped (left() is true);
//   PassOn         the error is raised again with the procedure as source;
//   Custom         nothing is reported and later steps are skipped; the
//                  procedure reads failed_number() and takes its own path.
//
// A failing condition of an If counts as true: execution goes on inside the
// body, as the language's "resume next" does. While a report is being made
// the trap is not active; a report that cannot be made (the log file cannot
// be written) is skipped without harm.
//
//   diag::Trap trap("Let Value", m_fLogging);
//   if (trap.condition([&] { return IsBlank(New_Value); }))
//       trap.step([&] { ... });

#include <concepts>
#include <string>
#include <string_view>
#include <utility>

#include "diag/Policies.h"
#include "platform/vb/Error.h"

namespace diag {

class Trap {
public:
    // `log_path` is read at the moment of each report, so a procedure that
    // changes the path mid-way logs to the new one.
    Trap(std::string_view procedure, const std::string& log_path);
    explicit Trap(std::string_view procedure); // for kinds that never log

    // Runs one step unless the procedure has left. Returns true when the
    // step ran to its end.
    template <std::invocable F> bool step(F&& f)
    {
        return attempt(std::forward<F>(f), [this](const vb::Error& e) { report(e); });
    }

    // Evaluates an If condition as a step: its value, or true when it failed
    // (and the procedure did not leave).
    template <std::invocable F> bool condition(F&& f)
    {
        if (m_left)
            return false;
        try {
            return static_cast<bool>(std::forward<F>(f)());
        } catch (const vb::Error& e) {
            report(e);
            return !m_left;
        }
    }

    // Runs a step whose failure is not reported: the procedure goes on.
    // Returns true when the step ran to its end.
    template <std::invocable F> bool quietly(F&& f)
    {
        return attempt(std::forward<F>(f), [this](const vb::Error& e) { m_failed = e.number(); });
    }

    // Runs a step that computes a value; `fallback` when it failed.
    template <class T, std::invocable F> T value(F&& f, T fallback)
    {
        T result = std::move(fallback);
        step([&] { result = std::forward<F>(f)(); });
        return result;
    }

    [[nodiscard]] bool left() const { return m_left; }
    // After a Custom report: the procedure takes its own path, whose steps
    // run (and are reported) again.
    void resume() { m_left = false; }
    // The number of the last failure, 0 when no step failed.
    [[nodiscard]] vb::Long failed_number() const { return m_failed; }

private:
    // Runs a step unless the procedure has left; a failure goes to `failed`.
    template <class F, class OnError> bool attempt(F&& f, OnError&& failed)
    {
        if (m_left)
            return false;
        try {
            std::forward<F>(f)();
            return true;
        } catch (const vb::Error& e) {
            failed(e);
            return false;
        }
    }
    void report(const vb::Error& e);
    void report_kind(Kind kind, const vb::Error& e, const Special* special);

    const Policy& m_policy;
    const std::string* m_log_path = nullptr;
    bool m_left = false;
    vb::Long m_failed = 0;
};

// The log line of a failure: date-time ":" number " (" description ending,
// then CR LF. Line breaks (also U+0085, U+2028 and U+2029) and other control
// characters in the description become spaces, and each byte that is not
// UTF-8 becomes U+FFFD, so one failure is always one line of valid text.
[[nodiscard]] std::string log_line(const vb::Error& e, std::string_view ending);

// The prompt of a detailed message: first line, "Error: " description,
// "Number: " number, and the optional last line, joined by CR LF.
[[nodiscard]] std::string detailed_prompt(
    std::string_view first_line, const vb::Error& e, std::string_view last_line);

} // namespace diag
