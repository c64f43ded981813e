#include "platform/ado/Prefault.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include <sys/mman.h>

namespace ado::prefault {

namespace {

// Two megabytes a call: a mapping waits no longer than that takes to be
// released or resized.
constexpr std::size_t k_piece = 2 * 1024 * 1024;

struct Job {
    const char* base;
    std::size_t offset;
    std::size_t end;
};

class Worker {
public:
    // Without a thread (none could be started) nothing is faulted in ahead.
    Worker()
    {
        try {
            std::thread([this] { run(); }).detach();
            m_running = true;
        } catch (const std::system_error&) {
            m_running = false;
        }
    }

    void ahead(const char* base, std::size_t offset, std::size_t size)
    {
        if (!m_running)
            return;
        {
            const std::lock_guard lock(m_mutex);
            m_jobs.push_back({base, offset, offset + size});
        }
        m_wake.notify_one();
    }

    void forget(const char* base)
    {
        std::unique_lock lock(m_mutex);
        std::erase_if(m_jobs, [&](const Job& j) { return j.base == base; });
        // The piece in hand is finished, but the rest of its job not queued again.
        if (m_busy == base)
            m_busy_forgotten = true;
        m_idle.wait(lock, [&] { return m_busy != base; });
    }

    bool pending(const char* base)
    {
        const std::lock_guard lock(m_mutex);
        return m_busy == base || std::any_of(m_jobs.begin(), m_jobs.end(), [&](const Job& j) {
            return j.base == base;
        });
    }

private:
    // The pieces of the queued jobs in turn, so that columns growing at the
    // same time are all served ahead of their writers.
    [[noreturn]] void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return !m_jobs.empty(); });
            Job job = m_jobs.front();
            m_jobs.pop_front();
            const std::size_t size = std::min(k_piece, job.end - job.offset);
            m_busy = job.base;
            lock.unlock();
            const int rc
                = ::madvise(const_cast<char*>(job.base) + job.offset, size, MADV_POPULATE_WRITE);
            lock.lock();
            job.offset += size;
            // A kernel without the request refuses it: leave the rest alone.
            if (rc == 0 && job.offset < job.end && !m_busy_forgotten)
                m_jobs.push_back(job);
            m_busy = nullptr;
            m_busy_forgotten = false;
            m_idle.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    const char* m_busy = nullptr;
    bool m_busy_forgotten = false; // forget() was called for m_busy
    bool m_running = false;
};

// Never destroyed: mappings may be released during static destruction.
Worker& worker()
{
    static Worker* const w = new Worker;
    return *w;
}

} // namespace

void ahead(const char* base, std::size_t offset, std::size_t size)
{
    if (size != 0)
        worker().ahead(base, offset, size);
}

void forget(const char* base)
{
    worker().forget(base);
}

bool pending(const char* base)
{
    return worker().pending(base);
}

} // namespace ado::prefault
