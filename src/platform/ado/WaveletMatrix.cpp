#include "platform/ado/WaveletMatrix.h"

#include <algorithm>
#include <bit>

#include "platform/ado/Halves.h"
#include "platform/ado/PodVector.h"

namespace ado {

std::size_t WaveletMatrix::Level::rank1(std::size_t i) const
{
    const std::size_t word = i >> 6;
    const std::size_t bit = i & 63;
    std::size_t r = ranks[word];
    if (bit != 0)
        r += static_cast<std::size_t>(std::popcount(bits[word] & ((std::uint64_t(1) << bit) - 1)));
    return r;
}

WaveletMatrix::WaveletMatrix(std::span<const std::uint32_t> values) : m_size(values.size())
{
    const std::uint32_t top = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    m_bits = std::max(1, static_cast<int>(std::bit_width(top)));
    m_levels.resize(static_cast<std::size_t>(m_bits));
    // Mapped of their own, so that they go back to the system at once.
    PodVector<std::uint32_t> current;
    current.append(values.data(), values.size());
    PodVector<std::uint32_t> next;
    next.resize_for_overwrite(m_size);
    const std::size_t words = (m_size >> 6) + 1;
    // Each level in two passes over two halves of the values, the second
    // half from a whole word on, each half on a thread of its own when
    // there are many: the bits of the level with the ones before each word
    // (for rank in constant time), then the values with a 0 there (in order)
    // moved before those with a 1 (in order), each half to where the first
    // pass's counts put its part, branch-free.
    const std::size_t mid = half_of(m_size, 64);
    const bool split = m_size >= k_split_values;
    for (int b = m_bits - 1; b >= 0; --b) {
        Level& level = m_levels[static_cast<std::size_t>(b)];
        level.bits.assign(words, 0);
        level.ranks.assign(words, 0);
        std::size_t ones[2] = {};
        in_halves(split, [&](int h) {
            const std::size_t first = h == 0 ? 0 : mid >> 6;
            const std::size_t last = h == 0 ? mid >> 6 : words;
            std::size_t o = 0;
            for (std::size_t w = first; w < last; ++w) {
                const std::size_t lo = w << 6;
                const std::size_t hi = std::min(m_size, lo + 64);
                std::uint64_t word = 0;
                for (std::size_t i = lo; i < hi; ++i)
                    word |= std::uint64_t((current[i] >> b) & 1U) << (i - lo);
                level.bits[w] = word;
                level.ranks[w] = static_cast<std::uint32_t>(o);
                o += static_cast<std::size_t>(std::popcount(word));
            }
            ones[h] = o;
        });
        const std::size_t zeros = m_size - ones[0] - ones[1];
        in_halves(split, [&](int h) {
            const std::size_t lo = h == 0 ? 0 : mid;
            const std::size_t hi = h == 0 ? mid : m_size;
            std::size_t z = h == 0 ? 0 : mid - ones[0];
            std::size_t o = zeros + (h == 0 ? 0 : ones[0]);
            for (std::size_t i = lo; i < hi; ++i) {
                const std::uint32_t v = current[i];
                const std::uint32_t bit = (v >> b) & 1U;
                next[bit != 0 ? o : z] = v;
                o += bit;
                z += bit ^ 1U;
            }
            for (std::size_t w = mid >> 6; h == 1 && w < words; ++w)
                level.ranks[w] += static_cast<std::uint32_t>(ones[0]);
        });
        level.zeros = zeros;
        std::swap(current, next);
    }
}

WaveletMatrix::Range WaveletMatrix::zero_side(int level, Range r) const
{
    const Level& l = m_levels[static_cast<std::size_t>(level)];
    return {l.rank0(r.lo), l.rank0(r.hi)};
}

WaveletMatrix::Range WaveletMatrix::one_side(int level, Range r) const
{
    const Level& l = m_levels[static_cast<std::size_t>(level)];
    return {l.zeros + l.rank1(r.lo), l.zeros + l.rank1(r.hi)};
}

std::optional<std::uint32_t> WaveletMatrix::extreme(
    int level, Range r, std::uint32_t prefix, bool smallest) const
{
    if (r.lo >= r.hi)
        return std::nullopt;
    for (; level >= 0; --level) {
        const Range z = zero_side(level, r);
        const Range o = one_side(level, r);
        const bool take_zero = smallest ? z.lo < z.hi : o.lo >= o.hi;
        r = take_zero ? z : o;
        prefix = (prefix << 1) | (take_zero ? 0U : 1U);
    }
    return prefix;
}

std::optional<std::uint32_t> WaveletMatrix::next_from(
    int level, Range r, std::uint32_t prefix, std::uint32_t x) const
{
    // The values in r share their high bits with x down to `level`.
    if (r.lo >= r.hi)
        return std::nullopt;
    if (level < 0)
        return prefix;
    const Range z = zero_side(level, r);
    const Range o = one_side(level, r);
    if ((x >> level) & 1U)
        return next_from(level - 1, o, (prefix << 1) | 1U, x);
    if (auto v = next_from(level - 1, z, prefix << 1, x))
        return v;
    return extreme(level - 1, o, (prefix << 1) | 1U, true);
}

std::optional<std::uint32_t> WaveletMatrix::prev_from(
    int level, Range r, std::uint32_t prefix, std::uint32_t x) const
{
    if (r.lo >= r.hi)
        return std::nullopt;
    if (level < 0)
        return prefix;
    const Range z = zero_side(level, r);
    const Range o = one_side(level, r);
    if (!((x >> level) & 1U))
        return prev_from(level - 1, z, prefix << 1, x);
    if (auto v = prev_from(level - 1, o, (prefix << 1) | 1U, x))
        return v;
    return extreme(level - 1, z, prefix << 1, false);
}

std::optional<std::uint32_t> WaveletMatrix::next_value(
    std::size_t lo, std::size_t hi, std::uint32_t x) const
{
    hi = std::min(hi, m_size);
    if (lo >= hi)
        return std::nullopt;
    if (m_bits < 32 && (x >> m_bits) != 0)
        return std::nullopt; // above every value
    return next_from(m_bits - 1, {lo, hi}, 0, x);
}

std::optional<std::uint32_t> WaveletMatrix::prev_value(
    std::size_t lo, std::size_t hi, std::uint32_t x) const
{
    hi = std::min(hi, m_size);
    if (lo >= hi)
        return std::nullopt;
    if (m_bits < 32 && (x >> m_bits) != 0)
        x = (std::uint32_t(1) << m_bits) - 1; // every value is below x
    return prev_from(m_bits - 1, {lo, hi}, 0, x);
}

std::size_t WaveletMatrix::bytes() const
{
    std::size_t total = 0;
    for (const auto& l : m_levels)
        total += l.bits.capacity() * sizeof(std::uint64_t)
            + l.ranks.capacity() * sizeof(std::uint32_t);
    return total;
}

} // namespace ado
