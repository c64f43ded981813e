#include <random>

#include <gtest/gtest.h>

#include "platform/ado/WaveletMatrix.h"

namespace {

// The nearest value at or above x (next) or at or below x (prev) in v[lo, hi).
std::optional<std::uint32_t> brute(
    const std::vector<std::uint32_t>& v, std::size_t lo, std::size_t hi, std::uint32_t x, bool next)
{
    std::optional<std::uint32_t> best;
    for (std::size_t i = lo; i < hi && i < v.size(); ++i) {
        if ((next ? v[i] >= x : v[i] <= x) && (!best || (next ? v[i] < *best : v[i] > *best)))
            best = v[i];
    }
    return best;
}

TEST(WaveletMatrix, AgreesWithAScanOnRandomPermutations)
{
    std::mt19937 rng(7);
    for (const std::size_t n : {1U, 2U, 63U, 64U, 65U, 1000U, 4097U}) {
        std::vector<std::uint32_t> v(n);
        for (std::size_t i = 0; i < n; ++i)
            v[i] = static_cast<std::uint32_t>(i);
        std::shuffle(v.begin(), v.end(), rng);
        const ado::WaveletMatrix wm(v);
        for (int q = 0; q < 300; ++q) {
            std::size_t lo = rng() % (n + 1);
            std::size_t hi = rng() % (n + 1);
            if (lo > hi)
                std::swap(lo, hi);
            const auto x = static_cast<std::uint32_t>(rng() % (n + 2));
            ASSERT_EQ(wm.next_value(lo, hi, x), brute(v, lo, hi, x, true))
                << n << " " << lo << " " << hi << " " << x;
            ASSERT_EQ(wm.prev_value(lo, hi, x), brute(v, lo, hi, x, false))
                << n << " " << lo << " " << hi << " " << x;
        }
    }
}

TEST(WaveletMatrix, EmptyAndOutOfRangeQueries)
{
    const ado::WaveletMatrix empty(std::vector<std::uint32_t>{});
    EXPECT_EQ(empty.next_value(0, 0, 0), std::nullopt);
    const std::vector<std::uint32_t> v{5, 3, 9};
    const ado::WaveletMatrix wm(v);
    EXPECT_EQ(wm.next_value(0, 3, 10), std::nullopt);
    EXPECT_EQ(wm.next_value(0, 3, 1000), std::nullopt);
    EXPECT_EQ(wm.prev_value(0, 3, 1000), 9U);
    EXPECT_EQ(wm.prev_value(0, 3, 2), std::nullopt);
    EXPECT_EQ(wm.next_value(2, 1, 0), std::nullopt);
    EXPECT_EQ(wm.next_value(1, 99, 4), 9U);
}

} // namespace
