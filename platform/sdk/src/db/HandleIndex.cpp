#include "HandleIndex.h"

namespace kvdb {

namespace {

constexpr size_t kMinSlots = 64;

}  // namespace

size_t HandleIndex::slotOf(OdUInt64 handle) const
{
    // Handles mostly count up from 1. Each run of eight handles has its eight slots side by side
    // (a cache line), so that a file's objects, read in handle order, touch a new line of the
    // table only every eighth object; multiplying by 2^64 / golden ratio spreads the runs over
    // the table, and the high bits of the product are the best mixed.
    const auto run = static_cast<size_t>(((handle >> 3) * 0x9E3779B97F4A7C15ull) >> (m_shift + 3));
    return run << 3 | static_cast<size_t>(handle & 7);
}

void HandleIndex::rehash(size_t slots)
{
    std::vector<OdDbStub*> old(slots, nullptr);
    old.swap(m_slots);
    m_shift = 64;
    for (size_t n = slots; n > 1; n /= 2) {
        --m_shift;
    }
    for (OdDbStub* stub : old) {
        if (stub != nullptr) {
            size_t at = slotOf(stub->handle);
            while (m_slots[at] != nullptr) {
                at = (at + 1) & (m_slots.size() - 1);
            }
            m_slots[at] = stub;
        }
    }
}

void HandleIndex::reserve(size_t count)
{
    size_t slots = m_slots.empty() ? kMinSlots : m_slots.size();
    while (slots / 4 * 3 < m_count + count) {
        slots *= 2;
    }
    if (slots != m_slots.size()) {
        rehash(slots);
    }
}

void HandleIndex::insert(OdDbStub* stub)
{
    if (m_count + 1 > m_slots.size() / 4 * 3) {
        reserve(1);
    }
    size_t at = slotOf(stub->handle);
    while (m_slots[at] != nullptr) {
        at = (at + 1) & (m_slots.size() - 1);
    }
    m_slots[at] = stub;
    ++m_count;
}

bool HandleIndex::insertNew(OdDbStub* stub)
{
    if (m_count + 1 > m_slots.size() / 4 * 3) {
        reserve(1);
    }
    size_t at = slotOf(stub->handle);
    while (m_slots[at] != nullptr) {
        if (m_slots[at]->handle == stub->handle) {
            return false;
        }
        at = (at + 1) & (m_slots.size() - 1);
    }
    m_slots[at] = stub;
    ++m_count;
    return true;
}

OdDbStub* HandleIndex::find(OdUInt64 handle) const
{
    if (m_slots.empty()) {
        return nullptr;
    }
    for (size_t at = slotOf(handle);; at = (at + 1) & (m_slots.size() - 1)) {
        OdDbStub* const stub = m_slots[at];
        if (stub == nullptr || stub->handle == handle) {
            return stub;
        }
    }
}

}  // namespace kvdb
