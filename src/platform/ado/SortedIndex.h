#pragma once
// A search index over one column: its non-Null rows sorted by key (case-
// folded text, or number), so that the rows meeting a criterion form at most
// two stretches of the sorted order, and a wavelet matrix over those row
// numbers, which gives the first such row in row order from any start, in
// either direction, in logarithmic time.
//
// Built once per column on the first search that can use it; about 8 bytes
// per row. Substring patterns (LIKE '*abc*') cannot use it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ado/Predicate.h"
#include "platform/ado/WaveletMatrix.h"

namespace ado {

class SortedIndex {
public:
    explicit SortedIndex(const Column& column);

    [[nodiscard]] static bool can_answer(const Predicate& p);

    // The first matching row at or after `from` (forward) or at or before it
    // (backward); `from` must be a row of the column.
    [[nodiscard]] std::optional<std::size_t> find(
        const Column& column, const Predicate& p, std::size_t from, bool forward) const;
    [[nodiscard]] std::size_t bytes() const;

private:
    struct Span {
        std::size_t lo;
        std::size_t hi;
    };
    struct Bounds {
        std::size_t lower; // first key >= literal
        std::size_t upper; // first key > literal
        std::size_t prefix_end; // first key past those starting with the literal (text)
    };

    void sort_text(const Column& column);
    void sort_numbers(const Column& column);
    [[nodiscard]] Bounds bounds(const Column& column, const Predicate& p) const;

    std::vector<std::uint32_t> m_rows; // sorted by key, then row
    WaveletMatrix m_wavelet;
};

} // namespace ado
