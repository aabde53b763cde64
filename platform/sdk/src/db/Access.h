#pragma once

#include "DbStub.h"
#include "ObjectData.h"

#include <DbDimStyleTableRecord.h>
#include <DbObject.h>

namespace kvdb {

// The database layer's way into the private parts of objects.
class Access
{
public:
    // Everything the object keeps; the groups of an object made from an unread one are read now.
    static ObjectData& data(const OdDbObject* object)
    {
        if (object->m_data->unreadBytes != nullptr) {
            readGroups(object);
        }
        return *object->m_data;
    }
    // What the object keeps without reading its groups: its tags and refs are empty while
    // unreadBytes is set.
    static ObjectData& state(const OdDbObject* object) { return *object->m_data; }
    // Reads the groups of an object made from an unread one and resolves the names they hold.
    static void readGroups(const OdDbObject* object);
    // Reads the groups alone, leaving the names they hold unresolved.
    static void readTags(const OdDbObject* object);
    // Deletes an object made from an unread one, whose groups are not read and which is not
    // erased, once only the database holds it, making its stub hold it unread again; its last
    // opening must be over. Other objects are left as they are.
    static void returnToUnread(OdDbObject* object);
    static OdDbStub* stub(const OdDbObject* object) { return object->m_stub; }
    static void setStub(OdDbObject* object, OdDbStub* stub) { object->m_stub = stub; }
    static void sync(OdDbObject* object) { object->syncFromData(); }
    static void syncCopy(OdDbObject* copy, const OdDbObject& source) { copy->syncFromCopy(source); }
    static int refs(const OdDbObject* object) { return object->m_refs; }
    static void setOpenMode(OdDbObject* object, OdDb::OpenMode mode)
    {
        if (mode > object->m_openMode) {
            object->m_openMode = static_cast<signed char>(mode);
        }
    }
};

inline ObjectData& dataOf(const OdDbObject* object)
{
    return Access::data(object);
}

// Whether the stub has an object that is not erased, made or unread (unread ones never are).
inline bool isLive(const OdDbStub* stub)
{
    return stub != nullptr && stub->hasObject() &&
           (stub->resident() == nullptr || !Access::state(stub->resident()).erased);
}

}  // namespace kvdb
