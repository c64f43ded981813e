#pragma once
// One column of a fetched row set, held compactly: integers in one vector,
// reals and dates in another, text and binary values in one byte arena with
// where each row's text lies (TextEnds.h), and a bitmap of the Nulls.
//
// Numbers are held in 16 or 32 bits each while every value allows it:
// integers in that range, dates that are whole days, and reals that are whole
// hundredths (prices, amounts), each read back as exactly the value stored.
// The first value that needs more widens the column, once per width.
//
// A column starts with the storage its declared type asks for. A value that
// storage cannot hold exactly (text in an INTEGER column of the embedded
// database, an integer beyond 2^53 among reals, an unreadable date) moves the
// whole column to text storage, each earlier value written as its text, so no
// value is ever lost or altered.
//
// A text column searched by prefix or equality also has, per row, the first
// four bytes of the row's case-folded text (CaseFold.h), made by the first
// search that asks for them: searches scan these keys and fold only the rows
// whose key matches. Reading rows does not pay for them.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/ado/FieldTypes.h"
#include "platform/ado/PodVector.h"
#include "platform/ado/TextEnds.h"

namespace ado {

class Column {
public:
    explicit Column(Storage storage = Storage::Empty)
        : m_storage(storage), m_prefix(std::make_unique<PrefixKeys>())
    {
    }

    void append_null();
    void append_integer(std::int64_t value);
    void append_real(double value);
    // A text value; a date column reads it as a date.
    void append_text(std::string_view text);
    void append_blob(std::string_view bytes);
    // An instant (see SqlDate.h) for a date column.
    void append_date(double instant);

    [[nodiscard]] Storage storage() const { return m_storage; }
    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] bool is_null(std::size_t row) const
    {
        return (m_nulls[row >> 6] >> (row & 63)) & 1U;
    }
    [[nodiscard]] std::int64_t integer(std::size_t row) const
    {
        return m_width == 8 ? m_ints[row] : m_width == 4 ? m_narrow[row] : m_short[row];
    }
    // A real, or the instant of a date.
    [[nodiscard]] double real(std::size_t row) const
    {
        return m_width == 8 ? m_reals[row]
            : m_width == 4  ? m_narrow[row] / m_scale
                            : m_short[row] / m_scale;
    }
    [[nodiscard]] std::string_view text(std::size_t row) const
    {
        const TextEnds::Span span = m_ends.span(row);
        return {m_arena.data() + span.begin, span.size};
    }
    // Ask for where a row's text lies, then for the text, ahead of reading
    // it: a search that visits rows far apart has many on their way at once.
    void prefetch_place(std::size_t row) const { m_ends.prefetch(row); }
    void prefetch_text(std::size_t row) const
    {
        __builtin_prefetch(m_arena.data() + m_ends.span(row).begin);
    }
    // Text storage: the folded-prefix key of each row (0 for a Null), made
    // on the first call (once, whichever thread asks) for a column that
    // takes no more values.
    [[nodiscard]] const PodVector<std::uint32_t>& prefix_keys() const;
    // Integer storage: every integer so far lies in the 32-bit range.
    [[nodiscard]] bool fits_long() const { return m_width < 8; }

    // Bytes held, including unused capacity.
    [[nodiscard]] std::size_t bytes() const;
    // The part of them holding text and binary values.
    [[nodiscard]] std::size_t text_bytes() const { return m_arena.capacity(); }
    void shrink_to_fit();

private:
    static constexpr double k_real_scale = 100.0;

    void push_valid();
    void push_text(std::string_view text);
    void push_real(double value);
    void push_number(std::int64_t narrow);
    void widen(unsigned width);
    void become(Storage storage);
    void to_text();
    void to_real();
    [[nodiscard]] std::string text_of(std::size_t row) const;

    Storage m_storage;
    std::size_t m_size = 0;
    // Numbers are m_width bytes each: in m_short, m_narrow (a real as a
    // multiple of 1 / m_scale), or m_ints or m_reals.
    unsigned m_width = 2;
    double m_scale = m_storage == Storage::Real ? k_real_scale : 1.0;
    PodVector<std::uint64_t> m_nulls;
    PodVector<std::int16_t> m_short;
    PodVector<std::int32_t> m_narrow;
    PodVector<std::int64_t> m_ints;
    PodVector<double> m_reals;
    TextEnds m_ends;
    PodVector<char> m_arena;
    struct PrefixKeys {
        std::once_flag once;
        std::atomic<bool> made{false};
        PodVector<std::uint32_t> keys;
    };
    std::unique_ptr<PrefixKeys> m_prefix;
};

// The text of a real that reads back as the same value ("0.1", "1e+300").
[[nodiscard]] std::string real_text(double value);

} // namespace ado
