#pragma once
// A growable array of plain values for column storage. Small arrays live on
// the heap; from 256 KB on, the array is a memory mapping of its own that
// grows by remapping (no copy) and has its new pages faulted in on another
// thread (Prefault.h), so fetching a million rows neither copies its columns
// over and over nor waits for the kernel to zero their pages.
//
// Huge pages are not asked for: on a virtual machine that gives free memory
// back to its host, the first touch of a huge page costs many times what its
// 512 small pages do (640 MB: 1.5-4 s against 0.25 s).

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace ado {

// Raw bytes: the heap below the mapping threshold, a mapping above it.
class ByteBlock {
public:
    ByteBlock() = default;
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;
    ByteBlock(ByteBlock&& other) noexcept { swap(other); }
    ByteBlock& operator=(ByteBlock&& other) noexcept
    {
        ByteBlock(std::move(other)).swap(*this);
        return *this;
    }
    ~ByteBlock();

    // Makes room for `bytes`, keeping the first `used` bytes. Throws
    // std::bad_alloc when memory runs out.
    void resize(std::size_t bytes, std::size_t used);
    [[nodiscard]] char* data() const { return m_data; }
    [[nodiscard]] std::size_t capacity() const { return m_capacity; }

    void swap(ByteBlock& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_mapped, other.m_mapped);
    }

    // The capacity that holds `needed` bytes: twice the current one, then
    // steps of k_step, so that no more than a step is ever faulted in ahead
    // of use.
    [[nodiscard]] static std::size_t grown(std::size_t capacity, std::size_t needed);

    static constexpr std::size_t k_map_threshold = 256 * 1024;
    static constexpr std::size_t k_step = 16 * 1024 * 1024;

private:
    void release() noexcept;

    char* m_data = nullptr;
    std::size_t m_capacity = 0;
    bool m_mapped = false;
};

template <class T> class PodVector {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    PodVector() = default;
    PodVector(const PodVector&) = delete;
    PodVector& operator=(const PodVector&) = delete;
    PodVector(PodVector&& other) noexcept
        : m_block(std::move(other.m_block)), m_size(std::exchange(other.m_size, 0))
    {
    }
    PodVector& operator=(PodVector&& other) noexcept
    {
        m_block = std::move(other.m_block);
        m_size = std::exchange(other.m_size, 0);
        return *this;
    }
    ~PodVector() = default;

    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] bool empty() const { return m_size == 0; }
    [[nodiscard]] std::size_t capacity() const { return m_block.capacity() / sizeof(T); }
    [[nodiscard]] T* data() { return reinterpret_cast<T*>(m_block.data()); }
    [[nodiscard]] const T* data() const { return reinterpret_cast<const T*>(m_block.data()); }
    [[nodiscard]] T& operator[](std::size_t i) { return data()[i]; }
    [[nodiscard]] const T& operator[](std::size_t i) const { return data()[i]; }
    [[nodiscard]] T& back() { return data()[m_size - 1]; }

    void push_back(T value)
    {
        if (m_size == capacity())
            grow(m_size + 1);
        data()[m_size++] = value;
    }
    void append(const T* values, std::size_t n)
    {
        if (m_size + n > capacity())
            grow(m_size + n);
        if (n != 0)
            std::memcpy(data() + m_size, values, n * sizeof(T));
        m_size += n;
    }
    void assign(std::size_t n, T value)
    {
        m_size = 0;
        if (n > capacity())
            grow(n);
        for (std::size_t i = 0; i < n; ++i)
            data()[i] = value;
        m_size = n;
    }
    void resize(std::size_t n)
    {
        if (n > capacity())
            grow(n);
        for (std::size_t i = m_size; i < n; ++i)
            data()[i] = T{};
        m_size = n;
    }
    // Room for exactly `n` values (when more than there is).
    void reserve(std::size_t n)
    {
        if (n > capacity())
            m_block.resize(n * sizeof(T), m_size * sizeof(T));
    }
    // The size `n`, values past the old size unspecified until written.
    void resize_for_overwrite(std::size_t n)
    {
        reserve(n);
        m_size = n;
    }
    void clear() { m_size = 0; }
    // Releases everything.
    void reset() { *this = PodVector(); }
    void shrink_to_fit() { m_block.resize(m_size * sizeof(T), m_size * sizeof(T)); }

private:
    void grow(std::size_t needed)
    {
        const std::size_t bytes = ByteBlock::grown(
            std::max<std::size_t>(capacity(), 16) * sizeof(T), needed * sizeof(T));
        m_block.resize(bytes / sizeof(T) * sizeof(T), m_size * sizeof(T));
    }

    ByteBlock m_block;
    std::size_t m_size = 0;
};

} // namespace ado
