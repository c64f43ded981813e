#pragma once
// Finding the first row that meets a predicate, from a starting row, in
// either direction. Three ways give the same answer:
//  - prefix and equality searches on text scan the column's folded-prefix
//    keys (four bytes a row, no index to build: the first search after
//    opening costs what every later one does) and fold only rows whose key
//    matches;
//  - other comparisons use the column's sorted index, built on first use
//    and kept for the life of the table, which answers in logarithmic time;
//  - a plain scan serves every predicate, numbers' equality among them.

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
    // Nothing when the keys cannot answer the predicate (see keys_answer).
    [[nodiscard]] std::optional<std::size_t> find_by_keys(
        const Predicate& p, std::size_t from, bool forward) const;
    [[nodiscard]] bool keys_answer(const Predicate& p) const;

    // Bytes held by the indexes built so far.
    [[nodiscard]] std::size_t index_bytes() const;

private:
    const SortedIndex& index(std::size_t column);

    std::shared_ptr<const Table> m_table;
    std::vector<std::unique_ptr<SortedIndex>> m_indexes;
};

} // namespace ado
