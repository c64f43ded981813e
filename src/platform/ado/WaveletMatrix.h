#pragma once
// A wavelet matrix over a sequence of row numbers: for any stretch of
// positions [lo, hi) it answers "the smallest value >= x" and "the largest
// value <= x" in time proportional to the number of bits of a value, using
// about 1.5 bits per value and level.
//
// A search index keeps its rows sorted by key, so the rows that meet a
// criterion form one stretch of positions; this structure then gives the
// first of them in row order from any starting row, forward or backward.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ado {

class WaveletMatrix {
public:
    WaveletMatrix() = default;
    // Values must lie below 2^32. Made on two threads from k_split_values.
    explicit WaveletMatrix(std::span<const std::uint32_t> values);
    static constexpr std::size_t k_split_values = 1 << 16;

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] std::optional<std::uint32_t> next_value(
        std::size_t lo, std::size_t hi, std::uint32_t x) const;
    [[nodiscard]] std::optional<std::uint32_t> prev_value(
        std::size_t lo, std::size_t hi, std::uint32_t x) const;
    [[nodiscard]] std::size_t bytes() const;

private:
    struct Level {
        std::vector<std::uint64_t> bits;
        std::vector<std::uint32_t> ranks; // ones before each word
        std::size_t zeros = 0;

        [[nodiscard]] std::size_t rank1(std::size_t i) const;
        [[nodiscard]] std::size_t rank0(std::size_t i) const { return i - rank1(i); }
    };
    struct Range {
        std::size_t lo;
        std::size_t hi;
    };

    [[nodiscard]] Range zero_side(int level, Range r) const;
    [[nodiscard]] Range one_side(int level, Range r) const;
    [[nodiscard]] std::optional<std::uint32_t> extreme(
        int level, Range r, std::uint32_t prefix, bool smallest) const;
    [[nodiscard]] std::optional<std::uint32_t> next_from(
        int level, Range r, std::uint32_t prefix, std::uint32_t x) const;
    [[nodiscard]] std::optional<std::uint32_t> prev_from(
        int level, Range r, std::uint32_t prefix, std::uint32_t x) const;

    std::size_t m_size = 0;
    int m_bits = 0;
    std::vector<Level>
        m_levels; // m_levels[b] holds bit b of the values (high bit first in the walk)
};

} // namespace ado
