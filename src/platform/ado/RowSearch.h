#pragma once
// Finding the first row that meets a predicate, from a starting row, in
// either direction. Two ways give the same answer: a scan, which serves every
// predicate, and the column's sorted index, built on first use and kept for
// the life of the table, which answers in logarithmic time.

#include <memory>
#include <optional>
#include <vector>

#include "platform/ado/Predicate.h"
#include "platform/ado/SortedIndex.h"
#include "platform/ado/Table.h"

namespace ado {

class RowSearch {
public:
    explicit RowSearch(std::shared_ptr<const Table> table);

    // The first matching row at or after `from` (forward) or at or before
    // it (backward), or nothing. `from` must be a row of the table.
    [[nodiscard]] std::optional<std::size_t> find(
        const Predicate& p, std::size_t from, bool forward);
    [[nodiscard]] std::optional<std::size_t> find_by_scan(
        const Predicate& p, std::size_t from, bool forward) const;
    // Nothing when the index cannot answer the predicate (see can_answer).
    [[nodiscard]] std::optional<std::size_t> find_by_index(
        const Predicate& p, std::size_t from, bool forward);

    // Bytes held by the indexes built so far.
    [[nodiscard]] std::size_t index_bytes() const;

private:
    const SortedIndex& index(std::size_t column);

    std::shared_ptr<const Table> m_table;
    std::vector<std::unique_ptr<SortedIndex>> m_indexes;
};

} // namespace ado
