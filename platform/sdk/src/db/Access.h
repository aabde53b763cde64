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
    static ObjectData& data(const OdDbObject* object) { return *object->m_data; }
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

}  // namespace kvdb
