#pragma once

#include <DbSymbolTable.h>

// The TextStyle table of a drawing.
KV_DECLARE_TABLE(OdDbTextStyleTable, OdDbTextStyleTableRecord)
