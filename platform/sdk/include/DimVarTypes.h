#pragma once

#include <DbObjectId.h>
#include <OdDb.h>
#include <OdString.h>

#include <CmColor.h>

// The C++ type of each kind of dimension variable named in DimVars.inc.
#define KV_DIMVAR_TYPE_Int16 int
#define KV_DIMVAR_TYPE_Int32 int
#define KV_DIMVAR_TYPE_Bool bool
#define KV_DIMVAR_TYPE_Double double
#define KV_DIMVAR_TYPE_Angle double
#define KV_DIMVAR_TYPE_String OdString
#define KV_DIMVAR_TYPE_Color OdCmColor
#define KV_DIMVAR_TYPE_LineWeight OdDb::LineWeight
#define KV_DIMVAR_TYPE_TextStyleRef OdDbObjectId
#define KV_DIMVAR_TYPE_BlockRef OdDbObjectId
#define KV_DIMVAR_TYPE_LinetypeRef OdDbObjectId
