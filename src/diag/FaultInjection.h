#pragma once
// The seam through which tests make one numbered step of a trapped
// procedure fail. Every diag::Steps step first asks check_fault whether a
// fault is injected for (procedure, step number) on the calling thread; if
// so, the step raises that error before doing its own work, and the
// procedure reports it exactly as it would report a failing platform call.
// Nothing is injected unless a test says so: the check is one look at an
// empty per-thread list.
//
//   diag::InjectedFault fault("Let RowSource", "5.6", vb::Error(3704, "closed"));
//   control.let_RowSource("SELECT ...");   // step 5.6 fails, one log line
//   EXPECT_EQ(fault.hits(), 1);

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/Error.h"

namespace diag {

// How a step's failure is taken: as a step, as an If condition, or quietly
// (the procedure's own signal, never reported).
enum class StepSort : char {
    Step,
    Condition,
    Quietly
};

// Raises the error injected for this step of this procedure on the calling
// thread; does nothing otherwise. `run` tells apart the runs of trapped
// procedures (run_number()) and `sort` says how the step is taken, for a
// StepRecorder.
void check_fault(std::string_view procedure, std::string_view number, std::uint64_t run = 0,
    StepSort sort = StepSort::Step);

// Tells a StepRecorder that a step was skipped: its procedure had left.
void note_skipped(std::string_view procedure, std::string_view number, std::uint64_t run);

// A new number for one run of a trapped procedure on the calling thread.
[[nodiscard]] std::uint64_t run_number();

// Tells a StepRecorder that a trap caught a failure (Trap.cpp).
void note_failure(std::string_view procedure, const vb::Error& error);

// While the object lives, step `number` of `procedure` raises `error` on the
// thread that made the object, every time it runs, or only the first
// `times` times.
class InjectedFault {
public:
    InjectedFault(std::string procedure, std::string number, vb::Error error, int times = -1);
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
    ~InjectedFault();

    // How many times the fault was raised.
    [[nodiscard]] int hits() const;

private:
    std::size_t m_id;
};

// While the object lives, every step reached on its thread is recorded in
// order, and every failure a trap caught: the fault tests learn from a
// clean run which steps a scenario reaches, then make each of them fail.
class StepRecorder {
public:
    struct Step {
        std::string procedure;
        std::string number;
        std::uint64_t run; // steps of one run of the procedure share it
        StepSort sort;
        bool skipped; // the procedure had left: the step did not run
    };
    struct Failure {
        std::size_t after; // the number of steps recorded before it
        std::string procedure; // whose trap caught it
        vb::Error error;
    };

    // More than `limit` steps mean the scenario runs away (a message that
    // posts itself for ever, say): the step after them throws
    // std::length_error, which no trap catches.
    explicit StepRecorder(std::size_t limit = 1'000'000);
    StepRecorder(const StepRecorder&) = delete;
    StepRecorder& operator=(const StepRecorder&) = delete;
    ~StepRecorder();

    [[nodiscard]] const std::vector<Step>& steps() const { return m_steps; }
    [[nodiscard]] const std::vector<Failure>& failures() const { return m_failures; }

private:
    friend void check_fault(std::string_view, std::string_view, std::uint64_t, StepSort);
    friend void note_skipped(std::string_view, std::string_view, std::uint64_t);
    void add(std::string_view procedure, std::string_view number, std::uint64_t run, StepSort sort,
        bool skipped);
    friend void note_failure(std::string_view, const vb::Error&);

    std::vector<Step> m_steps;
    std::vector<Failure> m_failures;
    std::size_t m_limit;
    StepRecorder* m_outer;
};

} // namespace diag
