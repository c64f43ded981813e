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
#include <string>
#include <string_view>

#include "platform/vb/Error.h"

namespace diag {

// Raises the error injected for this step of this procedure on the calling
// thread; does nothing otherwise.
void check_fault(std::string_view procedure, std::string_view number);

// While the object lives, step `number` of `procedure` raises `error` on the
// thread that made the object, every time it runs.
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
