#pragma once
// The steps of one trapped procedure: a diag::Trap whose steps carry the
// procedure's own step numbers ("1", "5.6"), written next to the statement
// they run. The numbers let a test make one step fail with an error of its
// choice (InjectedFault) and watch how the procedure reports it, the same
// way a failing platform call would be reported.
//
//   Steps s("Let RowSource", m_fLogging);
//   s.step("3", [&] { m_RowSource = rewritten; });
//   if (s.condition("4", [&] { return IsBlank(m_RowSource); })) ...

#include <concepts>
#include <string>
#include <string_view>
#include <utility>

#include "diag/Trap.h"
#include "platform/vb/Error.h"

namespace diag {

// Raises the error a test injected for this step of this procedure on the
// calling thread; does nothing otherwise.
void check_fault(std::string_view procedure, std::string_view number);

class Steps {
public:
    Steps(std::string_view procedure, const std::string& log_path)
        : m_trap(procedure, log_path), m_procedure(procedure)
    {
    }
    explicit Steps(std::string_view procedure) : m_trap(procedure), m_procedure(procedure) {}

    template <std::invocable F> bool step(std::string_view number, F&& f)
    {
        return m_trap.step([&] {
            check_fault(m_procedure, number);
            std::forward<F>(f)();
        });
    }

    // An If condition as a step: a failing condition counts as true (unless
    // the procedure has left).
    template <std::invocable F> bool condition(std::string_view number, F&& f)
    {
        return m_trap.condition([&] {
            check_fault(m_procedure, number);
            return static_cast<bool>(std::forward<F>(f)());
        });
    }

    [[nodiscard]] bool left() const { return m_trap.left(); }

private:
    diag::Trap m_trap;
    std::string_view m_procedure;
};

// For tests: while the object lives, step `number` of `procedure` raises
// `error` on this thread every time it runs, before the step's own work.
class InjectedFault {
public:
    InjectedFault(std::string procedure, std::string number, vb::Error error);
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
    ~InjectedFault();

    // How many times the fault was raised.
    [[nodiscard]] int hits() const;

private:
    std::size_t m_id;
};

} // namespace diag
