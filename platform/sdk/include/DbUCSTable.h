#pragma once

#include <DbSymbolTable.h>

// The UCS table of a drawing.
KV_DECLARE_TABLE(OdDbUCSTable, OdDbUCSTableRecord)
