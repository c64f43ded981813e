#include "platform/ado/RowSearch.h"

#include <string>

namespace ado {

RowSearch::RowSearch(std::shared_ptr<const Table> table) : m_table(std::move(table))
{
    m_indexes.resize(m_table->field_count());
}

const SortedIndex& RowSearch::index(std::size_t column)
{
    auto& slot = m_indexes[column];
    if (!slot)
        slot = std::make_unique<SortedIndex>(m_table->column(column));
    return *slot;
}

std::optional<std::size_t> RowSearch::find(const Predicate& p, std::size_t from, bool forward)
{
    if (SortedIndex::can_answer(p))
        return find_by_index(p, from, forward);
    return find_by_scan(p, from, forward);
}

std::optional<std::size_t> RowSearch::find_by_scan(
    const Predicate& p, std::size_t from, bool forward) const
{
    const Column& column = m_table->column(p.column);
    const std::size_t n = m_table->row_count();
    std::string scratch;
    if (n == 0)
        return std::nullopt;
    if (forward) {
        for (std::size_t row = from; row < n; ++row) {
            if (row_matches(p, column, row, scratch))
                return row;
        }
        return std::nullopt;
    }
    for (std::size_t row = std::min(from, n - 1) + 1; row-- > 0;) {
        if (row_matches(p, column, row, scratch))
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> RowSearch::find_by_index(
    const Predicate& p, std::size_t from, bool forward)
{
    if (!SortedIndex::can_answer(p))
        return std::nullopt;
    return index(p.column).find(m_table->column(p.column), p, from, forward);
}

std::size_t RowSearch::index_bytes() const
{
    std::size_t total = 0;
    for (const auto& i : m_indexes) {
        if (i)
            total += i->bytes();
    }
    return total;
}

} // namespace ado
