#pragma once
// Fresh pages of a large column are faulted in on a thread of its own while
// the rows are still being read: the kernel zeroes them there, on another
// core, and the reading thread finds them ready. Only the page tables are
// touched (MADV_POPULATE_WRITE), never a byte of the memory, so the reading
// thread may write the same pages at the same time. Where the kernel cannot
// do that, nothing is done and the pages fault in where they are first
// written, as they would anyway.

#include <cstddef>

namespace ado::prefault {

// Queues bytes [offset, offset + size) of the mapping at `base`.
void ahead(const char* base, std::size_t offset, std::size_t size);
// Drops what is queued for the mapping at `base` and waits for the piece of
// it being faulted in, if any. To be called before the mapping is moved,
// resized or unmapped.
void forget(const char* base);
// Whether anything of the mapping at `base` is queued or being faulted in.
[[nodiscard]] bool pending(const char* base);

} // namespace ado::prefault
