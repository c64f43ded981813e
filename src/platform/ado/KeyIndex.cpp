#include "platform/ado/KeyIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <utility>

#include "platform/ado/CaseFold.h"
#include "platform/ado/Halves.h"
#include "platform/ado/KeySort.h"
#include "platform/vb/Ascii.h"

namespace ado {

namespace {

constexpr std::uint64_t k_ones = 0x0101010101010101;
constexpr std::uint64_t k_high = 0x80 * k_ones;

// Eight ASCII bytes in their lower case: a byte gains 0x20 when it is at
// least 'A' and not above 'Z' (no sum carries into the next byte).
std::uint64_t ascii_lower_word(std::uint64_t word)
{
    const std::uint64_t from_a = word + (0x80 - 'A') * k_ones;
    const std::uint64_t past_z = word + (0x80 - 'Z' - 1) * k_ones;
    return word | ((from_a & ~past_z & k_high) >> 2);
}

// Eight bytes of the folded text from byte 8 * `chunk`, the first byte
// highest, Nul bytes past its end. Nine ASCII bytes fold on their own: a
// code point that could combine with the eighth would not be ASCII.
std::uint64_t chunk_of(std::string_view text, std::size_t chunk, std::string& scratch)
{
    const std::size_t at = 8 * chunk;
    std::uint64_t word = 0; // the bytes at `at`, the first lowest
    if (text.size() > at)
        std::memcpy(&word, text.data() + at, std::min<std::size_t>(8, text.size() - at));
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    const bool next_ascii
        = text.size() <= at + 8 || static_cast<unsigned char>(text[at + 8]) < 0x80;
    if ((word & k_high) == 0 && next_ascii && all_ascii(text.substr(0, at)))
        return __builtin_bswap64(ascii_lower_word(word));
    scratch.clear();
    append_case_fold_head(text, at + 8, scratch);
    std::uint64_t key = 0;
    for (std::size_t i = at; i < at + 8; ++i)
        key = key << 8 | (i < scratch.size() ? static_cast<unsigned char>(scratch[i]) : 0U);
    return key;
}

// The order of two texts by their folded forms; all-ASCII texts, the most,
// fold to their lower case and are compared without folding.
int compare_folded(std::string_view x, std::string_view y, std::string& fx, std::string& fy)
{
    if (all_ascii(x) && all_ascii(y)) {
        for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
            const auto a = static_cast<unsigned char>(vb::ascii_lower(x[i]));
            const auto b = static_cast<unsigned char>(vb::ascii_lower(y[i]));
            if (a != b)
                return a < b ? -1 : 1;
        }
        return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
    }
    fx.clear();
    fy.clear();
    append_case_fold(x, fx);
    append_case_fold(y, fy);
    return fx.compare(fy);
}

// Ties past this many chunks (texts sharing 32 folded bytes, or differing
// only by trailing Nul bytes) are ordered by whole texts.
constexpr std::size_t k_chunks = 4;
constexpr std::size_t k_ahead = 16;

// Thrown out of a sort's comparison when the build is cancelled.
struct Cancelled {};

// Positions [lo, hi) of the sorted rows.
struct Run {
    std::uint32_t lo;
    std::uint32_t hi;
};

// Rows from which the first stage's passes run on two threads.
constexpr std::size_t k_split_rows = 1 << 16;

class Sorter {
public:
    Sorter(const Column& column, const std::atomic<bool>& cancel)
        : m_column(column), m_cancel(cancel)
    {
    }

    void tick()
    {
        if (++m_ticks % k_check_every == 0)
            tick_now();
    }
    void tick_now() const
    {
        if (m_cancel.load(std::memory_order_relaxed))
            throw Cancelled();
    }

    // Sorts `entries` by key, then by row.
    void sort(std::vector<KeyRow>& entries)
    {
        std::sort(entries.begin(), entries.end(), [&](const KeyRow& a, const KeyRow& b) {
            tick();
            return a.key != b.key ? a.key < b.key : a.row < b.row;
        });
    }

    // Orders the rows of each run (positions [lo, hi) of `rows` whose first
    // `depth` chunks are equal, in row order) by the rest of their folded
    // texts, then by row: one depth at a time, so that each depth's chunk
    // is read for all rows in row order, once, rather than fetched row by
    // row from all over the column.
    void refine(std::span<std::uint32_t> rows, std::vector<Run> runs)
    {
        std::vector<KeyRow> buffer;
        PodVector<std::uint64_t> chunks;
        for (std::size_t depth = 1; depth < k_chunks && !runs.empty(); ++depth) {
            // A few rows left in runs are read where they lie.
            std::size_t in_runs = 0;
            for (const Run run : runs)
                in_runs += run.hi - run.lo;
            const bool all = in_runs * 8 >= m_column.size();
            if (all)
                read_chunks(depth, chunks);
            std::vector<Run> deeper;
            for (const Run run : runs) {
                buffer.resize(run.hi - run.lo);
                for (std::size_t i = 0; i < buffer.size(); ++i) {
                    // The rows of a run are far apart: ask for a later one's chunk early.
                    if (i + k_ahead < buffer.size()) {
                        const std::uint32_t later = rows[run.lo + i + k_ahead];
                        __builtin_prefetch(all
                                ? static_cast<const void*>(&chunks[later])
                                : static_cast<const void*>(m_column.text(later).data()));
                    }
                    const std::uint32_t row = rows[run.lo + i];
                    buffer[i]
                        = {all ? chunks[row] : chunk_of(m_column.text(row), depth, m_fa), row};
                }
                sort(buffer);
                for (std::size_t i = 0; i < buffer.size(); ++i)
                    rows[run.lo + i] = buffer[i].row;
                const auto key = [&](std::size_t i) { return buffer[i].key; };
                for_each_tie(buffer.size(), key, [&](std::size_t lo, std::size_t hi) {
                    deeper.push_back({static_cast<std::uint32_t>(run.lo + lo),
                        static_cast<std::uint32_t>(run.lo + hi)});
                });
            }
            runs.swap(deeper);
        }
        chunks.reset();
        // Texts sharing every chunk: by whole texts, rows staying in order.
        for (const Run run : runs) {
            std::stable_sort(rows.begin() + run.lo, rows.begin() + run.hi,
                [&](std::uint32_t a, std::uint32_t b) {
                    tick();
                    return compare_folded(m_column.text(a), m_column.text(b), m_fa, m_fb) < 0;
                });
        }
    }

    // Calls `f(lo, hi)` for each stretch of two or more positions below `n`
    // with equal `key(position)`.
    template <class K, class F> static void for_each_tie(std::size_t n, K key, F f)
    {
        for (std::size_t lo = 0; lo < n;) {
            std::size_t hi = lo + 1;
            while (hi < n && key(hi) == key(lo))
                ++hi;
            if (hi - lo > 1)
                f(lo, hi);
            lo = hi;
        }
    }

private:
    // The chunk at `depth` of every non-Null row, by row.
    void read_chunks(std::size_t depth, PodVector<std::uint64_t>& chunks)
    {
        chunks.assign(m_column.size(), 0);
        for (std::size_t row = 0; row < chunks.size(); ++row) {
            tick();
            if (!m_column.is_null(row))
                chunks[row] = chunk_of(m_column.text(row), depth, m_fa);
        }
    }

    const Column& m_column;
    const std::atomic<bool>& m_cancel;
    std::size_t m_ticks = 0;
    std::string m_fa;
    std::string m_fb;
};

} // namespace

std::unique_ptr<KeyIndex> KeyIndex::build(const Column& column, const std::atomic<bool>& cancel)
{
    auto first = first_stage(column, cancel);
    if (!first || first->complete())
        return first;
    return refined(*first, column, cancel);
}

std::unique_ptr<KeyIndex> KeyIndex::first_stage(
    const Column& column, const std::atomic<bool>& cancel)
{
    const std::size_t n = column.size();
    if (n > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    const bool split = n >= k_split_rows;
    const auto check = [&] {
        if (cancel.load(std::memory_order_relaxed))
            throw Cancelled();
    };
    try {
        // 1. Each non-Null row with its first chunk, sorted by chunk and
        //    row: contiguous, so the sort runs from the cache. Each half of
        //    the rows fills its own part. Temporaries of the index's size
        //    and more are mapped of their own, so that they go back to the
        //    system the moment they are freed.
        std::array<std::size_t, 2> present{};
        in_halves(split, [&](int h) {
            const Half rows = half(h, n);
            for (std::size_t row = rows.lo; row < rows.hi; ++row)
                present[static_cast<std::size_t>(h)] += column.is_null(row) ? 0 : 1;
        });
        PodVector<KeyRow> entries;
        entries.resize_for_overwrite(present[0] + present[1]);
        in_halves(split, [&](int h) {
            const Half rows = half(h, n);
            std::size_t at = h == 0 ? 0 : present[0];
            std::string scratch;
            for (std::size_t row = rows.lo; row < rows.hi; ++row) {
                if ((row - rows.lo) % k_check_every == 0)
                    check();
                if (!column.is_null(row))
                    entries[at++]
                        = {chunk_of(column.text(row), 0, scratch), static_cast<std::uint32_t>(row)};
            }
        });
        radix_sort(entries, split, check);
        // 2. The keys and the rows apart.
        auto index = std::unique_ptr<KeyIndex>(new KeyIndex());
        auto keys = std::make_shared<std::vector<std::uint64_t>>(entries.size());
        index->m_rows.resize(entries.size());
        in_halves(split, [&](int h) {
            const Half part = half(h, entries.size());
            for (std::size_t i = part.lo; i < part.hi; ++i) {
                (*keys)[i] = entries[i].key;
                index->m_rows[i] = entries[i].row;
            }
        });
        entries.reset();
        index->m_complete = std::adjacent_find(keys->begin(), keys->end()) == keys->end();
        index->m_keys = std::move(keys);
        check();
        index->m_wavelet = std::make_shared<const WaveletMatrix>(index->m_rows);
        return index;
    } catch (const Cancelled&) {
        return nullptr;
    }
}

std::unique_ptr<KeyIndex> KeyIndex::refined(
    const KeyIndex& first, const Column& column, const std::atomic<bool>& cancel)
{
    Sorter sorter(column, cancel);
    try {
        auto index = std::unique_ptr<KeyIndex>(new KeyIndex());
        index->m_keys = first.m_keys;
        index->m_wavelet = first.m_wavelet;
        index->m_rows = first.m_rows;
        // Rows sharing their first chunk, by the chunks after it.
        std::vector<Run> runs;
        const auto& keys = *index->m_keys;
        const auto key = [&](std::size_t i) { return keys[i]; };
        Sorter::for_each_tie(keys.size(), key, [&](std::size_t lo, std::size_t hi) {
            runs.push_back({static_cast<std::uint32_t>(lo), static_cast<std::uint32_t>(hi)});
        });
        sorter.refine(index->m_rows, std::move(runs));
        if (cancel.load(std::memory_order_relaxed))
            return nullptr;
        index->m_complete = true;
        return index;
    } catch (const Cancelled&) {
        return nullptr;
    }
}

std::optional<std::size_t> KeyIndex::find(
    const Column& column, std::string_view folded, bool whole, std::size_t from, bool forward) const
{
    const std::size_t known = std::min<std::size_t>(folded.size(), 8);
    std::uint64_t want = 0;
    for (std::size_t i = 0; i < 8; ++i)
        want = want << 8 | (i < known ? static_cast<unsigned char>(folded[i]) : 0U);
    // The bytes past the known ones may be anything.
    const std::uint64_t rest = known == 0 ? ~std::uint64_t(0)
        : known == 8                      ? 0
                                          : ~std::uint64_t(0) >> (8 * known);
    const std::vector<std::uint64_t>& keys = *m_keys;
    const bool past_key = whole || folded.size() > 8;
    const auto lo = std::lower_bound(keys.begin(), keys.end(), want);
    // Past the key only rows whose eight bytes are exactly the wanted ones
    // can match.
    const auto hi = std::upper_bound(lo, keys.end(), past_key ? want : want | rest);
    auto a = static_cast<std::size_t>(lo - keys.begin());
    auto b = static_cast<std::size_t>(hi - keys.begin());
    if (past_key && !m_complete)
        return find_among_tied(column, folded, whole, a, b, from, forward);
    if (past_key) {
        // Past eight bytes (or for the whole text) the rows of the stretch
        // are in the order of their folded texts: two binary searches.
        std::string scratch;
        const auto order = [&](std::size_t i) {
            scratch.clear();
            append_case_fold(column.text(m_rows[i]), scratch);
            const bool starts = scratch.starts_with(folded);
            return starts ? (whole && scratch.size() > folded.size() ? 1 : 0)
                          : (scratch < folded ? -1 : 1);
        };
        const auto first = [&](std::size_t l, std::size_t h, int at_least) {
            while (l < h) {
                const std::size_t mid = l + (h - l) / 2;
                if (order(mid) < at_least)
                    l = mid + 1;
                else
                    h = mid;
            }
            return l;
        };
        a = first(a, b, 0);
        b = first(a, b, 1);
        return nearest(a, b, from, forward);
    }
    if (a == b || from > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    // The stretch is made of whole runs of equal keys, which hold the same
    // rows in both stages: the matrix over the first stage's order answers.
    const auto x = static_cast<std::uint32_t>(from);
    const auto hit = forward ? m_wavelet->next_value(a, b, x) : m_wavelet->prev_value(a, b, x);
    if (!hit)
        return std::nullopt;
    return *hit;
}

// Positions [lo, hi) share their eight bytes and hold their rows in row
// order: the rows from `from` on are checked one by one, their texts asked
// for a few rows ahead.
std::optional<std::size_t> KeyIndex::find_among_tied(const Column& column, std::string_view folded,
    bool whole, std::size_t lo, std::size_t hi, std::size_t from, bool forward) const
{
    constexpr std::size_t k_place_ahead = 16;
    constexpr std::size_t k_text_ahead = 8;
    const auto first = m_rows.begin() + static_cast<std::ptrdiff_t>(lo);
    const auto last = m_rows.begin() + static_cast<std::ptrdiff_t>(hi);
    const auto start
        = forward ? std::lower_bound(first, last, from) : std::upper_bound(first, last, from);
    const auto count = static_cast<std::size_t>(forward ? last - start : start - first);
    const auto row_at = [&](std::size_t i) {
        return forward ? start[static_cast<std::ptrdiff_t>(i)]
                       : start[-1 - static_cast<std::ptrdiff_t>(i)];
    };
    std::string scratch;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + k_place_ahead < count)
            column.prefetch_place(row_at(i + k_place_ahead));
        if (i + k_text_ahead < count)
            column.prefetch_text(row_at(i + k_text_ahead));
        const std::uint32_t row = row_at(i);
        const std::string_view text = column.text(row);
        auto match = ascii_match(text, folded, whole);
        if (!match) {
            scratch.clear();
            append_case_fold(text, scratch);
            match = whole ? scratch == folded : scratch.starts_with(folded);
        }
        if (*match)
            return row;
    }
    return std::nullopt;
}

// The first row at or after `from` (or at or before it) among the rows at
// positions [lo, hi): rows sharing eight bytes, a few as a rule, read in a
// loop the compiler turns into vector compares.
std::optional<std::size_t> KeyIndex::nearest(
    std::size_t lo, std::size_t hi, std::size_t from, bool forward) const
{
    constexpr std::uint32_t k_none = std::numeric_limits<std::uint32_t>::max();
    if (from > k_none)
        return forward ? std::nullopt : nearest(lo, hi, k_none, false);
    const auto x = static_cast<std::uint32_t>(from);
    std::uint32_t best = forward ? k_none : 0;
    bool any = false;
    for (std::size_t i = lo; i < hi; ++i) {
        const std::uint32_t row = m_rows[i];
        const bool side = forward ? row >= x : row <= x;
        any |= side;
        if (side)
            best = forward ? std::min(best, row) : std::max(best, row);
    }
    if (!any)
        return std::nullopt;
    return best;
}

std::size_t KeyIndex::bytes() const
{
    return (m_keys ? m_keys->capacity() * sizeof(std::uint64_t) : 0)
        + m_rows.capacity() * sizeof(std::uint32_t) + (m_wavelet ? m_wavelet->bytes() : 0);
}

} // namespace ado
