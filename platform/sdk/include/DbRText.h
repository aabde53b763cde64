#pragma once

#include <DbEntity.h>

// A text whose content comes from a file or an expression.
class RText : public OdDbEntity
{
    ODDB_DECLARE_MEMBERS(RText)

public:
    OdDbObjectId textStyleId() const;
    void setTextStyle(OdDbObjectId styleId);
};
typedef OdSmartPtr<RText> RTextPtr;
