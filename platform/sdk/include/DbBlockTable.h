#pragma once

#include <DbSymbolTable.h>

// The Block table of a drawing.
KV_DECLARE_TABLE(OdDbBlockTable, OdDbBlockTableRecord)
