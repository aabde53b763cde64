#pragma once

#include <DbSymbolTable.h>

// The Linetype table of a drawing.
KV_DECLARE_TABLE(OdDbLinetypeTable, OdDbLinetypeTableRecord)
