#include "platform/ado/PodVector.h"

#include "platform/ado/Prefault.h"

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
    return static_cast<char*>(p);
}

} // namespace

std::size_t ByteBlock::grown(std::size_t capacity, std::size_t needed)
{
    std::size_t next = capacity;
    while (next < needed)
        next = next < k_step ? next * 2 : next + k_step;
    return next;
}

ByteBlock::~ByteBlock()
{
    release();
}

void ByteBlock::release() noexcept
{
    if (m_mapped) {
        prefault::forget(m_data);
        ::munmap(m_data, m_capacity);
    } else
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
    // The new pages are faulted in ahead of the writer (Prefault.h).
    if (m_mapped) {
        prefault::forget(m_data);
        void* p = ::mremap(m_data, m_capacity, size, MREMAP_MAYMOVE);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        m_data = static_cast<char*>(p);
        if (size > m_capacity)
            prefault::ahead(m_data, m_capacity, size - m_capacity);
    } else {
        char* p = map_bytes(size);
        if (used != 0)
            std::memcpy(p, m_data, used);
        std::free(m_data);
        m_data = p;
        m_mapped = true;
        const std::size_t touched = whole_pages(used);
        prefault::ahead(m_data, touched, size - touched);
    }
    m_capacity = size;
}

} // namespace ado
