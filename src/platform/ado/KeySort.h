#pragma once
// The first sort of a text column's key index: each non-Null row with the
// first eight bytes of its folded text as a number, sorted by that number
// and then by row.

#include <cstdint>
#include <functional>

#include "platform/ado/PodVector.h"

namespace ado {

// Twelve bytes: at ten million rows the entries are the build's largest
// temporary.
#pragma pack(push, 4)
struct KeyRow {
    std::uint64_t key;
    std::uint32_t row;
};
#pragma pack(pop)
static_assert(sizeof(KeyRow) == 12);

// Rows between two calls of a sort's check (which throws to stop it).
constexpr std::size_t k_check_every = 1 << 16;

// Sorts `entries`, in row order, by key and then row: a byte at a time
// from the lowest, each pass stable, passes over a byte that all keys share
// skipped. Each half of the array is counted and moved by a thread of its
// own when `split`: a half's values of a byte go after the other half's
// before it, and while moving, each thread counts the next pass's byte per
// half of where it writes. `check` is called every k_check_every entries.
void radix_sort(PodVector<KeyRow>& entries, bool split, const std::function<void()>& check);

} // namespace ado
