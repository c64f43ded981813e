#pragma once
// Where each row's text lies in its column's byte arena. Most texts of a
// table are short, so each row keeps its length in one byte and each group
// of sixteen rows the offset where the group starts: 1.25 bytes a row
// instead of a 4-byte end offset. The first text longer than 255 bytes turns
// the column, once, to a 4-byte end per row.

#include <cstdint>

#include "platform/ado/PodVector.h"

namespace ado {

class TextEnds {
public:
    struct Span {
        std::uint32_t begin;
        std::uint32_t size;
    };

    // The next row ends at `end`, no earlier than the row before it.
    void push_back(std::uint32_t end);
    [[nodiscard]] Span span(std::size_t row) const
    {
        if (m_wide) {
            const std::uint32_t begin = row == 0 ? 0 : m_ends[row - 1];
            return {begin, m_ends[row] - begin};
        }
        std::uint32_t begin = m_starts[row / k_group];
        for (std::size_t i = row & ~(k_group - 1); i < row; ++i)
            begin += m_lengths[i];
        return {begin, m_lengths[row]};
    }
    // Asks for the bytes span() reads, ahead of reading them.
    void prefetch(std::size_t row) const
    {
        if (m_wide) {
            __builtin_prefetch(&m_ends[row == 0 ? 0 : row - 1]);
            return;
        }
        __builtin_prefetch(&m_starts[row / k_group]);
        __builtin_prefetch(&m_lengths[row & ~(k_group - 1)]);
    }
    [[nodiscard]] std::size_t size() const { return m_size; }
    // Bytes held, including unused capacity.
    [[nodiscard]] std::size_t bytes() const;
    void shrink_to_fit();

    static constexpr std::size_t k_group = 16;

private:
    void widen();

    std::size_t m_size = 0;
    std::uint32_t m_last = 0;
    bool m_wide = false;
    PodVector<std::uint32_t> m_starts;
    PodVector<std::uint8_t> m_lengths;
    PodVector<std::uint32_t> m_ends;
};

} // namespace ado
