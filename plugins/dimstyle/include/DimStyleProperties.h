#pragma once

#include <CKvString.h>

#include <cstddef>

class OdDbDimStyleTableRecord;

// One compared property of a dimension style: its entry name, its description (untranslated, in
// the context "CKvDimStylePluginImpl"; null when it has none), how its value renders as text, and
// how it is copied from one style to another (null for properties not copied that way).
struct DimStyleProperty
{
    const char* entry;
    const char* description;
    CKvString (*render)(const OdDbDimStyleTableRecord& record);
    void (*copy)(OdDbDimStyleTableRecord& target, const OdDbDimStyleTableRecord& source);
};

// The 79 compared properties in check order: DIMADEC to DIMZIN alphabetically, then the later
// variables, then ANNOTATIVE.
extern const DimStyleProperty kDimStyleProperties[];
extern const size_t kDimStylePropertyCount;
