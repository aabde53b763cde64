#include "BulkAllocator.h"

#include <sys/mman.h>

namespace kvdxf::detail {

namespace {

// Mappings are whole huge pages long: the system then places them on a huge page boundary.
constexpr size_t kHugePage = size_t{2} << 20;

size_t mappedLength(size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* mapBulk(size_t bytes)
{
    if (bytes > static_cast<size_t>(-1) - kHugePage) {
        return nullptr;
    }
    const size_t length = mappedLength(bytes);
    // Nothing is reserved in swap for the mapping: callers reserve generously and fill little.
    void* block = ::mmap(nullptr, length, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) {
        return nullptr;
    }
#ifdef MADV_HUGEPAGE
    // Only a hint: without huge pages the block works the same, with more page faults.
    static_cast<void>(::madvise(block, length, MADV_HUGEPAGE));
#endif
    return block;
}

void unmapBulk(void* block, size_t bytes)
{
    ::munmap(block, mappedLength(bytes));
}

}  // namespace kvdxf::detail
