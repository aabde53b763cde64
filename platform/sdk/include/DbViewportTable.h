#pragma once

#include <DbSymbolTable.h>

// The Viewport table of a drawing.
KV_DECLARE_TABLE(OdDbViewportTable, OdDbViewportTableRecord)
