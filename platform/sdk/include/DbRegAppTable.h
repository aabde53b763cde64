#pragma once

#include <DbSymbolTable.h>

// The RegApp table of a drawing.
KV_DECLARE_TABLE(OdDbRegAppTable, OdDbRegAppTableRecord)
