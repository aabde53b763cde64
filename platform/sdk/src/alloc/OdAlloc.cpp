#include <OdAlloc.h>

#include <cstdlib>

namespace {

// malloc(0) may legally return nullptr, which callers would read as exhaustion.
std::size_t atLeastOneByte(std::size_t nBytes)
{
    return nBytes == 0 ? 1 : nBytes;
}

}  // namespace

void* odrxAlloc(std::size_t nBytes)
{
    return std::malloc(atLeastOneByte(nBytes));
}

void* odrxRealloc(void* pMemBlock, std::size_t newSize, std::size_t /*oldSize*/)
{
    return std::realloc(pMemBlock, atLeastOneByte(newSize));
}

void odrxFree(void* pMemBlock)
{
    std::free(pMemBlock);
}
