#pragma once

#include "ObjectData.h"

#include <functional>
#include <unordered_map>
#include <vector>

class OdDbStub;
class OdDbObject;

namespace kvdb {

class DatabaseImpl;

// Calls use(target) for every object that `object` refers to: the records its groups name, and
// its hard and soft pointers except its own identity groups (owner, reactors, extension
// dictionary), which point up or down the ownership tree.
void forEachReference(const DatabaseImpl& db, const OdDbObject* object,
                      const std::function<void(OdDbStub*)>& use);
// Whether the object's references count as uses: a table lists its records, which is no use of
// them, and erased objects use nothing.
bool usesItsReferences(const OdDbObject* object);

// Who refers to what, for purging: for every object, the objects that refer to it. Built from the
// whole drawing when first asked, then kept current by reading again the objects changed since
// (touch). Entries can be stale, so a use is confirmed on the user itself when asked for.
class ReferenceIndex
{
public:
    explicit ReferenceIndex(const DatabaseImpl& db);

    // The object's groups or state changed.
    void touch(OdDbStub* stub);
    // Whether a live object for which `counts` holds refers to target now. Stops at the first.
    bool isUsed(OdDbStub* target, const std::function<bool(OdDbStub*)>& counts);

private:
    void add(OdDbStub* user);
    void update();

    const DatabaseImpl& m_db;
    std::unordered_map<OdDbStub*, std::vector<OdDbStub*>> m_users;
    std::vector<OdDbStub*> m_touched;
};

}  // namespace kvdb
