#pragma once
// A pass over a large array split in two halves, one on a thread of its
// own: the passes that sort a column's key index while a host binds run on
// both cores of a small machine.

#include <cstddef>
#include <functional>

namespace ado {

// Calls f(0) and f(1) and returns once both are done: f(1) on a new thread
// when `split` (and a thread can be started), else after f(0). An exception
// from either is thrown here, f(0)'s first.
void in_halves(bool split, const std::function<void(int half)>& f);

// Where the second half of [0, n) starts, on a multiple of `align`.
[[nodiscard]] inline std::size_t half_of(std::size_t n, std::size_t align = 1)
{
    return n / 2 / align * align;
}

// Positions [lo, hi) of half `h` of [0, n).
struct Half {
    std::size_t lo;
    std::size_t hi;
};
[[nodiscard]] inline Half half(int h, std::size_t n)
{
    const std::size_t mid = half_of(n);
    return h == 0 ? Half{0, mid} : Half{mid, n};
}

} // namespace ado
