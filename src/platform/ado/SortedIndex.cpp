#include "platform/ado/SortedIndex.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/ado/CaseFold.h"

namespace ado {

namespace {

constexpr std::uint32_t k_no_id = 0xffffffffU; // a Null row

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
    // 1. Each distinct text once: columns repeat their values a lot, and
    //    folding is the dear part.
    std::unordered_map<std::string_view, std::uint32_t> ids;
    std::vector<std::uint32_t> id_of_row(column.size(), k_no_id);
    std::vector<std::string_view> texts;
    for (std::size_t row = 0; row < column.size(); ++row) {
        if (column.is_null(row))
            continue;
        const auto [it, added]
            = ids.try_emplace(column.text(row), static_cast<std::uint32_t>(texts.size()));
        if (added)
            texts.push_back(it->first);
        id_of_row[row] = it->second;
    }
    // 2. Fold them and sort them; texts that fold alike share a rank.
    std::vector<std::string> folded(texts.size());
    std::vector<std::uint32_t> order(texts.size());
    for (std::uint32_t id = 0; id < texts.size(); ++id) {
        append_case_fold(texts[id], folded[id]);
        order[id] = id;
    }
    std::sort(order.begin(), order.end(),
        [&](std::uint32_t a, std::uint32_t b) { return folded[a] < folded[b]; });
    std::vector<std::uint32_t> rank(texts.size());
    std::uint32_t ranks = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && folded[order[i]] != folded[order[i - 1]])
            ++ranks;
        rank[order[i]] = ranks;
    }
    // 3. Rows by rank, and by row within a rank: a counting sort over the
    //    rows in their order.
    std::vector<std::uint32_t> start(texts.empty() ? 0 : ranks + 2, 0);
    for (const std::uint32_t id : id_of_row) {
        if (id != k_no_id)
            ++start[rank[id] + 1];
    }
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    m_rows.resize(start.empty() ? 0 : start.back());
    for (std::size_t row = 0; row < id_of_row.size(); ++row) {
        if (id_of_row[row] != k_no_id)
            m_rows[start[rank[id_of_row[row]]]++] = static_cast<std::uint32_t>(row);
    }
}

void SortedIndex::sort_numbers(const Column& column)
{
    // Sorted as (key, row) pairs side by side, which keeps the sort in
    // cache; NaN meets no comparison and is left out like Null.
    const bool integers = column.storage() == Storage::Integer;
    std::vector<std::pair<std::int64_t, std::uint32_t>> by_integer;
    std::vector<std::pair<double, std::uint32_t>> by_real;
    for (std::size_t row = 0; row < column.size(); ++row) {
        if (column.is_null(row))
            continue;
        const auto r = static_cast<std::uint32_t>(row);
        if (integers)
            by_integer.emplace_back(column.integer(row), r);
        else if (!std::isnan(column.real(row)))
            by_real.emplace_back(column.real(row), r);
    }
    auto take = [this](auto& pairs) {
        std::sort(pairs.begin(), pairs.end());
        m_rows.reserve(pairs.size());
        for (const auto& p : pairs)
            m_rows.push_back(p.second);
    };
    if (integers)
        take(by_integer);
    else
        take(by_real);
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
