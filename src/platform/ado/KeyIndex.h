#pragma once
// An index of a text column: the non-Null rows sorted by their folded text
// (then by row), each with the first eight bytes of that text as a number,
// and a wavelet matrix over the sorted row numbers. The rows whose text
// starts with, or equals, a given folded text form one stretch of the order,
// found by a binary search on the numbers and, past eight bytes, a few rows
// folded; the matrix then gives the first of them from any row, in either
// direction, in logarithmic time. A search costs microseconds at ten million
// rows, hit or miss.
//
// About 16.5 bytes per row. Built away from the UI thread (KeyIndexBuild):
// the column's folded-prefix keys answer every search until it is ready.

#include <atomic>
#include <cstdint>
#include <memory>
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

    // The first row of `column` (the one indexed) at or after `from`
    // (forward) or at or before it (backward) whose folded text starts with
    // `folded`, or equals it when `whole`.
    [[nodiscard]] std::optional<std::size_t> find(const Column& column, std::string_view folded,
        bool whole, std::size_t from, bool forward) const;
    [[nodiscard]] std::size_t bytes() const;

private:
    KeyIndex() = default;

    std::vector<std::uint64_t> m_keys; // sorted: folded bytes 0-7, first byte highest
    std::vector<std::uint32_t> m_rows; // the row of each key
    WaveletMatrix m_wavelet;
};

// One index built on a thread of its own. Destroying the build stops it and
// waits for the thread, which gives up within a few milliseconds.
class KeyIndexBuild {
public:
    KeyIndexBuild(std::shared_ptr<const Table> table, std::size_t column);
    KeyIndexBuild(const KeyIndexBuild&) = delete;
    KeyIndexBuild& operator=(const KeyIndexBuild&) = delete;
    ~KeyIndexBuild();

    // The index once it is complete, else nothing; never blocks.
    [[nodiscard]] const KeyIndex* ready() const { return m_ready.load(std::memory_order_acquire); }
    // Blocks until the index is complete (for tests and benchmarks).
    const KeyIndex* wait();

private:
    std::atomic<bool> m_cancel{false};
    std::atomic<const KeyIndex*> m_ready{nullptr};
    std::unique_ptr<KeyIndex> m_index;
    std::thread m_thread;
};

} // namespace ado
