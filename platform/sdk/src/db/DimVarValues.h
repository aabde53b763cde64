#pragma once

#include <DbObjectId.h>
#include <OdDb.h>
#include <OdString.h>

#include <CmColor.h>
#include <DimVarTypes.h>

namespace kvdb {

// The values of every dimension variable, each starting at its default.
struct DimVarValues
{
#define DIMVAR(entry, get, set, rec, hdr, type, def) KV_DIMVAR_TYPE_##type get = def;
#include <DimVars.inc>
#undef DIMVAR
};

enum class DimVarKind {
    Int16,
    Int32,
    Bool,
    Double,
    Angle,
    String,
    Color,
    LineWeight,
    TextStyleRef,
    BlockRef,
    LinetypeRef
};

struct DimVarInfo
{
    const char* entry;
    int recordCode;
    int headerCode;
    DimVarKind kind;
};

// Calls visit(info, value) for every variable, in table order.
template <class Values, class Visit>
void forEachDimVar(Values& values, Visit&& visit)
{
#define DIMVAR(entry, get, set, rec, hdr, type, def) \
    visit(DimVarInfo{#entry, rec, hdr, DimVarKind::type}, values.get);
#include <DimVars.inc>
#undef DIMVAR
}

}  // namespace kvdb
