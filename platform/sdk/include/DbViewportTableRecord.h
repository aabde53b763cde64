#pragma once

#include <DbSymbolTableRecord.h>

// A record of the Viewport table; its data is kept as read.
class OdDbViewportTableRecord : public OdDbSymbolTableRecord
{
    ODDB_DECLARE_MEMBERS(OdDbViewportTableRecord)
};
typedef OdSmartPtr<OdDbViewportTableRecord> OdDbViewportTableRecordPtr;
