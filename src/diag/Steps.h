#pragma once
// The steps of one trapped procedure: a diag::Trap whose steps carry the
// procedure's own step numbers ("1", "5.6"), written next to the statement
// they run. Each numbered step is also a seam where a test can make the
// step fail (FaultInjection.h).
//
//   Steps s("Let RowSource", m_fLogging);
//   s.step("3", [&] { m_RowSource = rewritten; });
//   if (s.condition("4", [&] { return IsBlank(m_RowSource); })) ...

#include <concepts>
#include <string>
#include <string_view>
#include <utility>

#include "diag/FaultInjection.h"
#include "diag/Trap.h"

namespace diag {

class Steps {
public:
    Steps(std::string_view procedure, const std::string& log_path)
        : m_trap(procedure, log_path), m_procedure(procedure)
    {
    }
    explicit Steps(std::string_view procedure) : m_trap(procedure), m_procedure(procedure) {}

    template <std::invocable F> bool step(std::string_view number, F&& f)
    {
        if (skipped(number))
            return false;
        return m_trap.step([&] {
            check_fault(m_procedure, number, m_run);
            std::forward<F>(f)();
        });
    }

    // A step whose failure is the procedure's signal rather than a fault:
    // nothing is reported; false when it failed.
    template <std::invocable F> bool quietly(std::string_view number, F&& f)
    {
        if (skipped(number))
            return false;
        return m_trap.quietly([&] {
            check_fault(m_procedure, number, m_run, StepSort::Quietly);
            std::forward<F>(f)();
        });
    }

    // An If condition as a step: a failing condition counts as true (unless
    // the procedure has left).
    template <std::invocable F> bool condition(std::string_view number, F&& f)
    {
        if (skipped(number))
            return false;
        return m_trap.condition([&] {
            check_fault(m_procedure, number, m_run, StepSort::Condition);
            return static_cast<bool>(std::forward<F>(f)());
        });
    }

    [[nodiscard]] bool left() const { return m_trap.left(); }
    void resume() { m_trap.resume(); }

private:
    bool skipped(std::string_view number) const
    {
        if (m_trap.left())
            note_skipped(m_procedure, number, m_run);
        return m_trap.left();
    }

    diag::Trap m_trap;
    std::string_view m_procedure;
    std::uint64_t m_run = run_number();
};

} // namespace diag
