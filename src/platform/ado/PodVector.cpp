#include "platform/ado/PodVector.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace ado {

namespace {

constexpr std::size_t k_page = 4096;

std::size_t whole_pages(std::size_t bytes)
{
    return (bytes + k_page - 1) / k_page * k_page;
}

char* map_bytes(std::size_t bytes)
{
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE); // a hint: without huge pages it still works
    return static_cast<char*>(p);
}

} // namespace

ByteBlock::~ByteBlock()
{
    release();
}

void ByteBlock::release() noexcept
{
    if (m_mapped)
        ::munmap(m_data, m_capacity);
    else
        std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_mapped = false;
}

void ByteBlock::resize(std::size_t bytes, std::size_t used)
{
    if (bytes == 0) {
        release();
        return;
    }
    // 1. Small: the heap.
    if (bytes < k_map_threshold) {
        if (m_mapped) {
            auto* p = static_cast<char*>(std::malloc(bytes));
            if (p == nullptr)
                throw std::bad_alloc();
            std::memcpy(p, m_data, used);
            release();
            m_data = p;
        } else {
            auto* p = static_cast<char*>(std::realloc(m_data, bytes));
            if (p == nullptr)
                throw std::bad_alloc();
            m_data = p;
        }
        m_capacity = bytes;
        return;
    }
    // 2. Large: a mapping, grown or shrunk by remapping its pages.
    const std::size_t size = whole_pages(bytes);
    if (m_mapped) {
        void* p = ::mremap(m_data, m_capacity, size, MREMAP_MAYMOVE);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        m_data = static_cast<char*>(p);
        if (size > m_capacity)
            ::madvise(m_data, size, MADV_HUGEPAGE);
    } else {
        char* p = map_bytes(size);
        if (used != 0)
            std::memcpy(p, m_data, used);
        std::free(m_data);
        m_data = p;
        m_mapped = true;
    }
    m_capacity = size;
}

} // namespace ado
