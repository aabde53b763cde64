#pragma once

#include <DbText.h>

// An attribute of a block reference.
class OdDbAttribute : public OdDbText
{
    ODDB_DECLARE_MEMBERS(OdDbAttribute)

public:
    OdString tag() const;
};
typedef OdSmartPtr<OdDbAttribute> OdDbAttributePtr;
