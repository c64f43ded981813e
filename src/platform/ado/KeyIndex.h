#pragma once
// An index of a text column, made in two stages.
//
// The first stage sorts the non-Null rows by the first eight bytes of their
// folded text, kept as numbers, leaving rows that share them in row order,
// with a wavelet matrix over the sorted row numbers. The rows whose text
// starts with a prefix of up to eight bytes form one stretch of that order,
// found by a binary search on the numbers; the matrix gives the first of them
// from any row, in either direction, in logarithmic time. A longer prefix, or
// a whole text, is checked against the rows sharing its first eight bytes, in
// row order from the starting row.
//
// The second stage orders the rows that share eight bytes by the rest of
// their texts, so that a longer prefix is a stretch found by a binary search
// too; the few rows in it are read for the first from the starting row. It
// shares the numbers and the matrix with the first, which then goes.
//
// A search costs microseconds at ten million rows, hit or miss; at most a
// fraction of a millisecond in the first stage. About 16.5 bytes per row.
// Both stages are made away from the UI thread (KeyIndexBuild) unless a host
// asks for the first at once; until one is ready, the column's folded-prefix
// keys answer every search.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/ado/Table.h"
#include "platform/ado/WaveletMatrix.h"

namespace ado {

class KeyIndex {
public:
    // Nothing when `cancel` was set before the index was complete.
    [[nodiscard]] static std::unique_ptr<KeyIndex> build(
        const Column& column, const std::atomic<bool>& cancel);
    // The first stage alone; complete already when no two rows share their
    // first eight folded bytes.
    [[nodiscard]] static std::unique_ptr<KeyIndex> first_stage(
        const Column& column, const std::atomic<bool>& cancel);
    // The complete index from its first stage, which it shares the keys of.
    [[nodiscard]] static std::unique_ptr<KeyIndex> refined(
        const KeyIndex& first, const Column& column, const std::atomic<bool>& cancel);

    // The first row of `column` (the one indexed) at or after `from`
    // (forward) or at or before it (backward) whose folded text starts with
    // `folded`, or equals it when `whole`.
    [[nodiscard]] std::optional<std::size_t> find(const Column& column, std::string_view folded,
        bool whole, std::size_t from, bool forward) const;
    [[nodiscard]] std::size_t bytes() const;
    [[nodiscard]] bool complete() const { return m_complete; }

private:
    KeyIndex() = default;
    [[nodiscard]] std::optional<std::size_t> find_among_tied(const Column& column,
        std::string_view folded, bool whole, std::size_t lo, std::size_t hi, std::size_t from,
        bool forward) const;

    [[nodiscard]] std::optional<std::size_t> nearest(
        std::size_t lo, std::size_t hi, std::size_t from, bool forward) const;

    // Sorted: folded bytes 0-7, first byte highest.
    std::shared_ptr<const std::vector<std::uint64_t>> m_keys;
    std::vector<std::uint32_t> m_rows; // the row of each key
    // Over the first stage's rows; the two stages share it and the keys.
    std::shared_ptr<const WaveletMatrix> m_wavelet;
    bool m_complete = false;
};

// One index built on a thread of its own, used from one other thread (the
// owner's). Destroying the build stops it and waits for the thread, which
// gives up within a few milliseconds.
class KeyIndexBuild {
public:
    // With `first_now` the first stage is sorted before this returns, on
    // the calling thread; the second follows on the build's own.
    KeyIndexBuild(std::shared_ptr<const Table> table, std::size_t column, bool first_now = false);
    KeyIndexBuild(const KeyIndexBuild&) = delete;
    KeyIndexBuild& operator=(const KeyIndexBuild&) = delete;
    ~KeyIndexBuild();

    // The most complete stage ready, else nothing; never blocks. Once it
    // returns the complete index, the first stage is no longer used by the
    // owner and the build's thread frees it.
    [[nodiscard]] const KeyIndex* ready();
    // The same, without letting the first stage go.
    [[nodiscard]] const KeyIndex* published() const;
    // Blocks until the build is over (for tests and benchmarks).
    const KeyIndex* wait();

private:
    void run(const Column& column);
    void let_first_go();

    std::atomic<bool> m_cancel{false};
    std::atomic<const KeyIndex*> m_first_ready{nullptr};
    std::atomic<const KeyIndex*> m_ready{nullptr};
    std::unique_ptr<KeyIndex> m_first;
    std::unique_ptr<KeyIndex> m_index;
    std::mutex m_mutex;
    std::condition_variable m_first_released;
    bool m_first_let_go = false; // under m_mutex
    bool m_owner_let_go = false; // the owner's own note of the same
    std::thread m_thread;
};

} // namespace ado
