#pragma once

#include <DbEntity.h>

// A single-line text.
class OdDbText : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(OdDbText)

public:
    OdDbObjectId textStyle() const;
    void setTextStyle(OdDbObjectId styleId);
    OdString textString() const;
    void setTextString(const OdString& text);
};
typedef OdSmartPtr<OdDbText> OdDbTextPtr;
