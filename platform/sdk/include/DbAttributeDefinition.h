#pragma once

#include <DbText.h>

// An attribute definition of a block.
class OdDbAttributeDefinition : public OdDbText
{
    ODDB_DECLARE_MEMBERS(OdDbAttributeDefinition)

public:
    OdString tag() const;
};
typedef OdSmartPtr<OdDbAttributeDefinition> OdDbAttributeDefinitionPtr;
