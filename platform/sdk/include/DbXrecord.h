#pragma once

#include <DbObject.h>

class OdDbDatabase;

// Arbitrary data: a chain of typed items stored as DXF groups.
class OdDbXrecord : public OdDbObject
{
    ODDB_DECLARE_MEMBERS(OdDbXrecord)

public:
    // The data as a chain (null when empty). Items keep their group codes as result types.
    OdResBufPtr rbChain(OdDbDatabase* db = nullptr) const;
    // Replaces the data. Items whose result type is not a DXF group code (such as an item left
    // untyped, 5000) are kept in memory only and are not written to DXF.
    OdResult setFromRbChain(const OdResBuf* chain, OdDbDatabase* db = nullptr);
    OdDb::DuplicateRecordCloning mergeStyle() const;
};
typedef OdSmartPtr<OdDbXrecord> OdDbXrecordPtr;
