#include "platform/ado/KeyIndex.h"

#include <algorithm>
#include <array>
#include <limits>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <span>
#include <string>
#include <utility>

#include "platform/ado/CaseFold.h"
#include "platform/vb/Ascii.h"

namespace ado {

namespace {

// Eight bytes of the folded text from byte 8 * `chunk`, the first byte
// highest, Nul bytes past its end. Nine ASCII bytes fold on their own: a
// code point that could combine with the eighth would not be ASCII.
std::uint64_t chunk_of(std::string_view text, std::size_t chunk, std::string& scratch)
{
    const std::size_t at = 8 * chunk;
    const bool ascii = all_ascii(text.substr(0, at + 9));
    if (!ascii) {
        scratch.clear();
        append_case_fold(text, scratch);
    }
    const std::string_view folded = ascii ? text : std::string_view(scratch);
    std::uint64_t key = 0;
    for (std::size_t i = at; i < at + 8; ++i) {
        const char c = i < folded.size() ? folded[i] : '\0';
        key = key << 8 | static_cast<unsigned char>(ascii ? vb::ascii_lower(c) : c);
    }
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

constexpr std::size_t k_cancel_every = 1 << 16;
// Ties past this many chunks (texts sharing 32 folded bytes, or differing
// only by trailing Nul bytes) are ordered by whole texts.
constexpr std::size_t k_chunks = 4;
constexpr std::size_t k_ahead = 16;

// Thrown out of a sort's comparison when the build is cancelled.
struct Cancelled {};

// Twelve bytes: at ten million rows the entries are the build's largest
// temporary.
#pragma pack(push, 4)
struct Entry {
    std::uint64_t key;
    std::uint32_t row;
};
#pragma pack(pop)
static_assert(sizeof(Entry) == 12);

// Positions [lo, hi) of the sorted rows.
struct Run {
    std::uint32_t lo;
    std::uint32_t hi;
};

class Sorter {
public:
    Sorter(const Column& column, const std::atomic<bool>& cancel)
        : m_column(column), m_cancel(cancel)
    {
    }

    void tick()
    {
        if (++m_ticks % k_cancel_every == 0)
            tick_now();
    }
    void tick_now() const
    {
        if (m_cancel.load(std::memory_order_relaxed))
            throw Cancelled();
    }

    // Sorts `entries`, in row order, by key and then row: a byte at a time
    // from the lowest, each pass stable, passes over a byte that all keys
    // share skipped. For the first sort of the whole column.
    void radix_sort(std::vector<Entry>& entries)
    {
        std::vector<std::array<std::size_t, 256>> counts(8);
        for (const Entry& e : entries) {
            for (std::size_t b = 0; b < 8; ++b)
                ++counts[b][(e.key >> (8 * b)) & 0xFF];
        }
        std::vector<Entry> other(entries.size());
        for (std::size_t b = 0; b < 8; ++b) {
            auto& count = counts[b];
            if (std::find(count.begin(), count.end(), entries.size()) != count.end())
                continue;
            std::size_t at = 0;
            for (std::size_t& c : count)
                at += std::exchange(c, at);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (i % k_cancel_every == 0)
                    tick_now();
                const Entry e = entries[i];
                other[count[(e.key >> (8 * b)) & 0xFF]++] = e;
            }
            entries.swap(other);
        }
    }

    // Sorts `entries` by key, then by row.
    void sort(std::vector<Entry>& entries)
    {
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
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
        std::vector<Entry> buffer;
        std::vector<std::uint64_t> chunks;
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
                for_each_tie(buffer, [&](std::size_t lo, std::size_t hi) {
                    deeper.push_back({static_cast<std::uint32_t>(run.lo + lo),
                        static_cast<std::uint32_t>(run.lo + hi)});
                });
            }
            runs.swap(deeper);
        }
        chunks = {};
        // Texts sharing every chunk: by whole texts, rows staying in order.
        for (const Run run : runs) {
            std::stable_sort(rows.begin() + run.lo, rows.begin() + run.hi,
                [&](std::uint32_t a, std::uint32_t b) {
                    tick();
                    return compare_folded(m_column.text(a), m_column.text(b), m_fa, m_fb) < 0;
                });
        }
    }

    // Calls `f(lo, hi)` for each stretch of two or more equal keys.
    template <class F> static void for_each_tie(const std::vector<Entry>& sorted, F f)
    {
        for (std::size_t lo = 0; lo < sorted.size();) {
            std::size_t hi = lo + 1;
            while (hi < sorted.size() && sorted[hi].key == sorted[lo].key)
                ++hi;
            if (hi - lo > 1)
                f(lo, hi);
            lo = hi;
        }
    }

private:
    // The chunk at `depth` of every non-Null row, by row.
    void read_chunks(std::size_t depth, std::vector<std::uint64_t>& chunks)
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
    const std::size_t n = column.size();
    if (n > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    Sorter sorter(column, cancel);
    try {
        // 1. Each non-Null row with its first chunk, sorted by chunk and
        //    row: contiguous, so the sort runs from the cache.
        std::vector<Entry> entries;
        std::size_t present = 0;
        for (std::size_t row = 0; row < n; ++row)
            present += column.is_null(row) ? 0 : 1;
        entries.reserve(present);
        std::string scratch;
        for (std::size_t row = 0; row < n; ++row) {
            sorter.tick();
            if (!column.is_null(row))
                entries.push_back(
                    {chunk_of(column.text(row), 0, scratch), static_cast<std::uint32_t>(row)});
        }
        sorter.radix_sort(entries);
        auto index = std::unique_ptr<KeyIndex>(new KeyIndex());
        index->m_keys.resize(entries.size());
        index->m_rows.resize(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            index->m_keys[i] = entries[i].key;
            index->m_rows[i] = entries[i].row;
        }
        // 2. Rows sharing their first chunk, by the chunks after it.
        std::vector<Run> runs;
        Sorter::for_each_tie(entries, [&](std::size_t lo, std::size_t hi) {
            runs.push_back({static_cast<std::uint32_t>(lo), static_cast<std::uint32_t>(hi)});
        });
        entries = {};
        sorter.refine(index->m_rows, std::move(runs));
        if (cancel.load(std::memory_order_relaxed))
            return nullptr;
        index->m_wavelet = WaveletMatrix(index->m_rows);
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
    const auto lo = std::lower_bound(m_keys.begin(), m_keys.end(), want);
    const auto hi = std::upper_bound(lo, m_keys.end(), want | rest);
    auto a = static_cast<std::size_t>(lo - m_keys.begin());
    auto b = static_cast<std::size_t>(hi - m_keys.begin());
    if (whole || folded.size() > 8) {
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
    }
    if (a == b || from > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    const auto x = static_cast<std::uint32_t>(from);
    const auto hit = forward ? m_wavelet.next_value(a, b, x) : m_wavelet.prev_value(a, b, x);
    if (!hit)
        return std::nullopt;
    return *hit;
}

std::size_t KeyIndex::bytes() const
{
    return m_keys.capacity() * sizeof(std::uint64_t) + m_rows.capacity() * sizeof(std::uint32_t)
        + m_wavelet.bytes();
}

KeyIndexBuild::KeyIndexBuild(std::shared_ptr<const Table> table, std::size_t column)
{
    m_thread = std::thread([this, table = std::move(table), column] {
        try {
            m_index = KeyIndex::build(table->column(column), m_cancel);
        } catch (...) {
            // Out of memory: searches go on by the folded-prefix keys.
            m_index.reset();
        }
        m_ready.store(m_index.get(), std::memory_order_release);
#ifdef __GLIBC__
        // The build's temporaries were the size of the index again: give
        // their pages back rather than leave them with the allocator. Not
        // when cancelled: whoever cancelled is waiting for this thread.
        if (!m_cancel.load(std::memory_order_relaxed))
            malloc_trim(0);
#endif
    });
}

KeyIndexBuild::~KeyIndexBuild()
{
    m_cancel.store(true, std::memory_order_relaxed);
    if (m_thread.joinable())
        m_thread.join();
}

const KeyIndex* KeyIndexBuild::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return ready();
}

} // namespace ado
