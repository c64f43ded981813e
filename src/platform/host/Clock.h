#pragma once
// The clock: the current local date and time, to the second. A test can fix
// the time of its own thread while a FixedClock lives, so that lines that
// carry the time can be compared exactly.

#include <optional>

#include "platform/vb/Types.h"

namespace host {

[[nodiscard]] vb::Date Now();

class FixedClock {
public:
    explicit FixedClock(vb::Date now);
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    ~FixedClock();

private:
    std::optional<vb::Date> m_previous;
};

} // namespace host
