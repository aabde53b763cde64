#pragma once

#include <DbEntity.h>

// A circle.
class OdDbCircle : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbCircle)
};
typedef OdSmartPtr<OdDbCircle> OdDbCirclePtr;
