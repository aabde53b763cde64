// Allocator entry points of TD_Alloc. Every SDK run-time object (OdRxObject and its subclasses) is
// allocated through them, so one allocator serves the host and every loaded module.
//
// Contract:
// - odrxAlloc(size) returns a block of at least `size` bytes (a zero size gives a valid, distinct
//   block) or nullptr when memory is exhausted; it never throws. Callers that need an object raise
//   std::bad_alloc themselves.
// - odrxRealloc(p, newSize, oldSize) resizes a block obtained from odrxAlloc/odrxRealloc, keeping
//   min(newSize, oldSize) bytes. On failure it returns nullptr and `p` stays valid and unchanged.
//   A null `p` behaves like odrxAlloc(newSize).
// - odrxFree(p) releases such a block; a null `p` is ignored.
#ifndef OD_ALLOC_H
#define OD_ALLOC_H

#include <cstddef>

void* odrxAlloc(std::size_t nBytes);
void* odrxRealloc(void* pMemBlock, std::size_t newSize, std::size_t oldSize);
void odrxFree(void* pMemBlock);

#endif  // OD_ALLOC_H
