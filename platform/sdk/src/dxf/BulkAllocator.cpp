#include "BulkAllocator.h"

#include <sys/mman.h>

namespace kvdxf::detail {

namespace {

constexpr size_t kPage = 4096;

size_t mappedLength(size_t bytes)
{
    return (bytes + kPage - 1) / kPage * kPage;
}

}  // namespace

void* mapBulk(size_t bytes)
{
    if (bytes > static_cast<size_t>(-1) - kPage) {
        return nullptr;
    }
    const size_t length = mappedLength(bytes);
    // Nothing is reserved in swap for the mapping: callers reserve generously and fill little.
    void* block = ::mmap(nullptr, length, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) {
        return nullptr;
    }
    return block;
}

void unmapBulk(void* block, size_t bytes)
{
    ::munmap(block, mappedLength(bytes));
}

}  // namespace kvdxf::detail
