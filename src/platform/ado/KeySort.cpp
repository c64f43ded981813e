#include "platform/ado/KeySort.h"

#include <array>
#include <utility>
#include <vector>

#include "platform/ado/Halves.h"

namespace ado {

namespace {

using Counts = std::array<std::size_t, 256>;

std::size_t byte_of(std::uint64_t key, int b)
{
    return (key >> (8 * b)) & 0xFF;
}

} // namespace

void radix_sort(PodVector<KeyRow>& entries, bool split, const std::function<void()>& check)
{
    const std::size_t n = entries.size();
    // counts[h][b]: byte b of the keys in half h, in the order given.
    std::array<std::array<Counts, 8>, 2> counts{};
    in_halves(split, [&](int h) {
        const Half part = half(h, n);
        for (std::size_t i = part.lo; i < part.hi; ++i) {
            const std::uint64_t key = entries[i].key;
            for (int b = 0; b < 8; ++b)
                ++counts[h][b][byte_of(key, b)];
        }
    });
    std::vector<int> passes;
    for (int b = 0; b < 8; ++b) {
        bool shared = false;
        for (std::size_t v = 0; v < 256; ++v)
            shared = shared || counts[0][b][v] + counts[1][b][v] == n;
        if (!shared)
            passes.push_back(b);
    }
    if (passes.empty())
        return;
    PodVector<KeyRow> other;
    other.resize_for_overwrite(n);
    std::array<Counts, 2> here = {counts[0][passes[0]], counts[1][passes[0]]};
    const std::size_t mid = half_of(n);
    for (std::size_t p = 0; p < passes.size(); ++p) {
        const int b = passes[p];
        const int next = p + 1 < passes.size() ? passes[p + 1] : -1;
        std::array<Counts, 2> at{};
        for (std::size_t v = 0, start = 0; v < 256; ++v) {
            at[0][v] = start;
            at[1][v] = start + here[0][v];
            start += here[0][v] + here[1][v];
        }
        // counted[h][d]: the next byte of what half h wrote to half d.
        std::array<std::array<Counts, 2>, 2> counted{};
        in_halves(split, [&](int h) {
            const Half part = half(h, n);
            Counts& to = at[static_cast<std::size_t>(h)];
            auto& tally = counted[static_cast<std::size_t>(h)];
            for (std::size_t i = part.lo; i < part.hi; ++i) {
                if ((i - part.lo) % k_check_every == 0)
                    check();
                const KeyRow e = entries[i];
                const std::size_t j = to[byte_of(e.key, b)]++;
                other[j] = e;
                if (next >= 0)
                    ++tally[j < mid ? 0 : 1][byte_of(e.key, next)];
            }
        });
        for (std::size_t d = 0; d < 2; ++d) {
            for (std::size_t v = 0; v < 256; ++v)
                here[d][v] = counted[0][d][v] + counted[1][d][v];
        }
        std::swap(entries, other);
    }
}

} // namespace ado
