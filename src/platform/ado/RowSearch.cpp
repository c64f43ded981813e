#include "platform/ado/RowSearch.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/ado/CaseFold.h"

namespace ado {

RowSearch::RowSearch(std::shared_ptr<const Table> table, std::size_t key_index_rows)
    : m_table(std::move(table)), m_key_index_rows(key_index_rows)
{
    m_indexes.resize(m_table->field_count());
    m_key_indexes.resize(m_table->field_count());
}

const KeyIndex* RowSearch::key_index(std::size_t column)
{
    if (m_table->row_count() < m_key_index_rows)
        return nullptr;
    auto& build = m_key_indexes[column];
    if (!build)
        build = std::make_unique<KeyIndexBuild>(m_table, column);
    return build->ready();
}

void RowSearch::prepare(std::size_t column)
{
    if (column >= m_key_indexes.size() || m_table->column(column).storage() != Storage::Text)
        return;
    if (m_table->row_count() < m_key_index_rows)
        (void)m_table->column(column).prefix_keys();
    else if (!m_key_indexes[column])
        m_key_indexes[column] = std::make_unique<KeyIndexBuild>(m_table, column, true);
}

void RowSearch::wait_for_key_indexes()
{
    for (const auto& build : m_key_indexes) {
        if (build)
            build->wait();
    }
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
    if (keys_answer(p)) {
        if (const KeyIndex* index = key_index(p.column))
            return find_by_key_index(*index, p, from, forward);
        return find_by_keys(p, from, forward);
    }
    if (p.op == CompareOp::Equal && p.kind != Predicate::Kind::Text)
        return find_by_scan(p, from, forward);
    if (SortedIndex::can_answer(p))
        return find_by_index(p, from, forward);
    return find_by_scan(p, from, forward);
}

bool RowSearch::keys_answer(const Predicate& p) const
{
    if (p.kind != Predicate::Kind::Text || m_table->column(p.column).storage() != Storage::Text)
        return false;
    const bool starts = p.op == CompareOp::Like && p.like != LikePattern::Mode::Contains;
    return (starts || p.op == CompareOp::Equal) && p.folded.find('\0') == std::string::npos;
}

namespace {

constexpr std::size_t k_block = 64;
constexpr std::size_t k_batch = 16;

// Whether any key of [lo, hi) starts with the wanted bytes; a loop without
// an exit, which the compiler turns into vector compares.
bool any_key(const std::uint32_t* keys, std::size_t lo, std::size_t hi, std::uint32_t mask,
    std::uint32_t want)
{
    bool any = false;
    for (std::size_t i = lo; i < hi; ++i)
        any |= (keys[i] & mask) == want;
    return any;
}

} // namespace

std::optional<std::size_t> RowSearch::find_by_keys(
    const Predicate& p, std::size_t from, bool forward) const
{
    if (!keys_answer(p))
        return std::nullopt;
    const Column& column = m_table->column(p.column);
    const std::uint32_t* keys = column.prefix_keys().data();
    const std::size_t n = m_table->row_count();
    const std::size_t known = std::min<std::size_t>(p.folded.size(), 4);
    const std::uint32_t mask
        = known == 4 ? ~std::uint32_t(0) : (std::uint32_t(1) << (8 * known)) - 1;
    const std::uint32_t want = prefix_key(p.folded);
    // A key settles a prefix of at most four bytes by itself; anything else
    // is folded and compared whole.
    const bool settled
        = p.op == CompareOp::Like && p.like == LikePattern::Mode::Prefix && p.folded.size() <= 4;
    const bool whole = !(p.op == CompareOp::Like && p.like == LikePattern::Mode::Prefix);
    if (n == 0)
        return std::nullopt;
    // Rows whose key matches are verified a batch at a time, in the order
    // met: where their texts lie, then the texts, are asked for ahead, so
    // that a batch waits for memory about twice rather than twice a row.
    std::array<std::size_t, k_batch> batch{};
    std::size_t count = 0;
    std::string scratch;
    const auto verify = [&]() -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < count; ++i)
            column.prefetch_place(batch[i]);
        for (std::size_t i = 0; i < count; ++i)
            column.prefetch_text(batch[i]);
        for (std::size_t i = 0; i < count; ++i) {
            // Most texts are ASCII: compared without folding them.
            const auto fast = ascii_match(column.text(batch[i]), p.folded, whole);
            if (fast ? *fast : row_matches(p, column, batch[i], scratch))
                return batch[i];
        }
        count = 0;
        return std::nullopt;
    };
    // The rows of [lo, hi) in the search's direction: the first that a key
    // settles, or the first verified once a batch is full.
    const auto visit = [&](std::size_t lo, std::size_t hi) -> std::optional<std::size_t> {
        if (!any_key(keys, lo, hi, mask, want))
            return std::nullopt;
        for (std::size_t i = 0; i < hi - lo; ++i) {
            const std::size_t row = forward ? lo + i : hi - 1 - i;
            // A Null's key is 0, which only an empty text's key matches.
            if ((keys[row] & mask) != want || (known == 0 && column.is_null(row)))
                continue;
            if (settled)
                return row;
            batch[count++] = row;
            if (count == k_batch) {
                if (const auto hit = verify())
                    return hit;
            }
        }
        return std::nullopt;
    };
    if (forward) {
        for (std::size_t lo = from; lo < n; lo += k_block) {
            if (const auto hit = visit(lo, std::min(n, lo + k_block)))
                return hit;
        }
    } else {
        for (std::size_t hi = std::min(from, n - 1) + 1; hi > 0;) {
            const std::size_t lo = hi > k_block ? hi - k_block : 0;
            if (const auto hit = visit(lo, hi))
                return hit;
            hi = lo;
        }
    }
    return verify();
}

std::optional<std::size_t> RowSearch::find_by_key_index(
    const KeyIndex& index, const Predicate& p, std::size_t from, bool forward) const
{
    const bool prefix = p.op == CompareOp::Like && p.like == LikePattern::Mode::Prefix;
    return index.find(m_table->column(p.column), p.folded, !prefix, from, forward);
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
    for (const auto& build : m_key_indexes) {
        if (const KeyIndex* index = build ? build->published() : nullptr)
            total += index->bytes();
    }
    return total;
}

} // namespace ado
