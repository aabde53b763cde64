#pragma once

#include <DbEntity.h>

// A leader line.
class OdDbLeader : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbLeader)

public:
    enum AnnoType { kMText = 0, kFcf = 1, kBlockRef = 2, kNoAnno = 3 };
    OdDbObjectId dimensionStyle() const;
    void setDimensionStyle(OdDbObjectId styleId);
    AnnoType annoType() const;
};
typedef OdSmartPtr<OdDbLeader> OdDbLeaderPtr;
