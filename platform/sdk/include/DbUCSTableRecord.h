#pragma once

#include <DbSymbolTableRecord.h>

// A record of the UCS table; its data is kept as read.
class OdDbUCSTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbUCSTableRecord)
};
typedef OdSmartPtr<OdDbUCSTableRecord> OdDbUCSTableRecordPtr;
