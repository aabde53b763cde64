#pragma once

#include <DbEntity.h>

// A multi-line text.
class OdDbMText : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbMText)

public:
    OdDbObjectId textStyle() const;
    void setTextStyle(OdDbObjectId styleId);
    // The text with its formatting codes, joined from the DXF chunks.
    OdString contents() const;
};
typedef OdSmartPtr<OdDbMText> OdDbMTextPtr;
