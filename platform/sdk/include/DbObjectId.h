#pragma once

#include <DbHandle.h>
#include <OdArray.h>
#include <OdDb.h>
#include <OdString.h>

#include <SmartPtr.h>
#include <cstddef>
#include <functional>

class OdDbDatabase;
class OdDbObject;
class OdDbStub;

// Identifies one object of one database for the database's whole life, also after the object is
// erased. Ids compare by identity; the null id refers to nothing.
class OdDbObjectId
{
public:
    OdDbObjectId() = default;
    explicit OdDbObjectId(OdDbStub* stub) : m_stub(stub) {}

    static const OdDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    // Not null and still part of a live database.
    bool isValid() const;
    bool isErased() const;
    OdDbHandle getHandle() const;
    OdDbDatabase* database() const;
    // The DXF type name of the object ("LINE"), as OdDbObject::dxfTypeName gives it, without
    // opening it: an entity nobody has asked for yet answers from its first line and stays unread.
    // Empty when there is no object.
    OdString dxfTypeName() const;

    // Opens the object. Returns a null pointer when the id is null, the object is erased (unless
    // openErased) or cannot be opened. The object closes when the last pointer of the opening goes.
    OdSmartPtr<OdDbObject> openObject(OdDb::OpenMode mode = OdDb::kForRead,
                                      bool openErased = false) const;
    // As openObject, but raises OdError (eNullObjectId, eWasErased) instead of returning null.
    OdSmartPtr<OdDbObject> safeOpenObject(OdDb::OpenMode mode = OdDb::kForRead,
                                          bool openErased = false) const;

    OdDbStub* stub() const { return m_stub; }
    bool operator!() const { return isNull(); }
    bool operator==(const OdDbObjectId& other) const { return m_stub == other.m_stub; }
    bool operator!=(const OdDbObjectId& other) const { return m_stub != other.m_stub; }
    bool operator<(const OdDbObjectId& other) const;

private:
    OdDbStub* m_stub = nullptr;
};

typedef OdArray<OdDbObjectId> OdDbObjectIdArray;

namespace std {
template <>
struct hash<OdDbObjectId>
{
    size_t operator()(const OdDbObjectId& id) const { return std::hash<OdDbStub*>()(id.stub()); }
};
}  // namespace std
