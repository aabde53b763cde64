#pragma once

#include <DbSymbolTableRecord.h>

// A record of the View table; its data is kept as read.
class OdDbViewTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbViewTableRecord)
};
typedef OdSmartPtr<OdDbViewTableRecord> OdDbViewTableRecordPtr;
