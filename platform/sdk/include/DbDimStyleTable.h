#pragma once

#include <DbSymbolTable.h>

// The DimStyle table of a drawing.
KV_DECLARE_TABLE(OdDbDimStyleTable, OdDbDimStyleTableRecord)
