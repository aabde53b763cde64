#pragma once

#include <DbEntity.h>

// A circular arc.
class OdDbArc : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbArc)
};
typedef OdSmartPtr<OdDbArc> OdDbArcPtr;
