#include "platform/ado/TextEnds.h"

namespace ado {

void TextEnds::push_back(std::uint32_t end)
{
    const std::uint32_t length = end - m_last;
    if (!m_wide && length > 0xFF)
        widen();
    if (m_wide) {
        m_ends.push_back(end);
    } else {
        if (m_size % k_group == 0)
            m_starts.push_back(m_last);
        m_lengths.push_back(static_cast<std::uint8_t>(length));
    }
    m_last = end;
    ++m_size;
}

void TextEnds::widen()
{
    PodVector<std::uint32_t> ends;
    ends.resize(m_size);
    std::uint32_t at = 0;
    for (std::size_t row = 0; row < m_size; ++row) {
        at += m_lengths[row];
        ends[row] = at;
    }
    m_ends = std::move(ends);
    m_starts.reset();
    m_lengths.reset();
    m_wide = true;
}

std::size_t TextEnds::bytes() const
{
    return m_starts.capacity() * sizeof(std::uint32_t) + m_lengths.capacity()
        + m_ends.capacity() * sizeof(std::uint32_t);
}

void TextEnds::shrink_to_fit()
{
    m_starts.shrink_to_fit();
    m_lengths.shrink_to_fit();
    m_ends.shrink_to_fit();
}

} // namespace ado
