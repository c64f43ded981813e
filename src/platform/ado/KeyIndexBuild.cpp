// A key index made on a thread of its own, and the hand-over from its
// first stage to the complete index (KeyIndex.h).
#include <system_error>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/ado/KeyIndex.h"

namespace ado {

KeyIndexBuild::KeyIndexBuild(std::shared_ptr<const Table> table, std::size_t column, bool first_now)
{
    if (first_now) {
        try {
            m_first = KeyIndex::first_stage(table->column(column), m_cancel);
        } catch (const std::bad_alloc&) {
            // Tried again on the build's thread, away from the caller.
        }
        m_first_ready.store(m_first.get(), std::memory_order_release);
    }
    try {
        m_thread
            = std::thread([this, table = std::move(table), column] { run(table->column(column)); });
    } catch (const std::system_error&) {
        // No thread to be had: searches go on by the first stage, if any,
        // or else by the folded-prefix keys.
    }
}

void KeyIndexBuild::run(const Column& column)
{
    try {
        if (!m_first) {
            m_first = KeyIndex::first_stage(column, m_cancel);
            m_first_ready.store(m_first.get(), std::memory_order_release);
        }
        if (m_first && !m_first->complete())
            m_index = KeyIndex::refined(*m_first, column, m_cancel);
    } catch (...) {
        // Out of memory: searches go on by the first stage, or else by the
        // folded-prefix keys.
        m_index.reset();
    }
    if (m_index) {
        m_ready.store(m_index.get(), std::memory_order_release);
        // The first stage goes once the owner has moved on to the index.
        std::unique_lock lock(m_mutex);
        m_first_released.wait(
            lock, [&] { return m_first_let_go || m_cancel.load(std::memory_order_relaxed); });
        if (m_first_let_go)
            m_first.reset();
    }
#ifdef __GLIBC__
    // The build's temporaries were the size of the index again: give their
    // pages back rather than leave them with the allocator. Not when
    // cancelled: whoever cancelled is waiting for this thread.
    if (!m_cancel.load(std::memory_order_relaxed))
        malloc_trim(0);
#endif
}

const KeyIndex* KeyIndexBuild::published() const
{
    if (const KeyIndex* index = m_ready.load(std::memory_order_acquire))
        return index;
    return m_first_ready.load(std::memory_order_acquire);
}

const KeyIndex* KeyIndexBuild::ready()
{
    const KeyIndex* index = m_ready.load(std::memory_order_acquire);
    if (index == nullptr)
        return m_first_ready.load(std::memory_order_acquire);
    if (!m_owner_let_go)
        let_first_go();
    return index;
}

void KeyIndexBuild::let_first_go()
{
    m_owner_let_go = true;
    {
        const std::lock_guard lock(m_mutex);
        m_first_let_go = true;
    }
    m_first_released.notify_one();
}

KeyIndexBuild::~KeyIndexBuild()
{
    {
        const std::lock_guard lock(m_mutex);
        m_cancel.store(true, std::memory_order_relaxed);
    }
    m_first_released.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

const KeyIndex* KeyIndexBuild::wait()
{
    // The owner is waiting here, not searching: the first stage may go.
    let_first_go();
    if (m_thread.joinable())
        m_thread.join();
    return ready();
}

} // namespace ado
