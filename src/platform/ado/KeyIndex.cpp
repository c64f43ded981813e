#include "platform/ado/KeyIndex.h"

#include <algorithm>
#include <limits>
#include <string>

#include "platform/ado/CaseFold.h"
#include "platform/vb/Ascii.h"

namespace ado {

namespace {

// The first eight bytes of the folded text, the first byte highest, Nul
// bytes after a shorter text. Nine ASCII bytes fold on their own: a code
// point that could combine with the eighth would not be ASCII.
std::uint64_t first_eight(std::string_view text, std::string& scratch)
{
    const std::size_t head = std::min<std::size_t>(text.size(), 9);
    bool ascii = true;
    for (std::size_t i = 0; i < head; ++i)
        ascii = ascii && static_cast<unsigned char>(text[i]) < 0x80;
    scratch.clear();
    if (ascii) {
        for (std::size_t i = 0; i < std::min<std::size_t>(head, 8); ++i)
            scratch.push_back(vb::ascii_lower(text[i]));
    } else {
        append_case_fold(text, scratch);
    }
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i)
        key = key << 8 | (i < scratch.size() ? static_cast<unsigned char>(scratch[i]) : 0U);
    return key;
}

// The order of two texts by their folded forms; all-ASCII texts, the most,
// fold to their lower case and are compared without folding.
int compare_folded(std::string_view x, std::string_view y, std::string& fx, std::string& fy)
{
    const auto ascii = [](std::string_view s) {
        bool all = true;
        for (const char c : s)
            all = all && static_cast<unsigned char>(c) < 0x80;
        return all;
    };
    if (ascii(x) && ascii(y)) {
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

// Thrown out of the sort's comparison when the build is cancelled.
struct Cancelled {};

} // namespace

std::unique_ptr<KeyIndex> KeyIndex::build(const Column& column, const std::atomic<bool>& cancel)
{
    const std::size_t n = column.size();
    if (n > std::numeric_limits<std::uint32_t>::max())
        return nullptr;
    const auto cancelled = [&] { return cancel.load(std::memory_order_relaxed); };
    // 1. Each row's key, and how many non-Null rows each leading pair of
    //    bytes has.
    std::vector<std::uint64_t> key_of_row(n);
    std::vector<std::uint32_t> start((1 << 16) + 1, 0);
    std::string scratch;
    for (std::size_t row = 0; row < n; ++row) {
        if (row % k_cancel_every == 0 && cancelled())
            return nullptr;
        if (column.is_null(row))
            continue;
        key_of_row[row] = first_eight(column.text(row), scratch);
        ++start[(key_of_row[row] >> 48) + 1];
    }
    for (std::size_t b = 1; b < start.size(); ++b)
        start[b] += start[b - 1];
    // 2. Rows by their leading pair of bytes, in row order within each, then
    //    each such bucket sorted by key and row.
    auto index = std::unique_ptr<KeyIndex>(new KeyIndex());
    index->m_rows.resize(start.back());
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::size_t row = 0; row < n; ++row) {
        if (!column.is_null(row))
            index->m_rows[next[key_of_row[row] >> 48]++] = static_cast<std::uint32_t>(row);
    }
    std::size_t compared = 0;
    std::string fa;
    std::string fb;
    const auto by_key = [&](std::uint32_t a, std::uint32_t b) {
        if (++compared % k_cancel_every == 0 && cancelled())
            throw Cancelled();
        if (key_of_row[a] != key_of_row[b])
            return key_of_row[a] < key_of_row[b];
        const int order = compare_folded(column.text(a), column.text(b), fa, fb);
        return order != 0 ? order < 0 : a < b;
    };
    try {
        for (std::size_t b = 0; b + 1 < start.size(); ++b) {
            if (start[b + 1] - start[b] > 1)
                std::sort(
                    index->m_rows.begin() + start[b], index->m_rows.begin() + start[b + 1], by_key);
        }
    } catch (const Cancelled&) {
        return nullptr;
    }
    index->m_keys.resize(index->m_rows.size());
    for (std::size_t i = 0; i < index->m_rows.size(); ++i)
        index->m_keys[i] = key_of_row[index->m_rows[i]];
    key_of_row = {};
    if (cancelled())
        return nullptr;
    index->m_wavelet = WaveletMatrix(index->m_rows);
    return index;
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
