#pragma once

#include <DbEntity.h>

// A text that follows an arc.
class OdDbArcAlignedText : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbArcAlignedText)

public:
    OdDbObjectId textStyle() const;
    void setTextStyle(OdDbObjectId styleId);
};
typedef OdSmartPtr<OdDbArcAlignedText> OdDbArcAlignedTextPtr;
