#pragma once

#include <DbObject.h>

// A record of a symbol table (layer, line style, text style, dimension style, block, ...).
class OdDbSymbolTableRecord : public OdDbObject
{
    ODDB_DECLARE_MEMBERS(OdDbSymbolTableRecord)

public:
    OdString getName() const;
    // Renames the record. References by name (entities, current-record variables, XDATA layer
    // names, multiline style elements) follow, since they are written from the record's id.
    // Raises OdError(eDuplicateRecordName) when another record has the name, and
    // OdError(eInvalidInput) for layer "0", the line styles ByBlock, ByLayer and Continuous and the
    // model and paper space blocks, which keep their names.
    void setName(const OdString& name);
    // Comes from an external reference (DXF flag 16).
    bool isDependent() const;
    bool isResolved() const;
};
typedef OdSmartPtr<OdDbSymbolTableRecord> OdDbSymbolTableRecordPtr;
