#pragma once

#include <DbEntity.h>

// A block reference (insert); its attributes are sub-entities.
class OdDbBlockReference : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbBlockReference)

public:
    OdDbObjectId blockTableRecord() const;
    OdDbObjectIdArray attributeIds() const;
};
typedef OdSmartPtr<OdDbBlockReference> OdDbBlockReferencePtr;
