#include "platform/ado/CallSites.h"

namespace ado {

namespace {

struct Record {
    std::array<long, k_all_sites.size()> reached{};
    std::array<int, k_all_sites.size()> code{};
    std::array<int, k_all_sites.size()> left{}; // failures still to give; -1: always
    std::array<int, k_all_sites.size()> hits{};
    std::array<int, k_all_sites.size()> after{}; // reaches still to let pass
};

Record& record()
{
    thread_local Record r;
    return r;
}

std::size_t index(Site site)
{
    return static_cast<std::size_t>(site);
}

} // namespace

std::string_view site_name(Site site)
{
    constexpr std::array<std::string_view, k_all_sites.size()> names{"sqlite3_open_v2",
        "sqlite3_prepare_v2 (schema)", "sqlite3_step (schema)", "sqlite3_prepare_v2 (row source)",
        "sqlite3_prepare_v2 (what follows)", "sqlite3_step (rows)", "PQconnectdbParams",
        "PQexec (role)", "PQexec (begin)", "PQsendQueryParams", "PQgetResult (rows)",
        "PQexec (reset)"};
    return names[index(site)];
}

int injected_failure(Site site)
{
    Record& r = record();
    const std::size_t i = index(site);
    ++r.reached[i];
    if (r.left[i] == 0)
        return 0;
    if (r.after[i] > 0) {
        --r.after[i];
        return 0;
    }
    if (r.left[i] > 0)
        --r.left[i];
    ++r.hits[i];
    return r.code[i];
}

long times_reached(Site site)
{
    return record().reached[index(site)];
}

InjectedCallFailure::InjectedCallFailure(Site site, int code, int times, int after) : m_site(site)
{
    Record& r = record();
    r.after[index(site)] = after;
    r.code[index(site)] = code;
    r.left[index(site)] = times;
    r.hits[index(site)] = 0;
}

InjectedCallFailure::~InjectedCallFailure()
{
    record().left[index(m_site)] = 0;
}

int InjectedCallFailure::hits() const
{
    return record().hits[index(m_site)];
}

} // namespace ado
