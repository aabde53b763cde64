#pragma once

#include <CKvString.h>
#include <DbObjectId.h>

#include <cstddef>

class CKvDatabase;
class OdDbDimStyleTableRecord;

// The table of a drawing that a referenced record belongs to.
enum class DimStyleReference { kNone, kBlock, kTextStyle, kLinetype };

// One compared property of a dimension style: its entry name, its description (untranslated, in
// the context "CKvDimStylePluginImpl"; null when it has none), how its value renders as text, and
// how it is copied from a style into another style and into the drawing's dimension variable of
// that name. A plain value is copied as it is (`copy`); a reference to a record of another
// drawing is read as an id (`referenceOf`), mapped by the caller to the record of the same name
// in the target's drawing (`reference` names the table), and set (`setReference`). The annotative
// flag, which is the host's, has neither.
struct DimStyleProperty
{
    const char* entry;
    const char* description;
    CKvString (*render)(const OdDbDimStyleTableRecord& record);
    void (*copy)(OdDbDimStyleTableRecord& target, CKvDatabase& drawing,
                 const OdDbDimStyleTableRecord& source);
    DimStyleReference reference;
    OdDbObjectId (*referenceOf)(const OdDbDimStyleTableRecord& source);
    void (*setReference)(OdDbDimStyleTableRecord& target, CKvDatabase& drawing, OdDbObjectId id);
};

// The 79 compared properties in check order: DIMADEC to DIMZIN alphabetically, then the later
// variables, then ANNOTATIVE.
extern const DimStyleProperty kDimStyleProperties[];
extern const size_t kDimStylePropertyCount;
