#pragma once

#include "DbStub.h"

#include <cstddef>
#include <vector>

namespace kvdb {

// The stubs of a database by handle. Stubs are never removed (they live as long as their
// database), so this is a flat table of stub pointers keyed by each stub's own handle, at most
// three quarters full (linear probing stays short: handles spread well): 11 to 21 bytes a stub and
// no allocation per stub, where a node-based map takes about 40 bytes and one allocation each; a
// drawing has a stub for every object.
class HandleIndex
{
public:
    // Makes room for `count` more stubs, so that adding them does not grow the table again.
    void reserve(size_t count);
    // Adds a stub; no stub with its handle may be present.
    void insert(OdDbStub* stub);
    // Adds a stub unless one with its handle is present; false then. One probe for both.
    bool insertNew(OdDbStub* stub);
    // The stub with `handle`, or null.
    OdDbStub* find(OdUInt64 handle) const;
    bool contains(OdUInt64 handle) const { return find(handle) != nullptr; }
    size_t size() const { return m_count; }

private:
    size_t slotOf(OdUInt64 handle) const;
    void rehash(size_t slots);

    std::vector<OdDbStub*> m_slots;  // 2^(64 - m_shift) long, or empty; null marks a free slot
    unsigned m_shift = 64;
    size_t m_count = 0;
};

}  // namespace kvdb
