#pragma once

#include <DbSymbolTable.h>

// The View table of a drawing.
KV_DECLARE_TABLE(OdDbViewTable, OdDbViewTableRecord)
