#pragma once

#include <DbSymbolTable.h>

// The Layer table of a drawing.
KV_DECLARE_TABLE(OdDbLayerTable, OdDbLayerTableRecord)
