#include "diag/FaultInjection.h"

#include <algorithm>
#include <vector>

namespace diag {

namespace {

struct Fault {
    std::size_t id;
    std::string procedure;
    std::string number;
    vb::Error error;
    int hits = 0;
};

struct Faults {
    std::vector<Fault> list;
    std::size_t next_id = 1;
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

void check_fault(std::string_view procedure, std::string_view number)
{
    auto& list = faults().list;
    if (list.empty())
        return;
    for (Fault& f : list) {
        if (f.procedure == procedure && f.number == number) {
            ++f.hits;
            throw f.error;
        }
    }
}

InjectedFault::InjectedFault(std::string procedure, std::string number, vb::Error error)
    : m_id(faults().next_id++)
{
    faults().list.push_back(Fault{m_id, std::move(procedure), std::move(number), std::move(error)});
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
