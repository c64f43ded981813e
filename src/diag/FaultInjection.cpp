#include "diag/FaultInjection.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace diag {

namespace {

struct Fault {
    std::size_t id;
    std::string procedure;
    std::string number;
    vb::Error error;
    int times; // -1: every time
    int hits = 0;
};

struct Faults {
    std::vector<Fault> list;
    std::size_t next_id = 1;
    std::uint64_t next_run = 1;
    StepRecorder* recorder = nullptr;
};

Faults& faults()
{
    thread_local Faults f;
    return f;
}

Fault* find(std::size_t id)
{
    auto& list = faults().list;
    auto it = std::find_if(list.begin(), list.end(), [&](const Fault& f) { return f.id == id; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

void check_fault(
    std::string_view procedure, std::string_view number, std::uint64_t run, StepSort sort)
{
    Faults& all = faults();
    if (all.recorder != nullptr)
        all.recorder->add(procedure, number, run, sort, false);
    for (Fault& f : all.list) {
        if (f.procedure == procedure && f.number == number && f.hits != f.times) {
            ++f.hits;
            throw f.error;
        }
    }
}

void note_skipped(std::string_view procedure, std::string_view number, std::uint64_t run)
{
    if (StepRecorder* r = faults().recorder)
        r->add(procedure, number, run, StepSort::Step, true);
}

std::uint64_t run_number()
{
    return faults().next_run++;
}

void note_failure(std::string_view procedure, const vb::Error& error)
{
    if (StepRecorder* r = faults().recorder)
        r->m_failures.push_back({r->m_steps.size(), std::string(procedure), error});
}

InjectedFault::InjectedFault(std::string procedure, std::string number, vb::Error error, int times)
    : m_id(faults().next_id++)
{
    faults().list.push_back(
        Fault{m_id, std::move(procedure), std::move(number), std::move(error), times});
}

InjectedFault::~InjectedFault()
{
    auto& list = faults().list;
    std::erase_if(list, [&](const Fault& f) { return f.id == m_id; });
}

int InjectedFault::hits() const
{
    const Fault* f = find(m_id);
    return f ? f->hits : 0;
}

} // namespace diag

namespace diag {

StepRecorder::StepRecorder(std::size_t limit) : m_limit(limit), m_outer(faults().recorder)
{
    faults().recorder = this;
}

StepRecorder::~StepRecorder()
{
    faults().recorder = m_outer;
}

void StepRecorder::add(std::string_view procedure, std::string_view number, std::uint64_t run,
    StepSort sort, bool skipped)
{
    if (m_steps.size() >= m_limit)
        throw std::length_error("more steps than a scenario takes: it runs away");
    m_steps.push_back({std::string(procedure), std::string(number), run, sort, skipped});
}

} // namespace diag
