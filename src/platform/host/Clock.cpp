#include "platform/host/Clock.h"

#include "platform/vb/DateTime.h"

namespace host {

namespace {

std::optional<vb::Date>& fixed()
{
    thread_local std::optional<vb::Date> now;
    return now;
}

} // namespace

vb::Date Now()
{
    if (auto f = fixed())
        return *f;
    return vb::Now();
}

FixedClock::FixedClock(vb::Date now) : m_previous(fixed())
{
    fixed() = now;
}

FixedClock::~FixedClock()
{
    fixed() = m_previous;
}

} // namespace host
