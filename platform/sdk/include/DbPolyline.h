#pragma once

#include <DbEntity.h>

// A lightweight polyline.
class OdDbPolyline : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbPolyline)

public:
    unsigned int numVerts() const;
};
typedef OdSmartPtr<OdDbPolyline> OdDbPolylinePtr;
