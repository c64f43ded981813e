#include "platform/ado/Column.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/ado/CaseFold.h"
#include "platform/ado/SqlDate.h"
#include "platform/vb/Error.h"

namespace ado {

namespace {

constexpr std::uint64_t k_exact_limit = std::uint64_t(1) << 53; // integers a double holds exactly

std::uint64_t magnitude(std::int64_t v)
{
    return v < 0 ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
}

bool fits_16(std::int64_t v)
{
    return v >= std::numeric_limits<std::int16_t>::min()
        && v <= std::numeric_limits<std::int16_t>::max();
}

bool fits_32(std::int64_t v)
{
    return v >= std::numeric_limits<std::int32_t>::min()
        && v <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

std::string real_text(double value)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string("NaN");
}

void Column::push_valid()
{
    if ((m_size & 63) == 0)
        m_nulls.push_back(0);
    ++m_size;
}

void Column::append_null()
{
    if ((m_size & 63) == 0)
        m_nulls.push_back(0);
    m_nulls.back() |= std::uint64_t(1) << (m_size & 63);
    switch (m_storage) {
    case Storage::Empty:
        break;
    case Storage::Integer:
    case Storage::Date:
    case Storage::Real:
        if (m_width == 8 && m_storage != Storage::Integer)
            m_reals.push_back(0.0);
        else
            push_number(0);
        break;
    case Storage::Text:
    case Storage::Blob:
        m_ends.push_back(static_cast<std::uint32_t>(m_arena.size()));
        break;
    }
    ++m_size;
}

void Column::push_text(std::string_view text)
{
    if (m_arena.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
        vb::raise(vb::err::OutOfMemory, "A column of the row set holds more than 4 GB of text.",
            "ADODB.Recordset");
    m_arena.append(text.data(), text.size());
    m_ends.push_back(static_cast<std::uint32_t>(m_arena.size()));
    push_valid();
}

void Column::push_real(double value)
{
    // Narrow when a multiple of 1 / m_scale in 32 bits reads back as exactly
    // this value (never for -0.0, NaN or an infinity).
    const double scaled = value * m_scale;
    if (m_width < 8 && std::abs(scaled) < 2147483647.0) {
        // Rounded half away from zero; the check below settles exactness.
        const auto narrow = static_cast<std::int32_t>(scaled + (scaled < 0 ? -0.5 : 0.5));
        const double back = m_scale == 1.0 ? double(narrow) : narrow / m_scale;
        if (back == value && !(value == 0.0 && std::signbit(value))) {
            push_number(narrow);
            push_valid();
            return;
        }
    }
    widen(8);
    m_reals.push_back(value);
    push_valid();
}

void Column::push_number(std::int64_t n)
{
    switch (m_width) {
    case 2:
        if (fits_16(n))
            return m_short.push_back(static_cast<std::int16_t>(n));
        break;
    case 4:
        if (fits_32(n))
            return m_narrow.push_back(static_cast<std::int32_t>(n));
        break;
    default:
        return m_ints.push_back(n);
    }
    widen(fits_32(n) ? 4 : 8);
    push_number(n);
}

void Column::widen(unsigned width)
{
    if (width <= m_width)
        return;
    if (width == 4) {
        PodVector<std::int32_t> narrow;
        narrow.resize(m_size);
        for (std::size_t row = 0; row < m_size; ++row)
            narrow[row] = m_short[row];
        m_narrow = std::move(narrow);
    } else if (m_storage == Storage::Integer) {
        PodVector<std::int64_t> ints;
        ints.resize(m_size);
        for (std::size_t row = 0; row < m_size; ++row)
            ints[row] = integer(row);
        m_ints = std::move(ints);
        m_narrow.reset();
    } else {
        PodVector<double> reals;
        reals.resize(m_size);
        for (std::size_t row = 0; row < m_size; ++row)
            reals[row] = real(row);
        m_reals = std::move(reals);
        m_narrow.reset();
    }
    m_short.reset();
    m_width = width;
}

void Column::become(Storage storage)
{
    // Only from Empty: earlier rows are Nulls and get placeholders.
    m_storage = storage;
    m_width = 2;
    m_scale = storage == Storage::Real ? k_real_scale : 1.0;
    switch (storage) {
    case Storage::Integer:
    case Storage::Date:
    case Storage::Real:
        m_short.assign(m_size, 0);
        break;
    case Storage::Text:
    case Storage::Blob:
        for (std::size_t row = 0; row < m_size; ++row)
            m_ends.push_back(0);
        break;
    case Storage::Empty:
        break;
    }
}

std::string Column::text_of(std::size_t row) const
{
    switch (m_storage) {
    case Storage::Integer:
        return std::to_string(integer(row));
    case Storage::Real:
        return real_text(real(row));
    case Storage::Date:
        return text_of_instant(real(row));
    case Storage::Text:
    case Storage::Blob:
        return std::string(text(row));
    case Storage::Empty:
        break;
    }
    return {};
}

void Column::to_text()
{
    PodVector<char> arena;
    TextEnds ends;
    for (std::size_t row = 0; row < m_size; ++row) {
        if (!is_null(row)) {
            const std::string text = text_of(row);
            arena.append(text.data(), text.size());
        }
        ends.push_back(static_cast<std::uint32_t>(arena.size()));
    }
    m_arena = std::move(arena);
    m_ends = std::move(ends);
    m_short.reset();
    m_narrow.reset();
    m_ints.reset();
    m_reals.reset();
    m_storage = Storage::Text;
}

void Column::to_real()
{
    PodVector<double> reals;
    reals.resize(m_size);
    for (std::size_t row = 0; row < m_size; ++row)
        reals[row] = static_cast<double>(integer(row));
    m_reals = std::move(reals);
    m_short.reset();
    m_narrow.reset();
    m_ints.reset();
    m_storage = Storage::Real;
    m_scale = k_real_scale;
    m_width = 8;
}

void Column::append_integer(std::int64_t value)
{
    switch (m_storage) {
    case Storage::Empty:
        become(Storage::Integer);
        [[fallthrough]];
    case Storage::Integer:
        push_number(value);
        push_valid();
        return;
    case Storage::Real:
        if (magnitude(value) <= k_exact_limit) {
            push_real(static_cast<double>(value));
            return;
        }
        to_text();
        break;
    case Storage::Date:
        to_text();
        break;
    case Storage::Text:
    case Storage::Blob:
        break;
    }
    push_text(std::to_string(value));
}

void Column::append_real(double value)
{
    switch (m_storage) {
    case Storage::Empty:
        become(Storage::Real);
        break;
    case Storage::Integer: {
        bool exact = true;
        for (std::size_t row = 0; row < m_size && exact && m_width == 8; ++row)
            exact = magnitude(m_ints[row]) <= k_exact_limit;
        if (exact)
            to_real();
        else
            to_text();
        break;
    }
    case Storage::Date:
        to_text();
        break;
    case Storage::Real:
    case Storage::Text:
    case Storage::Blob:
        break;
    }
    if (m_storage != Storage::Real)
        return push_text(real_text(value));
    push_real(value);
}

void Column::append_text(std::string_view text)
{
    switch (m_storage) {
    case Storage::Empty:
        become(Storage::Text);
        break;
    case Storage::Date:
        // Whole days, most dates, go straight to the narrow numbers they
        // would be narrowed to.
        if (m_width < 8 && date_shaped(text)) {
            if (const auto days = sql_date_days(text)) {
                push_number(*days);
                push_valid();
                return;
            }
        } else if (double instant = 0.0; parse_sql_datetime(text, instant)) {
            push_real(instant);
            return;
        }
        to_text();
        break;
    case Storage::Integer:
    case Storage::Real:
        to_text();
        break;
    case Storage::Text:
    case Storage::Blob:
        break;
    }
    push_text(text);
}

void Column::append_blob(std::string_view bytes)
{
    if (m_storage == Storage::Empty)
        become(Storage::Blob);
    else if (m_storage != Storage::Text && m_storage != Storage::Blob)
        to_text();
    push_text(bytes);
}

void Column::append_date(double instant)
{
    if (m_storage == Storage::Empty)
        become(Storage::Date);
    if (m_storage == Storage::Date)
        return push_real(instant);
    if (m_storage != Storage::Text && m_storage != Storage::Blob)
        to_text();
    push_text(text_of_instant(instant));
}

std::size_t Column::bytes() const
{
    return m_nulls.capacity() * sizeof(std::uint64_t) + m_short.capacity() * sizeof(std::int16_t)
        + m_narrow.capacity() * sizeof(std::int32_t) + m_ints.capacity() * sizeof(std::int64_t)
        + m_reals.capacity() * sizeof(double) + m_ends.bytes() + m_arena.capacity()
        + (m_prefix->made.load(std::memory_order_acquire)
                ? m_prefix->keys.capacity() * sizeof(std::uint32_t)
                : 0);
}

const PodVector<std::uint32_t>& Column::prefix_keys() const
{
    std::call_once(m_prefix->once, [&] {
        PodVector<std::uint32_t>& keys = m_prefix->keys;
        keys.reserve(m_size);
        for (std::size_t row = 0; row < m_size; ++row)
            keys.push_back(
                m_storage != Storage::Text || is_null(row) ? 0 : folded_prefix(text(row)));
        m_prefix->made.store(true, std::memory_order_release);
    });
    return m_prefix->keys;
}

void Column::shrink_to_fit()
{
    m_nulls.shrink_to_fit();
    m_short.shrink_to_fit();
    m_narrow.shrink_to_fit();
    m_ints.shrink_to_fit();
    m_reals.shrink_to_fit();
    m_ends.shrink_to_fit();
    m_arena.shrink_to_fit();
}

} // namespace ado
