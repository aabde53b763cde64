// Memory for the two large arrays of a read file: its bytes and its tags.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace kvdxf {

namespace detail {

// Large blocks come straight from the system: untouched until written, so room reserved but never
// filled costs address space only. Null when the system refuses. (Asking for huge pages for them
// was measured: a system short of free huge pages then stops the reader to compact memory, which
// made reading a drawing up to three times slower, and never more than a tenth faster.)
void* mapBulk(size_t bytes);
void unmapBulk(void* block, size_t bytes);

// Blocks below this size are ordinary heap blocks.
constexpr size_t kBulkThreshold = size_t{2} << 20;

}  // namespace detail

// A standard allocator that takes large blocks through detail::mapBulk and does not zero-fill
// what it default-constructs: resize() on a vector of bytes leaves them for read() to fill.
template <class T>
class BulkAllocator
{
public:
    using value_type = T;

    BulkAllocator() = default;
    template <class U>
    BulkAllocator(const BulkAllocator<U>&)
    {}

    T* allocate(size_t count)
    {
        if (count > static_cast<size_t>(-1) / sizeof(T)) {
            throw std::bad_alloc();
        }
        const size_t bytes = count * sizeof(T);
        if (bytes < detail::kBulkThreshold) {
            return std::allocator<T>().allocate(count);
        }
        void* block = detail::mapBulk(bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }

    void deallocate(T* block, size_t count)
    {
        const size_t bytes = count * sizeof(T);
        if (bytes < detail::kBulkThreshold) {
            std::allocator<T>().deallocate(block, count);
        } else {
            detail::unmapBulk(block, bytes);
        }
    }

    // Default construction is default-initialisation: no zeros written for bytes.
    template <class U>
    void construct(U* at)
    {
        ::new (static_cast<void*>(at)) U;
    }
    template <class U, class... Args>
    void construct(U* at, Args&&... args)
    {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const BulkAllocator&, const BulkAllocator&) { return true; }
    friend bool operator!=(const BulkAllocator&, const BulkAllocator&) { return false; }
};

// The bytes of a file as read.
using FileBytes = std::vector<char, BulkAllocator<char>>;

// Gives back the unused capacity of a vector that nothing views into yet: a heap block is moved
// to one of the vector's size, while the pages of a bulk block never touched cost nothing anyway.
template <class T>
void trimCapacity(std::vector<T, BulkAllocator<T>>& list)
{
    if (list.capacity() * sizeof(T) < detail::kBulkThreshold) {
        list.shrink_to_fit();
    }
}

}  // namespace kvdxf
