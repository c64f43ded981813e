#pragma once
// Finding the first row that meets a predicate, from a starting row, in
// either direction. Three ways give the same answer:
//  - prefix and equality searches on text scan the column's folded-prefix
//    keys (four bytes a row, made by the first search or by prepare) and
//    fold only rows whose key matches; on a large table the first such
//    search (or prepare) also starts the column's key index (KeyIndex.h),
//    which answers in logarithmic time once a stage of it is ready;
//  - other comparisons use the column's sorted index, built on first use
//    and kept for the life of the table, which answers in logarithmic time;
//  - a plain scan serves every predicate, numbers' equality among them.

#include <memory>
#include <optional>
#include <vector>

#include "platform/ado/KeyIndex.h"
#include "platform/ado/Predicate.h"
#include "platform/ado/SortedIndex.h"
#include "platform/ado/Table.h"

namespace ado {

class RowSearch {
public:
    // Tables of `key_index_rows` rows or more get key indexes.
    explicit RowSearch(
        std::shared_ptr<const Table> table, std::size_t key_index_rows = k_key_index_rows);

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
    // Readies a text column for the searches by prefix about to come as
    // each key is typed: its folded-prefix keys, or on a large table the
    // first stage of its key index (the rest follows on a thread of its
    // own), are made now rather than by the first search.
    void prepare(std::size_t column);
    // Waits for the key indexes started so far (for tests and benchmarks).
    void wait_for_key_indexes();

    static constexpr std::size_t k_key_index_rows = 200'000;

    // Bytes held by the indexes built so far.
    [[nodiscard]] std::size_t index_bytes() const;

private:
    const SortedIndex& index(std::size_t column);
    // The column's key index if complete; starts it when it is due.
    [[nodiscard]] const KeyIndex* key_index(std::size_t column);
    [[nodiscard]] std::optional<std::size_t> find_by_key_index(
        const KeyIndex& index, const Predicate& p, std::size_t from, bool forward) const;

    std::shared_ptr<const Table> m_table;
    std::vector<std::unique_ptr<SortedIndex>> m_indexes;
    std::size_t m_key_index_rows;
    std::vector<std::unique_ptr<KeyIndexBuild>> m_key_indexes;
};

} // namespace ado
