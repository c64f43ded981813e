#include "platform/ado/SortedIndex.h"

#include <algorithm>
#include <cmath>

#include "platform/ado/CaseFold.h"

namespace ado {

namespace {

// The first 8 bytes of a key, big-endian, so integers order as the bytes.
std::uint64_t key_prefix(std::string_view key)
{
    std::uint64_t p = 0;
    for (std::size_t i = 0; i < 8; ++i)
        p = (p << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0U);
    return p;
}

template <class Less> std::size_t partition_point(std::size_t n, Less&& before)
{
    std::size_t lo = 0;
    std::size_t hi = n;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (before(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

SortedIndex::SortedIndex(const Column& column)
{
    if (column.storage() == Storage::Text)
        sort_text(column);
    else
        sort_numbers(column);
    m_wavelet = WaveletMatrix(m_rows);
}

void SortedIndex::sort_text(const Column& column)
{
    // 1. Fold every key once into one arena.
    std::string arena;
    std::vector<std::size_t> ends;
    struct Entry {
        std::uint64_t prefix;
        std::uint32_t row;
    };
    std::vector<Entry> entries;
    for (std::size_t row = 0; row < column.size(); ++row) {
        const std::size_t begin = arena.size();
        if (!column.is_null(row)) {
            append_case_fold(column.text(row), arena);
            entries.push_back({key_prefix(std::string_view(arena).substr(begin)),
                static_cast<std::uint32_t>(row)});
        }
        ends.push_back(arena.size());
    }
    auto key = [&](std::uint32_t row) {
        const std::size_t begin = row == 0 ? 0 : ends[row - 1];
        return std::string_view(arena).substr(begin, ends[row] - begin);
    };
    // 2. Sort by the 8-byte prefix, the whole key when those tie, then row.
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int c = key(a.row).compare(key(b.row));
        return c != 0 ? c < 0 : a.row < b.row;
    });
    m_rows.reserve(entries.size());
    for (const auto& e : entries)
        m_rows.push_back(e.row);
}

void SortedIndex::sort_numbers(const Column& column)
{
    for (std::size_t row = 0; row < column.size(); ++row) {
        if (column.is_null(row))
            continue;
        if (column.storage() != Storage::Integer && std::isnan(column.real(row)))
            continue; // NaN meets no comparison
        m_rows.push_back(static_cast<std::uint32_t>(row));
    }
    if (column.storage() == Storage::Integer) {
        std::stable_sort(m_rows.begin(), m_rows.end(), [&](std::uint32_t a, std::uint32_t b) {
            return column.integer(a) < column.integer(b);
        });
    } else {
        std::stable_sort(m_rows.begin(), m_rows.end(),
            [&](std::uint32_t a, std::uint32_t b) { return column.real(a) < column.real(b); });
    }
}

bool SortedIndex::can_answer(const Predicate& p)
{
    if (p.kind == Predicate::Kind::Never)
        return false;
    return p.op != CompareOp::Like || p.like != LikePattern::Mode::Contains || p.folded.empty();
}

SortedIndex::Bounds SortedIndex::bounds(const Column& column, const Predicate& p) const
{
    std::string scratch;
    bool prefixed = false;
    // The order of a row's key against the literal; for text also whether
    // the key starts with it.
    auto order = [&](std::size_t i) {
        const std::uint32_t row = m_rows[i];
        switch (p.kind) {
        case Predicate::Kind::Integer:
            return compare_values(column.integer(row), p.number);
        case Predicate::Kind::Real:
            return compare_values(column.real(row), p.number);
        default:
            break;
        }
        scratch.clear();
        append_case_fold(column.text(row), scratch);
        prefixed = std::string_view(scratch).starts_with(p.folded);
        const int c = std::string_view(scratch).compare(p.folded);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    };
    Bounds b{};
    b.lower = partition_point(m_rows.size(), [&](std::size_t i) { return order(i) < 0; });
    b.upper = b.lower + partition_point(m_rows.size() - b.lower, [&](std::size_t i) {
        return order(b.lower + i) <= 0;
    });
    b.prefix_end = b.upper;
    if (p.kind == Predicate::Kind::Text)
        b.prefix_end = b.upper + partition_point(m_rows.size() - b.upper, [&](std::size_t i) {
            order(b.upper + i);
            return prefixed;
        });
    return b;
}

std::optional<std::size_t> SortedIndex::find(
    const Column& column, const Predicate& p, std::size_t from, bool forward) const
{
    const std::size_t n = m_rows.size();
    Span spans[2] = {{0, 0}, {0, 0}};
    if (p.op == CompareOp::Like && p.like == LikePattern::Mode::Contains) {
        spans[0] = {0, n}; // an empty substring: every non-Null row
    } else {
        const Bounds b = bounds(column, p);
        switch (p.op) {
        case CompareOp::Equal:
            spans[0] = {b.lower, b.upper};
            break;
        case CompareOp::Like:
            spans[0] = {b.lower, p.like == LikePattern::Mode::Prefix ? b.prefix_end : b.upper};
            break;
        case CompareOp::NotEqual:
            spans[0] = {0, b.lower};
            spans[1] = {b.upper, n};
            break;
        case CompareOp::Less:
            spans[0] = {0, b.lower};
            break;
        case CompareOp::LessEqual:
            spans[0] = {0, b.upper};
            break;
        case CompareOp::Greater:
            spans[0] = {b.upper, n};
            break;
        case CompareOp::GreaterEqual:
            spans[0] = {b.lower, n};
            break;
        }
    }
    std::optional<std::uint32_t> best;
    const auto start = static_cast<std::uint32_t>(from);
    for (const Span& s : spans) {
        const auto hit = forward ? m_wavelet.next_value(s.lo, s.hi, start)
                                 : m_wavelet.prev_value(s.lo, s.hi, start);
        if (hit && (!best || (forward ? *hit < *best : *hit > *best)))
            best = hit;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

std::size_t SortedIndex::bytes() const
{
    return m_rows.capacity() * sizeof(std::uint32_t) + m_wavelet.bytes();
}

} // namespace ado
