#pragma once

#include <DbEntity.h>

// An old-style polyline; its vertices are sub-entities.
class OdDb2dPolyline : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDb2dPolyline)
};
typedef OdSmartPtr<OdDb2dPolyline> OdDb2dPolylinePtr;
