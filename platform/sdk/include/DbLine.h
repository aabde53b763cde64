#pragma once

#include <DbEntity.h>

// A line segment.
class OdDbLine : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbLine)
};
typedef OdSmartPtr<OdDbLine> OdDbLinePtr;
