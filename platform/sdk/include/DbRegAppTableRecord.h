#pragma once

#include <DbSymbolTableRecord.h>

// A record of the RegApp table; its data is kept as read.
class OdDbRegAppTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbRegAppTableRecord)
};
typedef OdSmartPtr<OdDbRegAppTableRecord> OdDbRegAppTableRecordPtr;
